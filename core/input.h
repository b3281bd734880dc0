// The two ways a data set gets into the sample store: a comma-delimited data file and numbers
// pasted from the clipboard.
//
// Each path first reads and checks everything (readDataFile, parseClipboardText), so a caller
// can refuse bad input before it touches the store; the store is then written in one go
// (storeDataFile, storePastedValues). Read_Data_File and Paste_Clipboard combine the two steps
// and tell the user about a refusal through the platform's message box.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace sifton {

inline constexpr const char* kProgramTitle = "Sifton";

// Values the statistics can compute with: 0, or a size from 1E-100 to 1E+100. Beyond that the
// sums of squares of up to 300 values overflow, or the squared deviations underflow to 0 so the
// spread vanishes, and the tests would show infinite or meaningless statistics and classes. Both
// input paths refuse a value under test outside this range.
inline constexpr double kMinComputableSize = 1e-100;
inline constexpr double kMaxComputableSize = 1e100;
bool isComputableValue(double value);

// ---- Data file -------------------------------------------------------------------------------

// One data line: fields 1 and 2 converted to numbers, field 3 the rest of the line.
struct DataRow {
    double value1 = 0.0;
    double value2 = 0.0;
    std::string rest;
};

enum class DataFileFailure {
    None,
    CannotOpen,       // missing, unreadable, not a plain file (a folder, a device, a pipe) or ""
    Empty,            // not even a header line
    ReadError,        // the system reported an error while reading
    TooManyRows,      // a 301st data line
    NotFiniteValue,   // a value that overflows to infinity, such as 1e999
    ValueOutOfRange,  // a value under test that isComputableValue refuses, such as 1e308
};

struct DataFile {
    std::string locality, localityM, stratAge;  // the header's three fields
    std::vector<DataRow> rows;                  // the data lines read (all of them on success)
    DataFileFailure failure = DataFileFailure::None;
    int failedRow = 0;  // data row at which reading failed (1-based), 0 if none

    bool ok() const { return failure == DataFileFailure::None; }
};

// Reads and checks a data file without touching the store. Reading stops at the first failure,
// at the latest at the 301st data line, so a huge file is never read to its end.
DataFile readDataFile(const std::string& path);

// The text of the warning shown when a data file cannot be loaded.
std::string dataFileFailureMessage(const std::string& path, const DataFile& file);

// Writes a read file into the store: header texts, raw fields, RowCount, NData, Col1 and Col2.
// For a file that failed among its data lines only the header, the raw fields read so far and
// RowCount (counting the failed line) are written; the data set itself stays as it was.
void storeDataFile(const DataFile& file);

// Reads a data file into the store; on failure shows the warning, leaves the store as the
// failure found it (header cleared; for a failure among the data lines the rows read so far in
// RawCol1..3 and RowCount counting the failed line, while NData, Col1 and Col2 keep the earlier
// data set) and returns false, so the caller computes nothing.
bool Read_Data_File(const std::string& path, Platform& platform);

// ---- Clipboard paste -------------------------------------------------------------------------

enum class PasteFailure {
    None,
    NoText,      // the clipboard holds no text
    NotNumeric,  // a cell is not a plain number (an empty cell included)
    NotFinite,   // a number too large to hold, such as 1E+999
    OutOfRange,  // a number that isComputableValue refuses, such as 1E+308
    TooMany,     // more than 300 values
    OneOrTwo,    // only one or two values
    NoValue,     // text without any value: refused without a message
};

struct PastedValues {
    std::vector<double> values;
    PasteFailure failure = PasteFailure::None;
    bool ok() const { return failure == PasteFailure::None; }
};

// Cuts clipboard text into cells (tab, CR, LF and CR LF separate them; a last cell without a
// separator counts when it is not blank) and checks every cell before any is taken.
PastedValues parseClipboardText(const std::string& text);

// The warning for a refused paste; empty for a refusal that is silent.
std::string pasteFailureMessage(PasteFailure failure);

// Writes pasted values into the store: Col1(1..n), RowCount, NData and DataFileName
// "From Clipboard". The raw fields and the header texts are left alone.
void storePastedValues(const std::vector<double>& values);

// Reads the clipboard into LineBuffer, checks it and, when it holds 3 to 300 numbers, stores
// them and returns true; otherwise shows the refusal (if any) and stores nothing. The caller
// runs the calculation.
bool Paste_Clipboard(Platform& platform);

}  // namespace sifton
