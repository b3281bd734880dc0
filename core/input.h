// The two ways a data set comes in: a comma-delimited data file and numbers pasted from the
// clipboard. Each reads and checks everything first and gives either the whole data set or a
// refusal that says what the user has to hear (which file, which line, why); nothing is shown
// from here.
//
// readDataFile and parseClipboardText are the checking steps, with the reason as an enum for
// tests and fuzzers; Read_Data_File and pastedDataSet give the data set or the refusal.
// Both also read fission-track count files (count_file.h), which they know from their first
// lines without asking: the grain ages become the rows.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/data_set.h"
#include "core/delimited_text.h"

namespace sifton {

inline constexpr const char* kProgramTitle = "Sifton";

// ---- Readings a file leaves open ---------------------------------------------------------------

// The answers to what a file can leave open; an unanswered question stays open. Answers that a
// file does not ask for change nothing, except the value column and the header, which always
// hold.
struct ReadingChoice {
    std::optional<char> decimalMark;        // '.' or ',': also whether a point groups thousands
    std::optional<bool> header;             // whether line 1 is a header
    std::optional<int> column;              // the value column, from 1
    std::optional<std::string> columnName;  // or the header text over it
    std::optional<bool> nameFromFirstCell;  // a paste's text cell before its numbers: the
                                            // sample's name, or left out
    bool operator==(const ReadingChoice&) const = default;
};

enum class QuestionAbout { DecimalMark, Header, ValueColumn, FirstCell };

// One way to read a file that can be read more than one way: how the import dialog names it,
// and the answers that read it so.
struct ReadingOption {
    std::string label;
    ReadingChoice choice;
};

// What is unclear in a file: one sentence, the readings to choose from (the likelier first) and
// the command-line option that answers it.
struct ImportQuestion {
    QuestionAbout about = QuestionAbout::DecimalMark;
    std::string sentence;
    std::vector<ReadingOption> options;
    std::string commandLine;  // such as "--decimal point or --decimal comma"
};

// Input that was not taken: the message box's title and text, a short reason for a command line
// ("no such file"), and for a file that can be read more than one way the question to ask.
struct Refusal {
    std::string title;
    std::string message;
    std::string brief;
    std::optional<ImportQuestion> question;
};

template <typename T>
using Outcome = std::variant<T, Refusal>;

// ---- Data file -------------------------------------------------------------------------------

// Why a data file was refused. Lines are lines of the file, the header being line 1.
enum class DataFileFailure {
    None,
    CannotOpen,         // an empty path (a cancelled dialog), or an open that failed
    NotFound,           // no such file, or a link to none
    NotPlainFile,       // a folder, a device, a pipe
    NoPermission,       // the system refuses to let the program read it
    ReadError,          // the system reported an error while reading
    TooLarge,           // more bytes than any data file of 300 values needs
    Empty,              // not even a header line
    NotText,            // NUL bytes or control characters: binary data
    UnclosedQuote,      // a quoted field that never closes
    AmbiguousDialect,   // read with commas and with semicolons or tabs, it gives other values
    Unclear,            // a question the choice does not answer: see DataFile::question
    NoSuchColumn,       // the value column named by the choice is not in the header
    MixedDecimalMarks,  // numbers with decimal points and numbers with decimal commas
    NoData,             // a header line and nothing more (blank lines aside)
    TooManyRows,        // more than 300 data lines, blank lines at the end not counted
    BlankLine,          // an empty line (or one of separators only) before further data
    EmptyValue,         // a line with other fields but nothing in the first
    NotNumber,          // a first field that is not a plain number: text, units, NaN, inf
    DecimalComma,       // a decimal comma in a comma-separated file
    NotFiniteValue,     // a value too large to be a number, such as 1E+999
    ValueOutOfRange,    // a value that isComputableValue refuses, such as 1E+308 or 1E-999
    CountFile,          // a count file the count reader refuses: failedText is its reason
};

struct DataFile {
    std::string locality, localityM, stratAge;  // the header's three fields
    std::vector<DataRow> rows;                  // every data line, when the file is sound
    FileReading reading;                        // how the file was read
    DataFileFailure failure = DataFileFailure::None;
    int failedLine = 0;      // the line the refusal names, 0 when it names none
    std::string failedText;  // the offending field as the file holds it
    int dataLines = 0;       // for TooManyRows: how many data lines the file has
    int otherLine = 0;       // MixedDecimalMarks: a line with the other mark; NoSuchColumn: none
    int failedField = 1;     // EmptyValue: the field that is empty, from 1
    std::optional<ImportQuestion> question;  // for Unclear
    std::optional<CountData> counts;         // a count file: its calibration and grains

