// The results window frmDIX as a fixed form, without Qt: every label with its object name, kind
// and place in twips (one table, indexed by LabelId, so a misspelt name does not compile), the
// static captions, the separator lines and the two reject buttons. What the labels show comes
// from the presentation (presentation.h); labelStates() joins the two for rendering.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace sifton {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colour {
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kHighlight{255, 192, 192};
inline constexpr Rgb kCaption{0, 0, 255};
inline constexpr Rgb kCover{255, 0, 255};
inline constexpr Rgb kRejected{255, 0, 0};
inline constexpr Rgb kHead{224, 224, 224};
}  // namespace colour

// What a label is for; it decides its font and colours.
enum class LabelKind {
    Title,          // the window's title line
    Note,           // the line below it
    Caption,        // small blue caption beside a value
    BlockTitle,     // name of a test
    Applicability,  // the range of n below a test's name
    Value,          // a result label, black on white unless highlighted
    Head,           // the two grey heads over the smallest and the largest value
    Cover,          // a "NOT TESTED" cover
    RejectList,     // the red "Rejected: #" label
};

// The named labels, in the window's stacking order: the covers come last so that they lie over
// the rows they hide.
enum class LabelId {
    lblFileName,
    lblLocality,
    lblLocalityM,
    lblStratAge,
    lblMean,
    lblN,
    lblSD,
    lblRejecList,
    lblSE,
    lblYoungHead,
    lblOldHead,
    lblYoungAge,
    lblOldAge,
    lblGruTmin,
    lblGrubbsMin,
    lblGruTmax,
    lblGrubbsMax,
    lblDixRmin,
    lblDixMin,
    lblDixRmax,
    lblDixMax,
    lblIQRQ1,
    lblIQRQ3,
    lblIQRyoung,
    lblIQRold,
    lblLowerFence,
    lblUpperFence,
    lblGauYoung,
    lblGaY,
    lblGauOld,
    lblGaO,
    lblGRUno,
    lblDIXno,
    lblIQRno,
    lblGAUno,
};
inline constexpr std::size_t kLabelCount = static_cast<std::size_t>(LabelId::lblGAUno) + 1;

struct LabelDesign {
    LabelId id;
    const char* name;  // the control's object name
    LabelKind kind;
    const char* text;              // at design time
    int left, top, width, height;  // twips
    bool autoSize = false;         // width follows the text
    bool wordWrap = false;
};

// Width of a cover once it is shown over a row.
inline constexpr int kCoverWidth = 6612;
inline constexpr int kIqrCoverWidth = 7110;

// Every named label, indexed by LabelId.
extern const std::array<LabelDesign, kLabelCount> kResultLabels;

inline const LabelDesign& designOf(LabelId id) {
    return kResultLabels[static_cast<std::size_t>(id)];
}
// The static captions, in reading order: the label array lblRizsa, never changed at run time.
struct CaptionDesign {
    LabelKind kind;
    const char* text;
    int left, top, width, height = 252;
};
extern const std::array<CaptionDesign, 33> kCaptions;

// A label as the window renders it.
struct LabelState {
    std::string name;  // the control's name, e.g. "lblMean"
    LabelKind kind = LabelKind::Value;
    std::string text;
    int left = 0, top = 0, width = 0, height = 0;  // twips
    Rgb foreground = colour::kBlack;
    Rgb background = colour::kWhite;
    bool opaque = false;  // paints its background over what lies beneath
    bool visible = true;
    bool autoSize = false;  // width follows the text; 'width' is then not used
    bool wordWrap = false;
    bool centred = false;
    std::string tooltip;  // shown when the pointer rests on the label (a p-value); empty: none
};

struct Line {
    int x1, y1, x2, y2;  // twips
};
extern const std::array<Line, 7> kResultLines;

struct ButtonLayout {
    const char* name;
    const char* text;
    int left, top, width, height;  // twips
};

inline constexpr int kResultsClientWidth = 8460;   // twips
inline constexpr int kResultsClientHeight = 6936;  // twips
inline constexpr const char* kRejectCaption = "Reject this grain, copy and recalculate";
inline constexpr ButtonLayout kRejectMinButton{"cmdRejectMin", kRejectCaption, 1560,
                                               6240,           2772,           492};
inline constexpr ButtonLayout kRejectMaxButton{"cmdRejectMax", kRejectCaption, 5280,
                                               6240,           2772,           492};

struct Presentation;

// Every label of the window, captions first, then kResultLabels in order, with what the
// presentation shows in them.
std::vector<LabelState> labelStates(const Presentation& shown);

}  // namespace sifton
