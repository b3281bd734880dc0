#include "ui/import_preview.h"

#include "core/number_text.h"

namespace sifton {
namespace {

void addRows(ImportPreview& p, const std::vector<DataRow>& rows, bool secondField, int maxRows) {
    for (int i = 0; i < maxRows && i < static_cast<int>(rows.size()); ++i) {
        const DataRow& r = rows[static_cast<size_t>(i)];
        p.rows.push_back({std::to_string(i + 1), generalNumberText(r.value1),
                          secondField ? generalNumberText(r.value2) : ""});
    }
}

}  // namespace

ImportPreview importPreview(const std::string& path, const DataFile& file, int maxRows) {
    ImportPreview p;
    if (!file.ok()) {
        p.note = dataFileFailureMessage(path, file);
        return p;
    }
    addRows(p, file.rows, file.reading.separator != 0, maxRows);
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

std::optional<UncertaintyQuestion> uncertaintyQuestion(const DataSet& data) {
    // A paste, and a file without a header or of one field, leave the second field unnamed.
    const std::optional<UncertaintyKind> named = uncertaintyNamedBy(data.Locality, data.LocalityM);
    if (!named) return std::nullopt;
    UncertaintyQuestion q;
    q.sentence = "The second field's header, \"" + data.LocalityM + "\", names an uncertainty.";
    q.kinds = {*named, UncertaintyKind::None};
    q.labels = {std::string(uncertaintyName(*named)), "Not an uncertainty"};
    return q;
}

ImportPreview uncertaintyPreview(const DataSet& data, UncertaintyKind kind, int maxRows) {
    ImportPreview p;
    addRows(p, data.rows, true, maxRows);
    const std::string rows = std::to_string(data.RowCount()) + " rows; ";
    if (kind == UncertaintyKind::None) {
        p.note = rows + "the second field takes part in no calculation.";
        return p;
    }
    const Outcome<DataSet> declared = declaringUncertainty(data, kind);
    if (const auto* refused = std::get_if<Refusal>(&declared)) {
        p.note = refused->message;
        return p;
    }
    p.note = rows + "the second field is each value's uncertainty, " +
             std::string(uncertaintyName(kind)) +
             ": the weighted mean, the central age and each value's residual are computed.";
    return p;
}

}  // namespace sifton