    bool ok() const { return failure == DataFileFailure::None; }
};

// Upper bound of a data file's size: 300 lines need far less.
inline constexpr std::size_t kMaxDataFileBytes = 4 << 20;

// Reads and checks a whole data file: on success every row holds
// exactly the values of the file; otherwise no row is returned and the failure says why.
// A count file, known by its first lines, is read by the count reader (count_file.h): one row per
// grain, value1 its age (Ma), value2 its counting error (1 sigma), rest its note, the sample's
// name (RadialPlotter's first line; none in IsoplotR's layout) as the locality, and the counts.
// Where the file can be read more than one way, the choice answers; an open question makes the
// failure Unclear, or with 'proposed' takes the likelier reading (an import dialog's preview).
DataFile readDataFile(const std::string& path, const ReadingChoice& choice = {},
                      bool proposed = false);
// The same for bytes from a stream (the file once opened, or standard input); a stream that
// fails part-way gives ReadError.
DataFile readDataFile(std::istream& in, const ReadingChoice& choice = {});

// The warning shown when a data file is refused: it names the file, and the line and the text
// where the refusal lies in the file.
std::string dataFileFailureMessage(const std::string& path, const DataFile& file);

// A data file as a data set, its DataFileName the path as given, or its refusal: the file's own
// failure, or fewer than three rows ("What can I test with one or two data?").
// A file that can be read more than one way is refused with the question, unless the choice
// answers it. A count file's data set declares its counting errors 1 sigma and keeps the counts;
// the choice does not apply to it.
Outcome<DataSet> Read_Data_File(const std::string& path, const ReadingChoice& choice = {});
// The same for bytes from a stream (standard input); 'shownAs' names it in a refusal.
Outcome<DataSet> Read_Data_File(std::istream& in, const std::string& name,
                                const std::string& shownAs, const ReadingChoice& choice = {});

// Whether the file at 'path' is a count file by its first lines, as Read_Data_File would take
// it; false for a file that cannot be read. For a command line that lays out its columns before
// it reads the files.
bool isCountFile(const std::string& path);

// ---- Clipboard paste -------------------------------------------------------------------------

enum class PasteFailure {
    None,
    NoText,             // the clipboard holds no text
    OnlyBlanks,         // blanks, tabs and line ends but no value
    NotNumeric,         // a cell is not a plain number (an empty cell between values included)
    MixedDecimalMarks,  // cells with a decimal point and cells with a decimal comma
    NotFinite,          // a number too large to hold, such as 1E+999
    OutOfRange,         // a number that isComputableValue refuses, such as 1E+308 or 1E-999
    TooMany,            // more than 300 values
    OneOrTwo,           // only one or two values
    Unclear,            // a question the choice does not answer: see PastedValues::question
};

// A cell of pasted text: rows end with line ends, columns with tabs; both from 1.
struct PastedCell {
    int row = 0, column = 0;
    std::string text;
};

struct PastedValues {
    std::vector<double> values;
    PasteFailure failure = PasteFailure::None;
    PastedCell failedCell;  // the cell a refusal names (row 0 when it names none)
    PastedCell otherCell;   // MixedDecimalMarks: a cell with the other mark
    char decimalMark = '.';
    std::optional<std::string> name;         // the sample's name, from a text first cell
    std::optional<ImportQuestion> question;  // for Unclear
    bool ok() const { return failure == PasteFailure::None; }
};

// Cuts clipboard text into cells (tab, CR, LF and CR LF separate them; a last cell without a
// separator counts) and checks every cell before any is taken. Blanks, tabs and line ends at
// the end of the text are no cells: a spreadsheet column copied with its last line end and an
// empty line after it pastes as its values.
// Cells follow the data files' rules: a decimal comma is read where no cell contradicts it, and
// a text cell before the numbers (a column copied with its header) is left out or taken as the
// sample's name. What the cells leave open (1,234 may be 1.234 or 1234) is asked: the choice
// answers, an open question makes the failure Unclear, or with 'proposed' takes the likelier
// answer (an import dialog's preview).
PastedValues parseClipboardText(const std::string& text, const ReadingChoice& choice = {},
                                bool proposed = false);

// The warning for a refused paste, without the cell it names.
std::string pasteFailureMessage(PasteFailure failure);
// The warning for a refused paste, naming the first cell at fault.
std::string pasteFailureMessage(const PastedValues& pasted);

// Clipboard text as a data set "From Clipboard" of 3 to 300 values, or its refusal. The header
// texts are empty (the sample's name aside, when the first cell gives it), so pasted numbers are
// never shown or reported under the name of the sample loaded before.
Outcome<DataSet> pastedDataSet(const std::string& text, const ReadingChoice& choice = {});

}  // namespace sifton
