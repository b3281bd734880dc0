// Helpers shared by the tests of the computing side: a private temporary folder for data and
// table files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace sifton::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() { std::filesystem::create_directories(m_path); }
    ~TempDir() { std::filesystem::remove_all(m_path, m_error); }
    const std::filesystem::path& path() const { return m_path; }

    // Writes the bytes exactly as given (no line-end translation) and returns the file's path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / name, std::ios::binary | std::ios::trunc) << bytes;
        return (m_path / name).string();
    }

  private:
    inline static int s_counter = 0;  // the tests run on one thread
    std::error_code m_error;
    std::filesystem::path m_path = std::filesystem::temp_directory_path() /
                                   ("sifton-core-test-" + std::to_string(std::random_device{}()) +
                                    "-" + std::to_string(s_counter++));
};

}  // namespace sifton::test
