// Numbers to text and back, the way this program reads and writes them everywhere.
//
// Parsing knows only the point as decimal separator and never looks at the process locale.
// Formatting rounds like a person or a spreadsheet: the value is first taken to 15 significant
// digits (what a spreadsheet shows), then that decimal is rounded half away from zero.
#pragma once

#include <string>
#include <string_view>

namespace sifton {

// The number at the start of a text. Spaces, tabs and line feeds anywhere are removed first;
// then an optional sign, digits, an optional point with digits and an optional exponent
// (E or D, either case) are read as far as they go. No digits gives 0. Too large a magnitude
// gives an infinity, which callers that store values refuse.
double Text_To_Number(std::string_view text);

// True when the text, with surrounding blanks, tabs, CR and LF set aside, is a plain decimal
// number: sign, digits with at most one point (at least one digit), optional exponent.
bool Is_Number_Text(std::string_view text);

// The three number patterns: "0.00" (exactly two decimals), "0.0#" (one or two), "0.0##"
// (one to three). A value that rounds to zero is written without a minus sign.
enum class Pattern { TwoDecimals, UpToTwoDecimals, UpToThreeDecimals };
std::string formatNumber(double value, Pattern pattern);

// A data-scaled quantity (a mean, a spread, an extreme, a quartile, a fence) in its pattern,
// unless the pattern would show a nonzero value as zero: a value whose size is at least 1E-12
// times largestSize, the largest size among the values under test, then shows three significant
// digits in general number text (0.000123, 1.23E-05), which Text_To_Number reads back. Smaller
// values are rounding noise of the data's own size and keep the pattern's zero.
std::string formatDataNumber(double value, Pattern pattern, double largestSize);

// General number text: whole numbers below 1E+15 as plain digits, others with up to
// 15 significant digits, switching to an exponent form (1E+15, 1.5E-05) below 1E-04 and
// from 1E+15 up, as a spreadsheet does.
std::string generalNumberText(double value);

}  // namespace sifton
