// Fuzz target for the table lookup: the input bytes are a table file, looked up for a few n and k.
// Only TableLookupError, naming the file, may leave it; a success gives k finite values and a
// record whose n field reads as n.
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>

#include "core/number_text.h"
#include "core/tables.h"
#include "tests/fuzz/fuzz_support.h"

using namespace sifton;
using sifton::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeFile("grubbs.dat", {reinterpret_cast<const char*>(data), size});
    const TableFile table = TableFile::read(fuzz::scratchFolder(), "grubbs.dat");
    for (auto [n, k] : {std::pair{3, 5}, {7, 5}, {25, 5}, {50, 1}, {100, 5}, {5, 1}}) {
        try {
            const std::span<const double> values = table.row(n, k);
            require(values.size() == static_cast<size_t>(k), "k values");
            for (double v : values) require(std::isfinite(v), "finite critical values");
            const std::string nField = table.nField(n, k);
            require(Is_Number_Text(nField) && Text_To_Number(nField) == n,
                    "the record found is the one for n");
        } catch (const TableLookupError& e) {
            require(e.fileName() == "grubbs.dat", "the error names the file");
        }
    }
    return 0;
}
