// The two ways a data set gets into the sample store: a comma-delimited data file and numbers
// pasted from the clipboard.
//
// Each path first reads and checks everything (readDataFile, parseClipboardText), so a caller
// can refuse bad input before it touches the store; the store is then written in one go
// (storeDataFile, storePastedValues). Read_Data_File and Paste_Clipboard combine the two steps
// and tell the user about a refusal through the platform's message box.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "core/delimited_text.h"
#include "platform/platform.h"

namespace sifton {

inline constexpr const char* kProgramTitle = "Sifton";

// ---- Data file -------------------------------------------------------------------------------

// One data line: the value under test, the second field as a number (0 when it is none; it
// takes part in no calculation) and the note: the fields after the second.
struct DataRow {
    double value1 = 0.0;
    double value2 = 0.0;
    std::string rest;
};

// Why a data file was refused. Lines are lines of the file, the header being line 1.
enum class DataFileFailure {
    None,
    CannotOpen,         // missing, or an empty path (a cancelled dialog)
    NotPlainFile,       // a folder, a device, a pipe
    NoPermission,       // the system refuses to let the program read it
    ReadError,          // the system reported an error while reading
    TooLarge,           // more bytes than any data file of 300 values needs
    Empty,              // not even a header line
    NotText,            // NUL bytes or control characters: binary data
    UnclosedQuote,      // a quoted field that never closes
    AmbiguousDialect,   // read with commas and with semicolons or tabs, it gives other values
    MixedDecimalMarks,  // numbers with decimal points and numbers with decimal commas
    NoData,             // a header line and nothing more (blank lines aside)
    TooManyRows,        // more than 300 data lines, blank lines at the end not counted
    BlankLine,          // an empty line (or one of separators only) before further data
    EmptyValue,         // a line with other fields but nothing in the first
    NotNumber,          // a first field that is not a plain number: text, units, NaN, inf
    DecimalComma,       // a decimal comma in a comma-separated file
    NotFiniteValue,     // a value too large to be a number, such as 1E+999
    ValueOutOfRange,    // a value that isComputableValue refuses, such as 1E+308 or 1E-999
};

struct DataFile {
    std::string locality, localityM, stratAge;  // the header's three fields
    std::vector<DataRow> rows;                  // every data line, when the file is sound
    Dialect dialect;                            // how the file separates fields and decimals
    DataFileFailure failure = DataFileFailure::None;
    int failedLine = 0;      // the line the refusal names, 0 when it names none
    std::string failedText;  // the offending field as the file holds it
    int dataLines = 0;       // for TooManyRows: how many data lines the file has

    bool ok() const { return failure == DataFileFailure::None; }
};

// Upper bound of a data file's size: 300 lines need far less.
inline constexpr std::size_t kMaxDataFileBytes = 4 << 20;

// Reads and checks a whole data file without touching the store: on success every row holds
// exactly the values of the file; otherwise no row is returned and the failure says why.
DataFile readDataFile(const std::string& path);
// The same for bytes from a stream (the file once opened, or standard input); a stream that
// fails part-way gives ReadError.
DataFile readDataFile(std::istream& in);

// The warning shown when a data file is refused: it names the file, and the line and the text
// where the refusal lies in the file.
std::string dataFileFailureMessage(const std::string& path, const DataFile& file);

// Writes a sound file into the store: header texts, raw fields, RowCount, NData, Col1 and Col2.
void storeDataFile(const DataFile& file);

// Reads a data file into the store. A refused file shows the warning, changes nothing in the
// store and returns false, so the caller computes nothing.
bool Read_Data_File(const std::string& path, Platform& platform);

// ---- Clipboard paste -------------------------------------------------------------------------

enum class PasteFailure {
    None,
    NoText,        // the clipboard holds no text
    OnlyBlanks,    // blanks, tabs and line ends but no value
    NotNumeric,    // a cell is not a plain number (an empty cell between values included)
    DecimalComma,  // a number written with a decimal comma, such as 31,5
    NotFinite,     // a number too large to hold, such as 1E+999
    OutOfRange,    // a number that isComputableValue refuses, such as 1E+308 or 1E-999
    TooMany,       // more than 300 values
    OneOrTwo,      // only one or two values
};

struct PastedValues {
    std::vector<double> values;
    PasteFailure failure = PasteFailure::None;
    bool ok() const { return failure == PasteFailure::None; }
};

// Cuts clipboard text into cells (tab, CR, LF and CR LF separate them; a last cell without a
// separator counts) and checks every cell before any is taken. Blanks, tabs and line ends at
// the end of the text are no cells: a spreadsheet column copied with its last line end and an
// empty line after it pastes as its values.
PastedValues parseClipboardText(const std::string& text);

// The warning for a refused paste.
std::string pasteFailureMessage(PasteFailure failure);

// Writes pasted values into the store: Col1(1..n), RowCount, NData and DataFileName
// "From Clipboard". The header texts are emptied, so pasted numbers are never shown or reported
// under the name of the sample loaded before; the raw fields of a file are left alone.
void storePastedValues(const std::vector<double>& values);

// Reads the clipboard into LineBuffer, checks it and, when it holds 3 to 300 numbers, stores
// them and returns true; otherwise shows the refusal and stores nothing. The caller runs the
// calculation.
bool Paste_Clipboard(Platform& platform);

}  // namespace sifton
