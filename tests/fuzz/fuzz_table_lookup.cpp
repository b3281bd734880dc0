// Fuzz target for the table lookup: the input bytes are a table file, looked up for a few n and
// k. Only TableLookupError may leave the lookup, naming the file; a lookup that succeeds gives
// k finite values and leaves the matching n in LineBuffer.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/store.h"
#include "core/tables.h"
#include "tests/fuzz/fuzz_support.h"

using namespace sifton;
using sifton::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string fileName = "grubbs.dat";
    fuzz::writeFile(fuzz::scratchFolder() / fileName,
                    std::string(reinterpret_cast<const char*>(data), size));
    store().TableFolder = fuzz::scratchFolder().string();

    const std::pair<double, int> lookups[] = {{3, 5}, {7, 5}, {25, 5}, {50, 1}, {100, 5}, {5, 1}};
    for (auto [n, k] : lookups) {
        try {
            std::vector<double> values = Find_Table_Row(fileName, n, k);
            require(values.size() == static_cast<size_t>(k), "k values");
            for (double v : values) require(std::isfinite(v), "finite critical values");
            require(Text_To_Number(store().LineBuffer) == n, "LineBuffer holds the n found");
        } catch (const TableLookupError& e) {
            require(e.fileName() == fileName, "the error names the file");
            require(std::string(e.what()).find(fileName) != std::string::npos,
                    "the message names the file");
        }
    }
    return 0;
}
