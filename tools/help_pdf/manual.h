// The help document: Markdown sources in, an A4 PDF out. Qt's Markdown reader builds one
// QTextDocument from all sources (headings, paragraphs, lists, tables, code blocks, emphasis,
// pictures); formulas written as $...$ or in ```math blocks are typeset by formula.h and set
// as unbreakable objects; a line <!-- contents --> becomes a list of the chapters and sections
// with their pages. The document is laid out once as a tall strip, cut into pieces that never
// split (lines, table rows, pictures, formulas) and paginated by pagination.h, so no table row
// and no formula is ever cut by a page end. A source that would not print cleanly (a formula
// outside the supported notation, a missing picture, a line or table wider than the page) stops
// the build with a message instead of producing a damaged page.
#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace helppdf {

// A source or a setting that does not give a clean document; the message names the place.
class ManualError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ManualOptions {
    QString output;              // the PDF to write
    QStringList inputs;          // Markdown files, joined in this order
    QStringList pictureFolders;  // searched for pictures before the folder of each input
};

void writeManual(const ManualOptions& options);

// Where the Markdown reader would misread them, formulas are taken out of the text first and
// replaced by placeholders; `formulas` receives them in order. Exposed for tests.
struct FormulaSource {
    QString tex;
    bool display = false;
    QString file;
    int line = 0;
};
QString extractFormulas(const QString& markdown, const QString& file,
                        std::vector<FormulaSource>& formulas);

}  // namespace helppdf
