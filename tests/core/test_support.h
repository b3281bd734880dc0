// Helpers shared by the tests of the computing side: a fresh sample store for every test, a
// private temporary folder for data and table files, and loading values as a paste does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/store.h"

namespace sifton {

// Failure reports show a cell by its text, quoted when it is one.
inline void PrintTo(const Cell& cell, std::ostream* os) {
    *os << (cell.isText() ? "\"" + cell.toText() + "\"" : cell.toText());
}

namespace test {

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

// Every test starts from the store as it is at program start, with no reset observer.
class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store() = SampleStore{};
        setResetObserver({});
    }
    void TearDown() override { setResetObserver({}); }
};

// Puts the values into Col1(1..n) with RowCount = NData = n, as a paste leaves the store.
inline void loadValues(const std::vector<double>& values) {
    for (size_t i = 0; i < values.size(); ++i) store().Col1[static_cast<int>(i) + 1] = values[i];
    store().RowCount = static_cast<int>(values.size());
    store().NData = static_cast<double>(values.size());
}

}  // namespace test
}  // namespace sifton
