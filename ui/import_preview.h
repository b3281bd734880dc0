// What the import dialog shows of one reading of a file or a paste: its first rows as that reading
// gives them, and a line that says what else it gives (the header, how many rows) or why it cannot
// be loaded. No Qt: the dialog only renders it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/input.h"

namespace sifton {

struct ImportPreview {
    std::vector<std::array<std::string, 3>> rows;  // row number, value, second field
    std::string note;
};

ImportPreview importPreview(const std::string& path, const DataFile& file, int maxRows);
ImportPreview pastePreview(const PastedValues& pasted, int maxRows);

}  // namespace sifton
