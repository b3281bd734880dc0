#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace sifton {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the plain decimal number (sign, digits, point, exponent) at the start of text, or 0
// when there is none. 'complete' tells whether an exponent marker was followed by digits.
struct NumberScan {
    size_t mantissaEnd = 0;  // end of sign, digits and fraction
    size_t end = 0;          // end including a complete exponent
    bool hasDigits = false;
    bool danglingExponent = false;  // an E or D not followed by digits
};

NumberScan scanNumber(std::string_view s) {
    NumberScan r;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && isDigit(s[i])) ++i, r.hasDigits = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, r.hasDigits = true;
    }
    r.mantissaEnd = r.end = i;
    if (r.hasDigits && i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t digitsStart = j;
        while (j < s.size() && isDigit(s[j])) ++j;
        if (j > digitsStart)
            r.end = j;
        else
            r.danglingExponent = true;
    }
    return r;
}

// Power of ten of the first non-zero digit of a number text that scanNumber accepted and whose
// mantissa is not zero, exponent included; the exponent saturates, so any length is safe.
long long leadingPower(std::string_view number, size_t mantissaEnd) {
    std::string_view mantissa = number.substr(0, mantissaEnd);
    size_t point = std::min(mantissa.find('.'), mantissa.size());
    size_t first = std::min(mantissa.find_first_of("123456789"), mantissa.size());
    long long power = first < point ? static_cast<long long>(point - first - 1)
                                    : -static_cast<long long>(first - point);
    long long exponent = 0;
    size_t j = mantissaEnd + 1;  // past the E
    bool negative = j < number.size() && number[j] == '-';
    if (j < number.size() && (number[j] == '-' || number[j] == '+')) ++j;
    for (; j < number.size(); ++j)
        exponent = std::min(exponent * 10 + (number[j] - '0'), 1'000'000'000LL);
    return power + (negative ? -exponent : exponent);
}

// The digits of |value| rounded to 15 significant digits, with the decimal exponent of the
// first digit: value = 0.d1d2...d15 * 10^(exponent+1).
struct Decimal {
    std::string digits;  // exactly 15 digits, first non-zero unless value is 0
    int exponent = 0;    // power of ten of the first digit
    bool negative = false;
};

Decimal toDecimal15(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    std::string_view text(buf, static_cast<size_t>(res.ptr - buf));  // d.dddddddddddddde+XX
    size_t e = text.find('e');
    d.digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
}

// Decimal digits of the integer and fraction parts of |value| rounded half away from zero to
// 'places' decimals, after the 15-significant-digit step.
std::string roundedFixed(double value, int places, bool& negative) {
    Decimal d = toDecimal15(value);
    // Lay the 15 digits out as a fixed-point digit string with 'places' decimals plus one guard.
    // Position p (0-based in digits) has power exponent - p.
    int firstPower = std::max(d.exponent, 0);
    int lastPower = -(places + 1);
    std::string fixed;
    for (int power = firstPower; power >= lastPower; --power) {
        int p = d.exponent - power;
        fixed += (p >= 0 && p < static_cast<int>(d.digits.size())) ? d.digits[p] : '0';
    }
    // Does anything at or beyond the guard digit demand rounding up? Half away from zero only
    // looks at the guard digit, since 15-digit rounding already happened.
    bool roundUp = fixed.back() >= '5';
    fixed.pop_back();
    if (roundUp) {
        int i = static_cast<int>(fixed.size()) - 1;
        while (i >= 0 && fixed[i] == '9') fixed[i--] = '0';
        if (i >= 0)
            ++fixed[i];
        else
            fixed.insert(fixed.begin(), '1');
    }
    negative = d.negative && fixed.find_first_not_of('0') != std::string::npos;
    // Split integer part and decimals; keep at least one integer digit.
    std::string intPart = fixed.substr(0, fixed.size() - places);
    std::string frac = fixed.substr(fixed.size() - places);
    size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
    return intPart + "." + frac;
}

// |value| rounded half away from zero to three significant digits, after the 15-digit step.
double threeSignificantDigits(double value) {
    Decimal d = toDecimal15(value);
    int mantissa = std::stoi(d.digits.substr(0, 3)) + (d.digits[3] >= '5' ? 1 : 0);
    std::string text = std::to_string(mantissa) + "e" + std::to_string(d.exponent - 2);
    double rounded = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return d.negative ? -rounded : rounded;
}

}  // namespace

double Text_To_Number(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    NumberScan scan = scanNumber(s);
    if (!scan.hasDigits) return 0.0;
    std::string number = s.substr(0, scan.end);
    for (char& c : number)
        if (c == 'd' || c == 'D') c = 'e';
    const char* first = number.data();
    const char* last = number.data() + number.size();
    if (*first == '+') ++first;
    double value = 0.0;
    auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on range errors: the number is tiny when its first
        // significant digit lies below the units place (0.000...1 has no exponent at all).
        bool tiny = leadingPower(number, scan.mantissaEnd) < 0;
        bool negative = number[0] == '-';
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return value;
}

bool Is_Number_Text(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    std::string_view core = text.substr(b, e - b);
    if (core.empty()) return false;
    NumberScan scan = scanNumber(core);
    return scan.hasDigits && !scan.danglingExponent && scan.end == core.size();
}

std::string formatNumber(double value, Pattern pattern) {
    if (!std::isfinite(value)) return value != value ? "0.0" : (value > 0 ? "∞" : "-∞");
    int maxPlaces = pattern == Pattern::UpToThreeDecimals ? 3 : 2;
    int minPlaces = pattern == Pattern::TwoDecimals ? 2 : 1;
    bool negative = false;
    std::string text = roundedFixed(value, maxPlaces, negative);
    size_t keep = text.size();
    size_t minLength = text.find('.') + 1 + static_cast<size_t>(minPlaces);
    while (keep > minLength && text[keep - 1] == '0') --keep;
    text.resize(keep);
    return negative ? "-" + text : text;
}

std::string formatDataNumber(double value, Pattern pattern, double largestSize) {
    std::string text = formatNumber(value, pattern);
    const bool showsZero = text.find_first_of("123456789") == std::string::npos;
    if (!showsZero || !std::isfinite(value) || value == 0.0 ||
        std::fabs(value) < 1e-12 * largestSize)
        return text;
    return generalNumberText(threeSignificantDigits(value));
}

std::string generalNumberText(double value) {
    if (!std::isfinite(value)) return value != value ? "0" : (value > 0 ? "∞" : "-∞");
    if (value == 0.0) return "0";
    Decimal d = toDecimal15(value);
    size_t last = d.digits.find_last_not_of('0');
    std::string digits = d.digits.substr(0, last + 1);
    std::string sign = d.negative ? "-" : "";
    if (d.exponent >= 15 || d.exponent < -4) {
        std::string mantissa = digits.substr(0, 1);
        if (digits.size() > 1) mantissa += "." + digits.substr(1);
        int e = d.exponent;
        std::string exp = std::to_string(std::abs(e));
        if (exp.size() < 2) exp = "0" + exp;
        return sign + mantissa + "E" + (e < 0 ? "-" : "+") + exp;
    }
    if (d.exponent < 0) return sign + "0." + std::string(-d.exponent - 1, '0') + digits;
    int intDigits = d.exponent + 1;
    if (static_cast<int>(digits.size()) <= intDigits)
        return sign + digits + std::string(intDigits - digits.size(), '0');
    return sign + digits.substr(0, intDigits) + "." + digits.substr(intDigits);
}

}  // namespace sifton
