#include "ui/import_preview.h"

#include "core/number_text.h"

namespace sifton {

ImportPreview importPreview(const std::string& path, const DataFile& file, int maxRows) {
    ImportPreview p;
    if (!file.ok()) {
        p.note = dataFileFailureMessage(path, file);
        return p;
    }
    const bool oneField = file.reading.separator == 0;  // no second field to show
    for (int i = 0; i < maxRows && i < static_cast<int>(file.rows.size()); ++i) {
        const DataRow& r = file.rows[static_cast<size_t>(i)];
        p.rows.push_back({std::to_string(i + 1), generalNumberText(r.value1),
                          oneField ? "" : generalNumberText(r.value2)});
    }
    p.note = std::to_string(file.rows.size()) + " rows; " +
             (file.reading.header ? "the sample: \"" + file.locality + "\"" : "no header") + ".";
    return p;
}

ImportPreview pastePreview(const PastedValues& pasted, int maxRows) {
    ImportPreview p;
    if (!pasted.ok()) {
        p.note = pasteFailureMessage(pasted);
        return p;
    }
    for (int i = 0; i < maxRows && i < static_cast<int>(pasted.values.size()); ++i)
        p.rows.push_back(
            {std::to_string(i + 1), generalNumberText(pasted.values[static_cast<size_t>(i)]), ""});
    p.note = std::to_string(pasted.values.size()) + " values; " +
             (pasted.name ? "the sample: \"" + *pasted.name + "\"" : "no sample name") + ".";
    return p;
}

}  // namespace sifton
