// What the results window frmDIX shows, without Qt: every label's text, colours, visibility and
// place in twips, from the design state through Present_Values and the blanking that a reset of
// the store asks for. The Qt window only renders this model, so all of it is testable headless.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/store.h"

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

// The g-test verdicts the window writes itself.
inline constexpr const char* kGaussOutlier = "  outlier  ";
inline constexpr const char* kGaussOk = "  OK  ";

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

// Width of a cover once Present_Values has shown it over a row.
inline constexpr int kCoverWidth = 6612;
inline constexpr int kIqrCoverWidth = 7110;

class ResultsModel {
  public:
    // The design state: static texts, empty result labels, heads "Minimum:" and "Maximum:",
    // covers hidden and 132 twips wide.
    ResultsModel();

    const std::vector<LabelState>& labels() const { return m_labels; }
    // The label of that name; throws std::out_of_range for a name the window does not have.
    const LabelState& label(std::string_view name) const;
    std::string text(std::string_view name) const { return label(name).text; }

    static const std::vector<Line>& lines();

    // Fills every result label from the store, after the statistics and the four tests ran.
    void Present_Values(const SampleStore& s);

    // What Reset_Store asks of the window: the 29 result labels blank, the four covers hidden.
    // Colours, widths and the head labels stay.
    void blankAfterReset();

    // "Rejected: #" and the row, replacing the earlier caption.
    void showRejectedRow(int row);

  private:
    LabelState& at(std::string_view name);
    void add(LabelKind kind, std::string name, std::string text, int left, int top, int width,
             int height = 252);
    void setClass(std::string_view name, const Cell& value,
                  const std::vector<std::string_view>& significant);
    void showCoverIf(std::string_view cover, const Cell& marker, int width);

    std::vector<LabelState> m_labels;
};

}  // namespace sifton
