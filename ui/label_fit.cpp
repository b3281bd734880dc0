#include "ui/label_fit.h"

#include <algorithm>
#include <cstdlib>

#include "core/number_text.h"

namespace sifton {
namespace {

bool rowsOverlap(const LabelState& a, int top, int height) {
    return a.top < top + height && top < a.top + a.height;
}

// Under a "NOT TESTED" cover nothing is seen, so nothing there needs room.
bool covered(const std::vector<LabelState>& labels, const LabelState& l) {
    return std::any_of(labels.begin(), labels.end(), [&](const LabelState& c) {
        return c.kind == LabelKind::Cover && c.visible && c.left <= l.left &&
               l.left < c.left + c.width && rowsOverlap(c, l.top, l.height);
    });
}

Elide elideMode(const std::string& name) {
    const auto is = [&name](LabelId id) { return name == designOf(id).name; };
    if (is(LabelId::lblFileName)) return Elide::Middle;
    if (is(LabelId::lblLocality) || is(LabelId::lblLocalityM) || is(LabelId::lblStratAge))
        return Elide::Right;
    return Elide::None;
}

bool fitsToText(const std::vector<LabelState>& labels, const LabelState& l) {
    const bool kind =
        l.kind == LabelKind::Value || l.kind == LabelKind::Head || l.kind == LabelKind::RejectList;
    return kind && l.visible && !l.autoSize && !l.wordWrap && !l.text.empty() &&
           !covered(labels, l);
}

constexpr int kGap = 60;      // twips kept free before the next element
constexpr int kMargin = 120;  // and before the client area's edge, as on the left

// How far a label may reach: short of the nearest element to the right on its line (another
// shown label or a vertical line), or of the client area's edge when there is none.
int rightBoundary(const std::vector<LabelState>& labels, const std::vector<Line>& lines,
                  const LabelState& l, int clientWidth) {
    int boundary = clientWidth - kMargin + kGap;
    for (const LabelState& other : labels)
        if (other.visible && other.left > l.left && rowsOverlap(other, l.top, l.height))
            boundary = std::min(boundary, other.left);
    for (const Line& line : lines)
        if (line.x1 == line.x2 && line.x1 > l.left && line.y1 < l.top + l.height && l.top < line.y2)
            boundary = std::min(boundary, line.x1);
    return boundary - kGap;
}

}  // namespace

std::optional<std::string> exactExponentForm(std::string_view text) {
    if (!Is_Number_Text(text) || text.find_first_of(" \t\r\n") != std::string_view::npos)
        return std::nullopt;
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+') ++i;
    std::string digits;
    size_t point = std::string::npos;
    for (; i < text.size() && std::string_view("eEdD").find(text[i]) == std::string_view::npos;
         ++i) {
        if (text[i] == '.')
            point = digits.size();
        else
            digits.push_back(text[i]);
    }
    if (point == std::string::npos) point = digits.size();
    long long exponent = 0;
    if (i < text.size()) {
        const std::string_view written = text.substr(i + 1);
        const bool below = !written.empty() && written[0] == '-';
        for (char c : written)
            if (c >= '0' && c <= '9') exponent = std::min(exponent * 10 + (c - '0'), 1'000'000LL);
        if (below) exponent = -exponent;
    }
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return std::nullopt;
    const size_t last = digits.find_last_not_of('0');
    const long long power =
        static_cast<long long>(point) - 1 - static_cast<long long>(first) + exponent;
    std::string form = negative ? "-" : "";
    form += digits[first];
    if (last > first) form += "." + digits.substr(first + 1, last - first);
    std::string powerDigits = std::to_string(std::llabs(power));
    if (powerDigits.size() < 2) powerDigits.insert(0, "0");
    form += std::string("E") + (power < 0 ? "-" : "+") + powerDigits;
    if (form.size() >= text.size()) return std::nullopt;
    return form;
}

int FittedLayout::x(int designX) const {
    int result = designX;
    for (const auto& [at, extra] : m_widenings)
        if (designX >= at) result += extra;
    return result;
}

FittedLayout fitLabels(const std::vector<LabelState>& labels, const std::vector<Line>& lines,
                       int clientWidth, const MeasureText& measure) {
    FittedLayout layout;
    layout.labels.resize(labels.size());
    std::vector<int> grown(labels.size(), 0);
    std::vector<std::pair<int, size_t>> toFit;  // right-hand boundary, label
    for (size_t i = 0; i < labels.size(); ++i) {
        const LabelState& l = labels[i];
        FittedLabel& f = layout.labels[i];
        f.text = l.text;
        f.elide = elideMode(l.name);
        if (f.elide != Elide::None) f.toolTip = l.text;
        if (fitsToText(labels, l))
            toFit.emplace_back(rightBoundary(labels, lines, l, clientWidth), i);
    }
    for (const auto& [boundary, i] : toFit) {
        const LabelState& l = labels[i];
        FittedLabel& f = layout.labels[i];
        int need = measure(i, l.text);
        if (need <= layout.x(l.left + l.width) - layout.x(l.left)) continue;
        const int room = layout.x(boundary) - layout.x(l.left);
        if (need > room && f.elide != Elide::None) need = room;  // the text is elided
        if (need > room) {
            if (const std::optional<std::string> shorter = exactExponentForm(l.text)) {
                const int shorterNeed = measure(i, *shorter);
                if (shorterNeed < need) {
                    f.text = *shorter;
                    f.toolTip = l.text;
                    need = shorterNeed;
                }
            }
            // The window widens at the label, so what spans it (lines, titles) stretches with it.
            if (need > room) layout.widenAt(l.left + 1, need - room);
        }
        grown[i] = need;
    }
    for (size_t i = 0; i < labels.size(); ++i) {
        const LabelState& l = labels[i];
        FittedLabel& f = layout.labels[i];
        f.left = layout.x(l.left);
        f.width = std::max(layout.x(l.left + l.width) - f.left, grown[i]);
    }
    layout.clientWidth = layout.x(clientWidth);
    return layout;
}

}  // namespace sifton
