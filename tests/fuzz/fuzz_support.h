// Shared pieces of the fuzz targets: a check that stops the run on a broken property (libFuzzer
// then saves the input that broke it) and a private scratch folder for the input files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace sifton::fuzz {

inline void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// In memory (/dev/shm) where there is one; removed when the process ends normally, left behind
// by a crash to look at.
inline const std::string& scratchFolder() {
    static const struct Folder {
        std::string path = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        Folder() {
            if (mkdtemp((path += "/sifton-fuzz-XXXXXX").data()) == nullptr) std::abort();
        }
        ~Folder() { std::filesystem::remove_all(path); }
    } folder;
    return folder.path;
}

// Writes a new file (rewriting one in place makes some file systems flush it on close).
inline std::string writeFile(const std::string& name, std::string_view bytes) {
    const std::string path = scratchFolder() + "/" + name;
    std::remove(path.c_str());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace sifton::fuzz
