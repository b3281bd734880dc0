// The clipboard report: a tab-separated text of an analysis and of the results the window shows,
// laid out for pasting into a spreadsheet. Lines end with CR alone.
//
// The report repeats the label texts of the presentation as they stand, so it never formats a
// result again; the numbers it writes itself (counts, row numbers, values) are in general
// number text.
#pragma once

#include <string>

#include "core/analysis.h"
#include "platform/platform.h"
#include "ui/presentation.h"

namespace sifton {

// Which report "Copy to Clipboard" gives: the short one, or the long one with every data row.
// Once the long report was chosen (or a value rejected) it stays.
enum class ReportMode { Short, Long };

// The date as "d mmm. yy" in English, e.g. "5 Dec. 26".
std::string reportDate(const Date& date);

// The short report (15 lines, no line end after the last) or the long report (the 15 lines, then
// every data row, rejected rows marked; ends with CR), of an analysis and its presentation.
std::string buildReport(const Analysis& analysis, const Presentation& shown, ReportMode mode,
                        const Date& today);

}  // namespace sifton
