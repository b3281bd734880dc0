// Helpers shared by the tests of the computing side: a fresh sample store for every test, a
// private temporary folder for data and table files, loading values into the store as a load
// does, and counting the process's open files.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/store.h"

namespace sifton::test {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        static std::atomic<int> counter{0};
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("sifton-core-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Writes the bytes exactly as given (no line-end translation) and returns the file's path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        std::filesystem::path file = m_path / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
        return file;
    }

  private:
    std::filesystem::path m_path;
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
    SampleStore& s = store();
    for (size_t i = 0; i < values.size(); ++i) s.Col1[static_cast<int>(i) + 1] = values[i];
    s.RowCount = static_cast<int>(values.size());
    s.NData = static_cast<double>(values.size());
}

// The numbers 1..n, a data set whose every value is distinct.
inline std::vector<double> oneToN(int n) {
    std::vector<double> values;
    for (int i = 1; i <= n; ++i) values.push_back(i);
    return values;
}

// Number of file descriptors the process holds; -1 where /proc is not available.
inline int openFileCount() {
    std::error_code ec;
    std::filesystem::directory_iterator it("/proc/self/fd", ec);
    if (ec) return -1;
    int count = 0;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) ++count;
    return count;
}

// True when the text holds something a reader would take for a broken number.
inline bool looksBroken(const std::string& text) {
    for (const char* bad : {"nan", "NaN", "inf", "Inf", "NAN", "INF"})
        if (text.find(bad) != std::string::npos) return true;
    return false;
}

// Failure reports show a parameterised case by its name rather than by its bytes. Test files
// bring this in with 'using test::operator<<;' in the namespace of their case structs.
template <typename Case>
auto operator<<(std::ostream& os, const Case& c) -> decltype(c.name, os) {
    return os << c.name;
}

// The name of a parameterised case, taken from its 'name' field.
struct CaseName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

}  // namespace sifton::test
