// Shared pieces of the fuzz targets: a private scratch folder that lives as long as the fuzzing
// process, plausible critical-value tables in it, and a check that stops the run on a broken
// property (libFuzzer then saves the input that broke it).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace sifton::fuzz {

inline void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// In memory (/dev/shm) where there is one, since every input is written to a file. Removed
// again when the process ends normally; a crash leaves it behind to look at.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::string pattern = base / "sifton-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

inline const std::filesystem::path& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path();
}

// A new file each time: rewriting a file in place makes some file systems flush it on close.
inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Tables with a record for every n the tests look up; the values rise with the column, as real
// critical values do.
inline void writeTables(const std::filesystem::path& folder) {
    std::string grubbs = "n,G 10%,G 7.5%,G 5%,G 2.5%,G 1%\r\n";
    for (int n = 3; n <= 100; ++n) grubbs += std::to_string(n) + ",1.5,1.6,1.7,1.8,1.9\r\n";
    std::string dixon = "n,r 10%,r 5%,r 2%,r 1%,r 0.5%\r\n";
    for (int n = 3; n <= 25; ++n) dixon += std::to_string(n) + ",400,500,600,700,800\r\n";
    std::string gauss = "n,g 5%\r\n";
    for (int n = 3; n <= 50; ++n) gauss += std::to_string(n) + ",2.5\r\n";
    writeFile(folder / "grubbs.dat", grubbs);
    writeFile(folder / "dixon.dat", dixon);
    writeFile(folder / "gauss-g.dat", gauss);
}

}  // namespace sifton::fuzz
