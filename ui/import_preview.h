// What the import dialog shows of one reading of a file or a paste: its first rows as that reading
// gives them, and a line that says what else it gives (the header, how many rows) or why it cannot
// be loaded; and for a file read whose header names the second field an uncertainty, the question
// whether it is one. No Qt: the dialog only renders it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/input.h"
#include "core/sample_ages.h"

namespace sifton {

struct ImportPreview {
    std::vector<std::array<std::string, 3>> rows;  // row number, value, second field
    std::string note;
};

ImportPreview importPreview(const std::string& path, const DataFile& file, int maxRows);
ImportPreview pastePreview(const PastedValues& pasted, int maxRows);

// What the dialog asks of a file read with a header that names the second field an
// uncertainty (uncertaintyNamedBy): the sentence and the kinds to choose from, the named one
// first, then none; nothing for another data set.
struct UncertaintyQuestion {
    std::string sentence;
    std::vector<UncertaintyKind> kinds;
    std::vector<std::string> labels;  // for each kind
};
std::optional<UncertaintyQuestion> uncertaintyQuestion(const DataSet& data);
// The data set's rows with, in the note, what the kind makes of the second field or why it
// cannot be declared so.
ImportPreview uncertaintyPreview(const DataSet& data, UncertaintyKind kind, int maxRows);

}  // namespace sifton
