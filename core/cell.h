// Cell: the value kind of every variable of the sample store.
//
// A cell is empty (never written), a whole number, a double or a text. The kind is part of the
// program's behaviour: results that are shown are stored as formatted text, and a later step that
// computes with such a result reads the number back from the text, so it uses the rounded value.
// The whole number -1 in a test's first statistic marks a test that was not run; a text never
// equals it.
#pragma once

#include <string>
#include <variant>

namespace sifton {

class Cell {
  public:
    Cell() = default;
    Cell(int value) : m_value(static_cast<long long>(value)) {}
    Cell(long long value) : m_value(value) {}
    Cell(double value) : m_value(value) {}
    Cell(std::string value) : m_value(std::move(value)) {}
    Cell(const char* value) : m_value(std::string(value)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isInteger() const { return std::holds_alternative<long long>(m_value); }
    bool isDouble() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<std::string>(m_value); }

    // The test-not-run marker: the whole number -1 (never a text, never a double).
    bool isNotRunMarker() const { return isInteger() && std::get<long long>(m_value) == -1; }

    // Empty reads as 0, a text as the number at its start.
    double toNumber() const;
    // Empty reads as empty text, numbers in general number text.
    std::string toText() const;

    bool operator==(const Cell& other) const = default;

  private:
    std::variant<std::monostate, long long, double, std::string> m_value;
};

}  // namespace sifton
