// The clipboard report: a tab-separated text of the current data set and of the results the
// results window shows, laid out for pasting into a spreadsheet. Lines end with CR alone.
//
// The report repeats the label captions as they stand, so it never formats a result again; the
// numbers it writes itself (counts, row numbers, values) are in general number text.
#pragma once

#include <functional>
#include <string>

#include "core/store.h"
#include "platform/platform.h"

namespace sifton {

// The caption of a results-window label, by its object name (e.g. "lblMean").
using LabelTextLookup = std::function<std::string(const std::string& labelName)>;

// The date as "d mmm. yy" in English, e.g. "5 Dec. 26".
std::string reportDate(const Date& date);

// The short report (CopyMode other than 2: 15 lines, no line end after the last) or the long
// report (CopyMode 2: the 15 lines, then every data row, rejected rows marked; ends with CR).
std::string buildReport(const SampleStore& s, const LabelTextLookup& label, const Date& today);

}  // namespace sifton
