#include "report_cli/report_output.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/outlier_tests.h"

namespace sifton::cli {
namespace {

constexpr std::string_view kOutlier = "outlier", kOk = "OK";

std::string integer(long long value) { return std::to_string(value); }

std::string pCell(const PValue& p) { return p.known() ? shortestNumber(p.value) : ""; }
std::string boundCell(const PValue& p) { return p.known() ? (p.isBound() ? "true" : "false") : ""; }

std::string rejectedText(const std::vector<int>& rows) {
    std::string text;
    for (int row : rows) {
        if (!text.empty()) text += ' ';
        text += integer(row);
    }
    return text;
}

// The cells of one file, in the order of columnNames(). A refused file fills the first two.
std::vector<std::string> rowCells(const FileReport& r) {
    std::vector<std::string> c = {r.file, r.error};
    if (!r.error.empty()) {
        c.resize(columnNames().size());
        return c;
    }
    const Results& res = r.results;
    const Statistics& st = res.statistics;
    c.insert(c.end(), {r.locality, r.code, r.age, integer(st.n), integer(r.rowsRead),
                       rejectedText(r.rejectedRows), shortestNumber(st.mean), shortestNumber(st.sd),
                       shortestNumber(st.se), shortestNumber(st.minValue), integer(st.minRow),
                       shortestNumber(st.maxValue), integer(st.maxRow)});
    for (const bool largest : {false, true}) {
        auto classed = [&c](bool ran, const ClassedStatistic& x) {
            if (!ran) return c.insert(c.end(), 4, ""), void();
            c.insert(c.end(), {shortestNumber(x.statistic), std::string(unpadded(x.cls)),
                               pCell(x.p), boundCell(x.p)});
        };
        classed(res.grubbs.ran, largest ? res.grubbs.max : res.grubbs.min);
        classed(res.dixon.ran, largest ? res.dixon.max : res.dixon.min);
        c.push_back(res.iqr.ran
                        ? std::string(unpadded(largest ? res.iqr.oldVerdict : res.iqr.youngVerdict))
                        : "");
        const GaussExtreme& g = largest ? res.gauss.max : res.gauss.min;
        if (res.gauss.ran)
            c.insert(c.end(), {shortestNumber(g.g), shortestNumber(res.gauss.critical),
                               std::string(g.outlier ? kOutlier : kOk), pCell(g.p)});
        else
            c.insert(c.end(), 4, "");
    }
    const IqrResult& q = res.iqr;
    for (double v : {q.q1, q.q3, q.lowerInner, q.upperInner, q.lowerOuter, q.upperOuter})
        c.push_back(q.ran ? shortestNumber(v) : "");
    std::string rows;
    for (int i = 0; i < r.gesd.outliers; ++i)
        rows += (i > 0 ? " " : "") + std::to_string(r.gesdRows[static_cast<std::size_t>(i)]);
    c.push_back(r.gesd.ran() ? std::to_string(r.gesd.outliers) : "");
    c.push_back(rows);
    return c;
}

// Tab-separated: a tab, line end or backslash inside a field is written \t, \n, \r, \\.
void appendTsv(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += '\t';
        for (char ch : cells[i]) {
            switch (ch) {
                case '\t':
                    out += "\\t";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                default:
                    out += ch;
            }
        }
    }
    out += '\n';
}

// RFC 4180: a field holding a comma, a quote or a line end is quoted, its quotes doubled; records
// end with CR LF.
void appendCsv(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& f = cells[i];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char ch : f) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        out += '"';
    }
    out += "\r\n";
}

std::string jsonNumber(double value) {
    return std::isfinite(value) ? shortestNumber(value) : "null";
}

std::string jsonP(const PValue& p) {
    return ", \"p\": " + (p.known() ? jsonNumber(p.value) : "null") +
           ", \"p_is_bound\": " + (p.known() ? (p.isBound() ? "true" : "false") : "null");
}

std::string jsonClassed(bool ran, const ClassedStatistic& x) {
    if (!ran) return "null";
    return "{\"statistic\": " + jsonNumber(x.statistic) +
           ", \"class\": " + jsonString(unpadded(x.cls)) + jsonP(x.p) + "}";
}

std::string jsonExtreme(const Results& res, bool largest) {
    const Statistics& st = res.statistics;
    std::string j = "{\"row\": " + integer(largest ? st.maxRow : st.minRow) +
                    ", \"value\": " + jsonNumber(largest ? st.maxValue : st.minValue);
    j += ", \"grubbs\": " + jsonClassed(res.grubbs.ran, largest ? res.grubbs.max : res.grubbs.min);
    j += ", \"dixon\": " + jsonClassed(res.dixon.ran, largest ? res.dixon.max : res.dixon.min);
    j += ", \"iqr\": " +
         (res.iqr.ran ? jsonString(unpadded(largest ? res.iqr.oldVerdict : res.iqr.youngVerdict))
                      : std::string("null"));
    j += ", \"gauss\": ";
    if (res.gauss.ran) {
        const GaussExtreme& g = largest ? res.gauss.max : res.gauss.min;
        const bool unbounded = std::isinf(g.g);
        j += "{\"statistic\": " + (unbounded ? std::string("null") : jsonNumber(g.g)) +
             ", \"unbounded\": " + (unbounded ? "true" : "false") +
             ", \"critical\": " + jsonNumber(res.gauss.critical) +
             ", \"outlier\": " + (g.outlier ? "true" : "false") +
             ", \"p\": " + (g.p.known() ? jsonNumber(g.p.value) : "null") + "}";
    } else {
        j += "null";
    }
    return j + "}";
}

