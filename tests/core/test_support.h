// Helpers shared by the tests of the computing side, the hardening and the command line: a
// private temporary folder for data and table files, and tables to fill it with.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/tables.h"

namespace sifton::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() { std::filesystem::create_directories(m_path); }
    ~TempDir() { std::filesystem::remove_all(m_path, m_error); }
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    // The bytes exactly as given (no line-end translation); returns the file's path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_path / name, std::ios::binary | std::ios::trunc) << bytes;
        return file(name);
    }

    // A record for every n of each test's range; the values only need to be sane.
    void writeTables() const {
        std::string grubbs = "n\n", dixon = "n\n", gauss = "n\n";
        for (int n = 3; n <= 100; ++n) grubbs += std::to_string(n) + ",1,2,3,4,5\n";
        for (int n = 3; n <= 25; ++n) dixon += std::to_string(n) + ",300,400,500,600,700\n";
        for (int n = 3; n <= 50; ++n) gauss += std::to_string(n) + ",2.5\n";
        write("grubbs.dat", grubbs), write("dixon.dat", dixon), write("gauss-g.dat", gauss);
    }

  private:
    inline static int s_counter = 0;  // the tests run on one thread
    std::error_code m_error;
    std::filesystem::path m_path = std::filesystem::temp_directory_path() /
                                   ("sifton-test-" + std::to_string(std::random_device{}()) + "-" +
                                    std::to_string(s_counter++));
};

// Tables as writeTables writes them, read afresh when a test rewrites one.
class WithTables : public ::testing::Test {
  protected:
    void SetUp() override { m_dir.writeTables(); }
    TempDir m_dir;
    FolderTables m_tables{m_dir.path().string(), true};
};

}  // namespace sifton::test
