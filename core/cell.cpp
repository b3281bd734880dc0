#include "core/cell.h"

#include "core/number_text.h"

namespace sifton {

double Cell::toNumber() const {
    if (auto* i = std::get_if<long long>(&m_value)) return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&m_value)) return *d;
    if (auto* s = std::get_if<std::string>(&m_value)) return Text_To_Number(*s);
    return 0.0;
}

std::string Cell::toText() const {
    if (auto* i = std::get_if<long long>(&m_value)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&m_value)) return generalNumberText(*d);
    if (auto* s = std::get_if<std::string>(&m_value)) return *s;
    return {};
}

}  // namespace sifton