std::string jsonGesd(const FileReport& r) {
    const GesdResult& g = r.gesd;
    if (!g.ran()) return "null";
    std::string j =
        "{\"alpha\": " + shortestNumber(g.alpha) + ", \"k\": " + integer(g.k) + ", \"steps\": [";
    for (std::size_t i = 0; i < g.steps.size(); ++i) {
        const GesdStep& s = g.steps[i];
        j += std::string(i > 0 ? ", " : "") + "{\"i\": " + integer(s.i) +
             ", \"row\": " + integer(r.gesdRows[i]) + ", \"value\": " + jsonNumber(s.value) +
             ", \"R\": " + jsonNumber(s.R) + ", \"lambda\": " + jsonNumber(s.lambda) + "}";
    }
    j += "], \"outliers\": " + integer(g.outliers) + ", \"rows\": [";
    for (int i = 0; i < g.outliers; ++i)
        j += std::string(i > 0 ? ", " : "") + integer(r.gesdRows[static_cast<std::size_t>(i)]);
    return j + "]}";
}

std::string jsonObject(const FileReport& r) {
    std::string j = "{\"file\": " + jsonString(r.file);
    if (!r.error.empty()) {
        return j +
               ", \"locality\": null, \"code\": null, \"age\": null, \"n\": null, \"n_read\": "
               "null, \"rejected\": null, \"mean\": null, \"sd\": null, \"se\": null, \"iqr\": "
               "null, \"min\": null, \"max\": null, \"gesd\": null, \"error\": " +
               jsonString(r.error) + "}";
    }
    const Results& res = r.results;
    const Statistics& st = res.statistics;
    j += ", \"locality\": " + jsonString(r.locality) + ", \"code\": " + jsonString(r.code) +
         ", \"age\": " + jsonString(r.age) + ", \"n\": " + integer(st.n) +
         ", \"n_read\": " + integer(r.rowsRead) + ", \"rejected\": [";
    for (std::size_t i = 0; i < r.rejectedRows.size(); ++i) {
        if (i > 0) j += ", ";
        j += integer(r.rejectedRows[i]);
    }
    j += "], \"mean\": " + jsonNumber(st.mean) + ", \"sd\": " + jsonNumber(st.sd) +
         ", \"se\": " + jsonNumber(st.se) + ", \"iqr\": ";
    if (res.iqr.ran) {
        const IqrResult& q = res.iqr;
        j += "{\"q1\": " + jsonNumber(q.q1) + ", \"q3\": " + jsonNumber(q.q3) +
             ", \"lower_inner\": " + jsonNumber(q.lowerInner) +
             ", \"upper_inner\": " + jsonNumber(q.upperInner) +
             ", \"lower_outer\": " + jsonNumber(q.lowerOuter) +
             ", \"upper_outer\": " + jsonNumber(q.upperOuter) + "}";
    } else {
        j += "null";
    }
    j += ", \"min\": " + jsonExtreme(res, false) + ", \"max\": " + jsonExtreme(res, true);
    return j + ", \"gesd\": " + jsonGesd(r) + ", \"error\": null}";
}

// Length of the UTF-8 sequence at text[i], or 0 when it is not one (overlong forms, surrogates
// and code points above U+10FFFF included).
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80) return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

}  // namespace

const std::vector<std::string>& columnNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"file", "error",  "locality",      "code", "age",
                                      "n",    "n_read", "rejected_rows", "mean", "sd",
                                      "se",   "min",    "min_row",       "max",  "max_row"};
        for (const char* side : {"min_", "max_"})
            for (const char* column : {"grubbs_t", "grubbs_class", "grubbs_p", "grubbs_p_is_bound",
                                       "dixon_r", "dixon_class", "dixon_p", "dixon_p_is_bound",
                                       "iqr_verdict", "g", "g_critical", "g_verdict", "g_p"})
                n.push_back(side + std::string(column));
        for (const char* column :
             {"q1", "q3", "lower_inner_fence", "upper_inner_fence", "lower_outer_fence",
              "upper_outer_fence", "gesd_outliers", "gesd_rows"})
            n.push_back(column);
        return n;
    }();
    return names;
}

void ReportWriter::begin() {
    m_buffer.clear();
    if (m_format == Format::Json)
        m_buffer += '[';
    else if (m_format == Format::Tsv)
        appendTsv(m_buffer, columnNames());
    else
        appendCsv(m_buffer, columnNames());
    m_out << m_buffer;
}

void ReportWriter::write(const FileReport& report) {
    m_buffer.clear();
    if (m_format == Format::Json)
        m_buffer.append(m_first ? "\n" : ",\n").append(jsonObject(report));
    else if (m_format == Format::Tsv)
        appendTsv(m_buffer, rowCells(report));
    else
        appendCsv(m_buffer, rowCells(report));
    m_first = false;
    m_out << m_buffer;
}

void ReportWriter::end() {
    if (m_format == Format::Json) m_out << "\n]\n";
    m_out.flush();
}

std::string shortestNumber(double value) {
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string jsonString(std::string_view text) {
    std::string j = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8Length(text, i);
        if (length == 0) {
            j += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
            continue;
        }
        const char ch = text[i];
        if (length > 1) {
            j.append(text.substr(i, length));
        } else if (ch == '"' || ch == '\\') {
            j += '\\', j += ch;
        } else if (ch == '\n') {
            j += "\\n";
        } else if (ch == '\r') {
            j += "\\r";
        } else if (ch == '\t') {
            j += "\\t";
        } else if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned char>(ch));
            j += code;
        } else {
            j += ch;
        }
        i += length;
    }
    return j + "\"";
}

std::string_view unpadded(std::string_view text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

}  // namespace sifton::cli
