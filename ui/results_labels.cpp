#include "ui/results_labels.h"

#include "ui/presentation.h"

namespace sifton {
namespace {

using K = LabelKind;
using L = LabelId;
constexpr int kHeight = 252;
constexpr int kValueWidth = 612;
constexpr int kStatWidth = 852;
constexpr int kDesignCoverWidth = 132;

}  // namespace

const std::array<LabelDesign, kLabelCount> kResultLabels = {{
    // Source and statistics.
    {L::lblFileName, "lblFileName", K::Value, "", 600, 960, 7692, kHeight},
    {L::lblLocality, "lblLocality", K::Value, "", 120, 1320, 1932, kHeight},
    {L::lblLocalityM, "lblLocalityM", K::Value, "", 2280, 1320, 1932, kHeight},
    {L::lblStratAge, "lblStratAge", K::Value, "", 4440, 1320, 1932, kHeight},
    {L::lblMean, "lblMean", K::Value, "", 7440, 1320, kStatWidth, kHeight},
    {L::lblN, "lblN", K::Value, "", 1320, 1680, 1212, kHeight},
    {L::lblSD, "lblSD", K::Value, "", 7440, 1680, kStatWidth, kHeight},
    {L::lblRejecList, "lblRejecList", K::RejectList, "", 120, 2040, 3492, kHeight},
    {L::lblSE, "lblSE", K::Value, "", 7440, 2040, kStatWidth, kHeight},
    // The two extremes.
    {L::lblYoungHead, "lblYoungHead", K::Head, "Minimum:", 1320, 2520, 3252, kHeight},
    {L::lblOldHead, "lblOldHead", K::Head, "Maximum:", 5040, 2520, 3252, kHeight},
    {L::lblYoungAge, "lblYoungAge", K::Value, "", 4080, 2880, kValueWidth, kHeight},
    {L::lblOldAge, "lblOldAge", K::Value, "", 7800, 2880, kValueWidth, kHeight},
    // Grubbs.
    {L::lblGruTmin, "lblGruTmin", K::Value, "", 2160, 3480, kValueWidth, kHeight},
    {L::lblGrubbsMin, "lblGrubbsMin", K::Value, "", 3600, 3480, kValueWidth, kHeight, true},
    {L::lblGruTmax, "lblGruTmax", K::Value, "", 5520, 3480, kValueWidth, kHeight},
    {L::lblGrubbsMax, "lblGrubbsMax", K::Value, "", 7080, 3480, kValueWidth, kHeight, true},
    // Dixon.
    {L::lblDixRmin, "lblDixRmin", K::Value, "", 2160, 4200, kValueWidth, kHeight},
    {L::lblDixMin, "lblDixMin", K::Value, "", 3600, 4200, kValueWidth, kHeight, true},
    {L::lblDixRmax, "lblDixRmax", K::Value, "", 5520, 4200, kValueWidth, kHeight},
    {L::lblDixMax, "lblDixMax", K::Value, "", 7080, 4200, kValueWidth, kHeight, true},
    // IQR.
    {L::lblIQRQ1, "lblIQRQ1", K::Value, "", 2640, 4800, kValueWidth, kHeight},
    {L::lblIQRQ3, "lblIQRQ3", K::Value, "", 6360, 4800, kValueWidth, kHeight},
    {L::lblIQRyoung, "lblIQRyoung", K::Value, "", 3360, 4920, 1212, 492, false, true},
    {L::lblIQRold, "lblIQRold", K::Value, "", 6960, 4920, 1236, 492, false, true},
    {L::lblLowerFence, "lblLowerFence", K::Value, "", 2640, 5160, kValueWidth, kHeight},
    {L::lblUpperFence, "lblUpperFence", K::Value, "", 6360, 5160, kValueWidth, kHeight},
    // Gauss.
    {L::lblGauYoung, "lblGauYoung", K::Value, "", 2160, 5760, kValueWidth, kHeight},
    {L::lblGaY, "lblGaY", K::Value, "", 3600, 5760, kValueWidth, kHeight, true},
    {L::lblGauOld, "lblGauOld", K::Value, "", 5520, 5760, kValueWidth, kHeight},
    {L::lblGaO, "lblGaO", K::Value, "", 7080, 5760, kValueWidth, kHeight, true},
    // The covers.
    {L::lblGRUno, "lblGRUno", K::Cover, "NOT TESTED", 1680, 3480, kDesignCoverWidth, kHeight},
    {L::lblDIXno, "lblDIXno", K::Cover, "NOT TESTED", 1680, 4200, kDesignCoverWidth, kHeight},
    {L::lblIQRno, "lblIQRno", K::Cover, "NOT TESTED", 1200, 4800, kDesignCoverWidth, 612},
    {L::lblGAUno, "lblGAUno", K::Cover, "NOT TESTED", 1680, 5760, kDesignCoverWidth, kHeight},
}};

const std::array<CaptionDesign, 33> kCaptions = {{
    {LabelKind::Title, "Tests of outliers", 120, 120, 8292, 420},
    {LabelKind::Note,
     "(These tests serve only as a very coarse estimation; study the Help for careful usage.)", 120,
     600, 8292, 228},
    {LabelKind::Caption, "File:", 120, 960, 480},
    {LabelKind::Caption, "Mean:", 6600, 1320, 840},
    {LabelKind::Caption, "No. of data:", 120, 1680, 1200},
    {LabelKind::Caption, "Std. Dev.:", 6360, 1680, 1080},
    {LabelKind::Caption, "Std. Error:", 6240, 2040, 1200},
    {LabelKind::Caption, "Value:", 3480, 2880, 600},
    {LabelKind::Caption, "Value:", 7200, 2880, 600},
    {LabelKind::BlockTitle, "Grubbs test", 120, 3360, 1560},
    {LabelKind::Applicability, "   (for3-100 data)", 120, 3720, 1560},
    {LabelKind::Caption, "T:", 1920, 3480, 240},
    {LabelKind::Caption, "Prob.:", 2880, 3480, 720},
    {LabelKind::Caption, "T:", 5280, 3480, 240},
    {LabelKind::Caption, "Prob.:", 6360, 3480, 720},
    {LabelKind::BlockTitle, "Dixon test", 120, 4080, 1560},
    {LabelKind::Applicability, "   (for 3-25 data)", 120, 4440, 1560},
    {LabelKind::Caption, "R:", 1920, 4200, 240},
    {LabelKind::Caption, "Prob.:", 2880, 4200, 720},
    {LabelKind::Caption, "R:", 5280, 4200, 240},
    {LabelKind::Caption, "Prob.:", 6360, 4200, 720},
    {LabelKind::BlockTitle, "IQR test", 120, 4800, 1320},
    {LabelKind::Applicability, "   (for >5 data)", 120, 5160, 1080},
    {LabelKind::Caption, "Q1:", 1440, 4800, 1200},
    {LabelKind::Caption, "Q3:", 5520, 4800, 840},
    {LabelKind::Caption, "Q1 - 1.5 x  IQR:", 1200, 5160, 1440},
    {LabelKind::Caption, "Q3 + 1.5 x  IQR:", 4800, 5160, 1560},
    {LabelKind::BlockTitle, "Gauss g-test", 120, 5640, 1560},
    {LabelKind::Applicability, "   (for 3-50 data)", 120, 6000, 1560},
    {LabelKind::Caption, "g:", 1680, 5760, 480},
    {LabelKind::Caption, "at 5%:", 2760, 5760, 840},
    {LabelKind::Caption, "g:", 5040, 5760, 480},
    {LabelKind::Caption, "at 5%:", 6360, 5760, 720},
}};

const std::array<Line, 7> kResultLines = {{
    {120, 840, 8400, 840},
    {120, 2400, 8400, 2400},
    {120, 3240, 8280, 3240},
    {1680, 3960, 8280, 3960},
    {1680, 4680, 8280, 4680},
    {1680, 5520, 8280, 5520},
    {4800, 2640, 4800, 6720},
}};

namespace {

// The colours and alignment that a label's kind gives it.
LabelState styled(LabelKind kind, std::string name, std::string text, int left, int top, int width,
                  int height) {
    LabelState l;
    l.name = std::move(name);
    l.kind = kind;
    l.text = std::move(text);
    l.left = left;
    l.top = top;
    l.width = width;
    l.height = height;
    switch (kind) {
        case LabelKind::Caption:
            l.foreground = colour::kCaption;
            break;
        case LabelKind::Value:
            l.opaque = true;
            break;
        case LabelKind::Head:
            l.background = colour::kHead;
            l.opaque = true;
            break;
        case LabelKind::Cover:
            l.foreground = colour::kCover;
            l.opaque = true;
            break;
        case LabelKind::RejectList:
            l.foreground = colour::kRejected;
            break;
        case LabelKind::Title:
        case LabelKind::Note:
            l.centred = true;
            break;
        case LabelKind::BlockTitle:
        case LabelKind::Applicability:
            break;
    }
    return l;
}

}  // namespace

std::vector<LabelState> labelStates(const Presentation& shown) {
    std::vector<LabelState> states;
    states.reserve(kCaptions.size() + kResultLabels.size());
    for (std::size_t i = 0; i < kCaptions.size(); ++i) {
        const CaptionDesign& c = kCaptions[i];
        states.push_back(styled(c.kind, "lblRizsa_" + std::to_string(i), c.text, c.left, c.top,
                                c.width, c.height));
    }
    for (const LabelDesign& d : kResultLabels) {
        const LabelShown& s = shown[d.id];
        LabelState l = styled(d.kind, d.name, s.text, d.left, d.top,
                              s.width > 0 ? s.width : d.width, d.height);
        l.visible = s.visible;
        l.autoSize = d.autoSize;
        l.wordWrap = d.wordWrap;
        l.tooltip = s.tooltip;
        if (s.highlight) l.background = colour::kHighlight;
        states.push_back(std::move(l));
    }
    return states;
}

}  // namespace sifton
