#include "core/sample_ages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/number_text.h"

namespace sifton {
namespace {

struct KindName {
    UncertaintyKind kind;
    std::string_view shown, option;
};
constexpr KindName kKinds[] = {
    {UncertaintyKind::None, "not an uncertainty", ""},
    {UncertaintyKind::OneSigma, "±1σ", "1s"},
    {UncertaintyKind::TwoSigma, "±2σ", "2s"},
    {UncertaintyKind::OneSigmaPercent, "±1σ %", "1s%"},
    {UncertaintyKind::TwoSigmaPercent, "±2σ %", "2s%"},
};

std::string lowered(std::string_view text) {
    std::string s;
    for (const char c : text)
        if (c != ' ' && c != '\t') s += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
}

// Header words that name an uncertainty, after the blanks are taken out and letters lowered.
constexpr std::string_view kUncertaintyWords[] = {
    "err",  "error", "errors", "uncertainty", "unc", "sigma", "σ",    "1s",     "1σ",
    "2s",   "2σ",    "se",     "sd",          "1se", "2se",   "1sd",  "2sd",    "±",
    "±1σ",  "±2σ",   "1sigma", "2sigma",      "±1s", "±2s",   "+/-",  "+-",     "s.e.",
    "s.d.", "σ%",    "1σ%",    "2σ%",         "1s%", "2s%",   "err%", "error%", "±1σ%",
    "±2σ%", "%err",  "%error", "rse",         "rsd"};

bool isWordCharacter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80 || c == '%' || c == '+' ||
           c == '-' || c == '/' || c == '.';
}

}  // namespace

std::string_view uncertaintyName(UncertaintyKind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k.shown;
    return {};
}

std::string_view uncertaintyOptionName(UncertaintyKind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k.option;
    return {};
}

std::optional<UncertaintyKind> uncertaintyOption(std::string_view text) {
    for (const KindName& k : kKinds)
        if (!k.option.empty() && k.option == text) return k.kind;
    return std::nullopt;
}

std::optional<UncertaintyKind> uncertaintyNamedBy(std::string_view valueHeader,
                                                  std::string_view secondHeader) {
    const std::string value = lowered(valueHeader), second = lowered(secondHeader);
    if (second.empty()) return std::nullopt;
    const bool percent = second.find('%') != std::string::npos ||
                         second.find("percent") != std::string::npos ||
                         second.find("rel") != std::string::npos;
    const bool two = second.find("2σ") != std::string::npos ||
                     second.find("2s") != std::string::npos ||
                     second.find("2sigma") != std::string::npos;
    const auto named = [&] {
        return two ? (percent ? UncertaintyKind::TwoSigmaPercent : UncertaintyKind::TwoSigma)
                   : (percent ? UncertaintyKind::OneSigmaPercent : UncertaintyKind::OneSigma);
    };
    // s or σ before the value column's own name: sX, s[X], s(X), s_X, σX.
    if (!value.empty())
        for (const std::string_view head : {"s", "σ", "s_", "σ_"})
            for (const auto& [open, close] :
                 {std::pair<std::string_view, std::string_view>{"", ""}, {"[", "]"}, {"(", ")"}})
                if (second == std::string(head) + std::string(open) + value + std::string(close))
                    return named();
    // One of the words, alone or as a word of the header ("age err", "err(ma)", "2σ %").
    std::size_t i = 0;
    while (i < second.size()) {
        while (i < second.size() && !isWordCharacter(static_cast<unsigned char>(second[i]))) ++i;
        std::size_t j = i;
        while (j < second.size() && isWordCharacter(static_cast<unsigned char>(second[j]))) ++j;
        const std::string_view word = std::string_view(second).substr(i, j - i);
        if (std::find(std::begin(kUncertaintyWords), std::end(kUncertaintyWords), word) !=
            std::end(kUncertaintyWords))
            return named();
        // "age_err", "t-err": the word after a joining mark.
        for (const char join : {'_', '-', '.'}) {
            const std::size_t at = word.rfind(join);
            if (at != std::string_view::npos && at + 1 < word.size() &&
                std::find(std::begin(kUncertaintyWords), std::end(kUncertaintyWords),
                          word.substr(at + 1)) != std::end(kUncertaintyWords))
                return named();
        }
        i = j;
    }
    return std::nullopt;
}

Outcome<DataSet> declaringUncertainty(DataSet data, UncertaintyKind kind) {
    // A count file's ages and errors come from its counts: the second field is no reading of
    // the file that the user could correct.
    if (data.counts) {
        if (kind == UncertaintyKind::OneSigma) return data;
        return Refusal{kProgramTitle,
                       "The second field of a count file is the counting error of each grain's "
                       "age, 1σ from its Ns and Ni, so it cannot be read as " +
                           std::string(kind == UncertaintyKind::None ? "no uncertainty"
                                                                     : uncertaintyName(kind)) +
                           ".",
                       "the second field of a count file is the counting error (±1σ)",
                       std::nullopt};
    }
    if (kind != UncertaintyKind::None)
        for (int row = 1; row <= data.RowCount(); ++row) {
            const DataRow& r = data.rows[static_cast<std::size_t>(row - 1)];
            const double s = oneSigma(r.value1, r.value2, kind);
            if (s > 0 && std::isfinite(s)) continue;
            const std::string shown(uncertaintyName(kind));
            const std::string message =
                "Row " + std::to_string(row) + " has no positive uncertainty: its value " +
                generalNumberText(r.value1) + " has " + generalNumberText(r.value2) +
                " in the second field (a missing field reads as 0), so the second field cannot "
                "be read as " +
                shown + ".";
            return Refusal{kProgramTitle, message,
                           "row " + std::to_string(row) + " has no positive uncertainty",
                           std::nullopt};
        }
    data.uncertainty = kind;
    return data;
}

std::optional<SampleAges> sampleAges(const DataSet& data, const Sample& sample,
                                     const Statistics& statistics) {
    if (data.uncertainty == UncertaintyKind::None) return std::nullopt;
    SampleAges a;
    a.kind = data.uncertainty;
    for (int row = 1; row <= data.RowCount(); ++row) {
        if (!sample.underTest(row)) continue;
        const DataRow& r = data.rows[static_cast<std::size_t>(row - 1)];
        a.rows.push_back(row);
        a.ages.push_back(r.value1);
        a.sigmas.push_back(oneSigma(r.value1, r.value2, a.kind));
    }
    if (a.rows.empty()) return std::nullopt;
    auto computed = ageStatistics(a.ages, a.sigmas);
    if (!std::holds_alternative<AgeStatistics>(computed)) return std::nullopt;
    a.statistics = std::move(std::get<AgeStatistics>(computed));
    const auto extreme = [&](int row) {
        ExtremeResidual e;
        const auto at = std::find(a.rows.begin(), a.rows.end(), row);
        if (at == a.rows.end()) return e;
        e.row = row;
        e.y = a.statistics.residuals[static_cast<std::size_t>(at - a.rows.begin())].y;
        e.p = extremeResidualP(e.y, a.n());
        return e;
    };
    a.youngest = extreme(statistics.minRow);
    a.oldest = extreme(statistics.maxRow);
    for (std::size_t i = 0; i < a.rows.size(); ++i)
        if (std::abs(a.statistics.residuals[i].y) > 2) a.beyondTwo.push_back(a.rows[i]);
    return a;
}

}  // namespace sifton
