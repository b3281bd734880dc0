#include "manual.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextObjectInterface>
#include <QTextTable>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "formula.h"
#include "pagination.h"

namespace helppdf {
namespace {

// Page: A4 with margins in millimetres; the footer sits in the bottom margin.
constexpr qreal kLeftMm = 22, kRightMm = 22, kTopMm = 20, kBottomMm = 22, kFooterMm = 12;
constexpr int kResolution = 1200;
// Lengths in text formats are pixels at 96 dots per inch whatever the device.
constexpr qreal kPt = 96.0 / 72.0;

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kMono = QStringLiteral("Liberation Mono");
constexpr qreal kBodyPt = 10, kTablePt = 9.5, kCodePt = 8.5, kInlineCodePt = 9;
// The serif of the formulas looks smaller than the sans of the text at the same size.
constexpr qreal kFormulaScale = 1.1;
const QColor kHeadingColour(25, 55, 105);
const QColor kRuleColour(90, 90, 90);
const QColor kLightRuleColour(200, 200, 200);
const QColor kHeaderBackground(232, 236, 244);
const QColor kCodeBackground(244, 244, 244);
// Up to this many lines a code block is kept on one page.
constexpr int kCodeKeptWhole = 14;

const QString kFormulaScheme = QStringLiteral("sifton-formula:");
const QString kContentsMarker = QStringLiteral("SIFTON-CONTENTS-LIST");

constexpr int kFormulaObject = QTextFormat::UserObject + 1;
constexpr int kFormulaIndex = QTextFormat::UserProperty + 1;
constexpr int kDisplayFormula = QTextFormat::UserProperty + 2;

QString where(const QString& file, int line) {
    return QStringLiteral("%1:%2: ").arg(file).arg(line);
}

qreal pointSizeOf(const QTextFormat& format, const QTextDocument* doc) {
    return format.hasProperty(QTextFormat::FontPointSize)
               ? format.doubleProperty(QTextFormat::FontPointSize)
               : doc->defaultFont().pointSizeF();
}

// Sets each formula as one inline object. Qt reserves room for an object aligned AlignBottom
// evenly around the middle of the text font's ascent and descent; the object's height is
// chosen so that this room holds the formula with its baseline on the text's. Qt draws such an
// object where the line's height puts it, so the formula is drawn on its line's baseline.
class FormulaObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    explicit FormulaObject(const std::vector<FormulaSource>& sources) : m_sources(sources) {}

    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) override {
        const Formula formula = typeset(doc, format);
        const QFont text = format.toCharFormat().font().resolve(doc->defaultFont());
        const QFontMetricsF metrics(text, doc->documentLayout()->paintDevice());
        const qreal middle = (metrics.ascent() - metrics.descent()) / 2;
        const qreal half = std::max(formula.ascent - middle, formula.descent + middle);
        return QSizeF(formula.width, 2 * half);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int position,
                    const QTextFormat& format) override {
        const QTextBlock block = doc->findBlock(position);
        const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
        const qreal baseline =
            doc->documentLayout()->blockBoundingRect(block).top() + line.y() + line.ascent();
        const QColor colour = format.hasProperty(QTextFormat::ForegroundBrush)
                                  ? format.foreground().color()
                                  : QColor(Qt::black);
        typeset(doc, format).paint(*painter, QPointF(rect.left(), baseline), colour);
    }

  private:
    Formula typeset(QTextDocument* doc, const QTextFormat& format) const {
        const FormulaSource& source = m_sources.at(format.intProperty(kFormulaIndex));
        QFont font(kSerif);
        font.setPointSizeF(pointSizeOf(format, doc) * kFormulaScale);
        return typesetFormula(source.tex, font,
                              source.display ? FormulaStyle::Display : FormulaStyle::Inline,
                              *doc->documentLayout()->paintDevice());
    }

    const std::vector<FormulaSource>& m_sources;
};

// Code spans never break: their blanks become no-break spaces and a word joiner follows each
// hyphen.
QString unbreakableCode(const QString& code) {
    QString out;
    for (const QChar c : code) {
        out += c == u' ' ? QChar(0x00A0) : c;
        if (c == u'-') out += QChar(0x2060);
    }
    return out;
}

// Blanks that would let a line end inside a small expression of the running text: between a
// number and its percent sign, and around an operator standing between two words (n − 1,
// n = 3, 2 × 10).
bool bindsBlank(const QString& line, int i) {
    if (i == 0 || i + 1 >= line.size() || line.at(i - 1).isSpace()) return false;
    if (line.at(i + 1) == u'%' && line.at(i - 1).isDigit()) return true;
    static const QString operators = QStringLiteral("=<>\u2212\u00D7\u00B1\u2264\u2265\u2248");
    const auto isOperatorAt = [&](int at) {
        return at > 0 && at + 1 < line.size() && operators.contains(line.at(at)) &&
               line.at(at - 1) == u' ' && line.at(at + 1) == u' ';
    };
    return isOperatorAt(i + 1) || isOperatorAt(i - 1);
}

// $...$ outside code spans, as GitHub reads them: the opening $ is followed by a non-blank,
// the closing one follows a non-blank and is not followed by a digit; \$ is a dollar sign.
QString extractInline(const QString& line, const QString& file, int lineNumber,
                      std::vector<FormulaSource>& formulas) {
    QString out;
    const int n = int(line.size());
    for (int i = 0; i < n;) {
        const QChar c = line.at(i);
        if (c == u'\\' && i + 1 < n) {
            out += line.mid(i, 2);
            i += 2;
            continue;
        }
        if (c == u'`') {
            int run = 0;
            while (i + run < n && line.at(i + run) == u'`') ++run;
            const QString ticks(run, u'`');
            int close = line.indexOf(ticks, i + run);
            while (close >= 0 && close + run < n && line.at(close + run) == u'`')
                close = line.indexOf(ticks, close + run + 1);
            if (close < 0) {
                out += ticks;
                i += run;
                continue;
            }
            out += ticks + unbreakableCode(line.mid(i + run, close - i - run)) + ticks;
            i = close + run;
            continue;
        }
        if (c == u'$' && i + 1 < n && !line.at(i + 1).isSpace() && line.at(i + 1) != u'$') {
            int close = -1;
            for (int j = i + 1; j < n; ++j) {
                if (line.at(j) == u'\\') {
                    ++j;
                    continue;
                }
                if (line.at(j) == u'$' && !line.at(j - 1).isSpace() &&
                    !(j + 1 < n && line.at(j + 1).isDigit())) {
                    close = j;
                    break;
                }
            }
            if (close > 0) {
                formulas.push_back({line.mid(i + 1, close - i - 1), false, file, lineNumber});
                out +=
                    QStringLiteral("![formula](%1%2)").arg(kFormulaScheme).arg(formulas.size() - 1);
                i = close + 1;
                continue;
            }
        }
        out += c == u' ' && bindsBlank(line, i) ? QChar(0x00A0) : c;
        ++i;
    }
    return out;
}

}  // namespace

QString extractFormulas(const QString& markdown, const QString& file,
                        std::vector<FormulaSource>& formulas) {
    // A fence may be indented, as inside a list item; the formula keeps the indentation.
    static const QRegularExpression fenceOpening(QStringLiteral(R"(^(\s*)(`{3,}|~{3,})\s*(\S*))"));
    QStringList lines = markdown.split(u'\n');
    QStringList out;
    QString fence;  // the fence of the code or math block we are in
    bool math = false;
    QString formula;
    QString indent;
    int formulaLine = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        const QString trimmed = line.trimmed();
        if (!fence.isEmpty()) {
            const bool closes =
                trimmed.startsWith(fence) && trimmed.count(fence.front()) == trimmed.size();
            if (math) {
                if (closes) {
                    formulas.push_back({formula.trimmed(), true, file, formulaLine});
                    out << QString()
                        << indent + QStringLiteral("![formula](%1%2)")
                                        .arg(kFormulaScheme)
                                        .arg(formulas.size() - 1)
                        << QString();
                    fence.clear();
                    math = false;
                } else {
                    formula += line + u' ';
                }
            } else {
                out << line;
                if (closes) fence.clear();
            }
            continue;
        }
        const QRegularExpressionMatch opening = fenceOpening.match(line);
        if (opening.hasMatch()) {
            indent = opening.captured(1);
            fence = opening.captured(2);
            math = opening.captured(3) == QStringLiteral("math");
            formula.clear();
            formulaLine = i + 1;
            if (!math) out << line;
            continue;
        }
        // Qt's reader drops a picture without a description, and the page would lack it.
        if (line.contains(QStringLiteral("![]("))) {
            throw ManualError((where(file, i + 1) + "a picture needs a description: ![text](file)")
                                  .toStdString());
        }
        if (trimmed == QStringLiteral("<!-- contents -->")) {
            out << kContentsMarker;
            continue;
        }
        out << extractInline(line, file, i + 1, formulas);
    }
    if (math)
        throw ManualError((where(file, formulaLine) + "math block without its end").toStdString());
    return out.join(u'\n');
}

namespace {

void editFragments(const QTextBlock& block, const std::function<void(QTextCharFormat&)>& edit) {
    std::vector<std::pair<QTextFragment, QTextCharFormat>> fragments;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().isValid())
            fragments.emplace_back(it.fragment(), it.fragment().charFormat());
    QTextCursor cursor(block);
    for (auto& [fragment, format] : fragments) {
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        edit(format);
        cursor.setCharFormat(format);
    }
    cursor.setPosition(block.position());
    QTextCharFormat own = block.charFormat();
    edit(own);
    cursor.setBlockCharFormat(own);
}

void setFont(QTextCharFormat& format, const QString& family, qreal points) {
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(points);
    format.clearProperty(QTextFormat::FontSizeAdjustment);
}

bool isCode(const QTextBlock& block) { return block.blockFormat().nonBreakableLines(); }

bool holdsPicture(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat()) return true;
    return false;
}

void styleBlock(const QTextBlock& block, bool title, qreal textPoints) {
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    const int level = format.headingLevel();
    if (level > 0) {
        const qreal points = title ? 22 : level == 1 ? 19 : level == 2 ? 13.5 : 11;
        format.setTopMargin((level == 1 ? 0 : level == 2 ? 13 : 9) * kPt);
        format.setBottomMargin((level == 1 ? 10 : level == 2 ? 5 : 3) * kPt);
        format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
        cursor.setBlockFormat(format);
        editFragments(block, [&](QTextCharFormat& chars) {
            setFont(chars, kSans, points);
            chars.setFontWeight(QFont::Bold);
            chars.setForeground(kHeadingColour);
        });
        return;
    }
    if (isCode(block)) {
        format.setBackground(kCodeBackground);
        format.setLeftMargin(format.leftMargin() + 4 * kPt);
        // Proportional spacing would leave white stripes between the lines' backgrounds.
        format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
        const bool first = !isCode(block.previous());
        const bool last = !isCode(block.next());
        format.setTopMargin(first ? 3 * kPt : 0);
        format.setBottomMargin(last ? 7 * kPt : 0);
        cursor.setBlockFormat(format);
        editFragments(block, [](QTextCharFormat& chars) { setFont(chars, kMono, kCodePt); });
        return;
    }
    if (format.hasProperty(kDisplayFormula)) {
        format.setAlignment(Qt::AlignHCenter);
        format.setTopMargin(3 * kPt);
        format.setBottomMargin(7 * kPt);
    } else if (holdsPicture(block)) {
        // A proportional line height would open a gap under a picture as tall as a line.
        format.setTopMargin(4 * kPt);
        format.setBottomMargin(8 * kPt);
    } else {
        format.setLineHeight(120, QTextBlockFormat::ProportionalHeight);
        format.setBottomMargin(5 * kPt);
    }
    cursor.setBlockFormat(format);
    editFragments(block, [&](QTextCharFormat& chars) {
        if (chars.fontFixedPitch())
            setFont(chars, kMono, textPoints * kInlineCodePt / kBodyPt);
        else
            setFont(chars, kSans, textPoints);
    });
}

void styleTable(QTextTable* table) {
    QTextTableFormat format = table->format();
    format.setBorder(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    format.setCellSpacing(0);
    format.setCellPadding(3.5 * kPt);
    format.setTopMargin(2 * kPt);
    format.setBottomMargin(9 * kPt);
    format.setHeaderRowCount(0);  // repeating the header row is the paginator's business
    table->setFormat(format);
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            if (row == 0) {
                QTextCharFormat head = cell.format();
                head.setBackground(kHeaderBackground);
                cell.setFormat(head);
            }
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                QTextBlock block = it.currentBlock();
                if (!block.isValid()) continue;
                QTextBlockFormat blockFormat = block.blockFormat();
                blockFormat.setTopMargin(0);
                blockFormat.setBottomMargin(0);
                blockFormat.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
                QTextCursor(block).setBlockFormat(blockFormat);
                editFragments(block, [row](QTextCharFormat& chars) {
                    setFont(chars, chars.fontFixedPitch() ? kMono : kSans,
                            chars.fontFixedPitch() ? kTablePt * kInlineCodePt / kBodyPt : kTablePt);
                    if (row == 0) chars.setFontWeight(QFont::Bold);
                });
            }
        }
    }
}

struct ObjectAt {
    int position;
    QTextCharFormat format;
};

std::vector<ObjectAt> objectsIn(QTextDocument& doc) {
    std::vector<ObjectAt> objects;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat()) continue;
            for (int i = 0; i < fragment.length(); ++i)
                objects.push_back({fragment.position() + i, fragment.charFormat()});
        }
    }
    return objects;
}

void setFormulaObjects(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    for (const ObjectAt& object : objectsIn(doc)) {
        const QString name = object.format.toImageFormat().name();
        if (!name.startsWith(kFormulaScheme)) continue;
        QTextCharFormat format = object.format;
        format.clearProperty(QTextFormat::ImageName);
        format.setObjectType(kFormulaObject);
        format.setProperty(kFormulaIndex, name.mid(kFormulaScheme.size()).toInt());
        format.setVerticalAlignment(QTextCharFormat::AlignBottom);
        cursor.setPosition(object.position);
        cursor.setPosition(object.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

void markDisplayFormulas(QTextDocument& doc, const std::vector<FormulaSource>& formulas) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.length() != 2) continue;  // one object and the block's end
        const QTextCharFormat format = block.begin().fragment().charFormat();
        if (format.objectType() != kFormulaObject) continue;
        if (!formulas.at(format.intProperty(kFormulaIndex)).display) continue;
        QTextBlockFormat blockFormat = block.blockFormat();
        blockFormat.setProperty(kDisplayFormula, true);
        QTextCursor(block).setBlockFormat(blockFormat);
    }
}

// Pictures come from the picture folders or beside the sources. Their printed size is the
// size the file states (dots per metre), 96 dots per inch when it states none, at most the
// width of the text; a thin frame keeps a white window apart from the white page.
void loadPictures(QTextDocument& doc, const QStringList& folders, qreal textWidthPx96) {
    QTextCursor cursor(&doc);
    std::map<QString, QImage> loaded;
    for (const ObjectAt& object : objectsIn(doc)) {
        QTextImageFormat format = object.format.toImageFormat();
        const QString name = format.name();
        if (name.startsWith(kFormulaScheme)) continue;
        if (!loaded.count(name)) {
            QImage image;
            for (const QString& folder : folders)
                if (image.load(QDir(folder).filePath(name))) break;
            if (image.isNull())
                throw ManualError(
                    ("picture " + name + " not found in " + folders.join(", ")).toStdString());
            const int line = std::max(1, qRound(image.dotsPerMeterX() * 0.0254 / 96));
            QPainter frame(&image);
            frame.setPen(
                QPen(QColor(150, 150, 150), line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            frame.drawRect(
                QRectF(line / 2.0, line / 2.0, image.width() - line, image.height() - line));
            frame.end();
            loaded[name] = image;
            doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
        const QImage& image = loaded[name];
        const qreal dpi = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * 0.0254 : 96.0;
        const qreal width = std::min(image.width() * 96.0 / dpi, textWidthPx96);
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());
        cursor.setPosition(object.position);
        cursor.setPosition(object.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

// How the rules of a table row are drawn around a piece.
struct Rules {
    enum Kind { None, HeaderRow, Row, LastRow } kind = None;
    qreal left = 0;
    qreal right = 0;
};

struct Strip {
    QTextDocument* doc;
    int source;
};

class PieceCutter {
  public:
    std::vector<Piece> pieces;
    std::vector<Rules> rules;
    std::vector<std::pair<QTextBlock, int>> headings;  // heading block, its first piece

    void block(const Strip& strip, const QTextBlock& block, bool chapter) {
        const QRectF rect = strip.doc->documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        const int lines = layout->lineCount();
        if (block.text().isEmpty() || lines == 0) return;
        const QTextBlockFormat format = block.blockFormat();
        const bool heading = format.headingLevel() > 0;
        const bool code = isCode(block);
        if (heading) headings.emplace_back(block, int(pieces.size()));
        if (format.hasProperty(kDisplayFormula) && !pieces.empty())
            pieces.back().keepWithNext = true;  // the sentence that leads to the formula
        // The last item of a list does not stand alone at the head of a page.
        const QTextList* list = block.textList();
        if (list && list->count() > 1 && list->itemNumber(block) == list->count() - 1 &&
            lines == 1 && !pieces.empty())
            pieces.back().keepWithNext = true;
        if (!code) m_codeStart.reset();
        if (code && !m_codeStart) m_codeStart = int(pieces.size());
        const int first = int(pieces.size());
        for (int i = 0; i < lines; ++i) {
            const QTextLine line = layout->lineAt(i);
            Piece piece;
            piece.source = strip.source;
            piece.top = rect.top() + line.y();
            piece.bottom = piece.top + line.height();
            piece.breakBefore = chapter && i == 0;
            add(piece);
        }
        if (heading) {
            for (int i = first; i < int(pieces.size()); ++i) pieces[i].keepWithNext = true;
        } else if (code) {
            keepCode(block);
        } else {
            // No first line alone at the foot of a page, no last line alone at its head.
            pieces[first].keepWithNext = lines > 1;
            if (lines >= 2) pieces[pieces.size() - 2].keepWithNext = true;
            if (block.text().trimmed().endsWith(u':')) pieces.back().keepWithNext = true;
        }
    }

    void table(const Strip& strip, QTextTable* table, bool repeatHeader) {
        m_codeStart.reset();
        QAbstractTextDocumentLayout* layout = strip.doc->documentLayout();
        const qreal padding = table->format().cellPadding() * deviceScale(strip);
        const QRectF frame = layout->frameBoundingRect(table);
        // The cells' edges lie one padding outside their first and last blocks.
        std::vector<qreal> tops;
        qreal bottom = frame.top();
        qreal left = frame.right();
        qreal right = frame.left();
        for (int row = 0; row < table->rows(); ++row) {
            qreal top = frame.bottom();
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                const QRectF first = layout->blockBoundingRect(cell.firstCursorPosition().block());
                const QRectF last = layout->blockBoundingRect(cell.lastCursorPosition().block());
                top = std::min(top, first.top());
                bottom = std::max(bottom, last.bottom());
                left = std::min(left, first.left());
                right = std::max(right, first.right());
            }
            tops.push_back(top - padding);
        }
        const int header = int(pieces.size());
        for (int row = 0; row < table->rows(); ++row) {
            Piece piece;
            piece.source = strip.source;
            piece.top = tops[row];
            piece.bottom = row + 1 < table->rows() ? tops[row + 1] : bottom + padding;
            piece.keepWithNext = repeatHeader && row == 0;
            piece.header = repeatHeader && row > 0 ? header : -1;
            Rules look;
            look.kind = !repeatHeader              ? Rules::None
                        : row == 0                 ? Rules::HeaderRow
                        : row + 1 == table->rows() ? Rules::LastRow
                                                   : Rules::Row;
            look.left = left - padding;
            look.right = right + padding;
            add(piece, look);
        }
    }

  private:
    static qreal deviceScale(const Strip& strip) {
        return strip.doc->documentLayout()->paintDevice()->logicalDpiY() / 96.0;
    }

    void add(const Piece& piece, const Rules& look = {}) {
        pieces.push_back(piece);
        rules.push_back(look);
    }

    // A short code block stays whole; a long one keeps two lines together at either end.
    void keepCode(const QTextBlock& block) {
        if (isCode(block.next())) return;
        const int start = *m_codeStart;
        const int end = int(pieces.size());
        if (end - start <= kCodeKeptWhole) {
            for (int i = start; i < end - 1; ++i) pieces[i].keepWithNext = true;
        } else {
            pieces[start].keepWithNext = true;
            pieces[end - 2].keepWithNext = true;
        }
        m_codeStart.reset();
    }

    std::optional<int> m_codeStart;
};

// Nothing may be cut off at the right edge of the text: not a code line, not a formula, not a
// table whose columns cannot shrink to the page (words never break, see prepare()).
void checkWidths(QTextDocument& doc, qreal textWidth) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        const qreal left = doc.documentLayout()->blockBoundingRect(block).left();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (line.naturalTextWidth() <= 0) continue;
            if (left + line.x() + line.naturalTextWidth() <= textWidth + 1) continue;
            const QString text = block.text()
                                     .mid(line.textStart(), line.textLength())
                                     .replace(QChar::ObjectReplacementCharacter, "[formula]")
                                     .trimmed();
            throw ManualError(("wider than the page: \"" + text + "\"").toStdString());
        }
    }
}

QString readSource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ManualError(("cannot read " + path + ": " + file.errorString()).toStdString());
    return QString::fromUtf8(file.readAll());
}

void requireFonts() {
    for (const QString& family : {kSans, kSerif, kMono})
        if (!QFontDatabase::hasFamily(family))
            throw ManualError(
                ("font " + family + " is not installed (Debian package fonts-liberation2)")
                    .toStdString());
}

void prepare(QTextDocument& doc, QPaintDevice& device, qreal textWidth) {
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDocumentMargin(0);
    QFont body(kSans);
    body.setPointSizeF(kBodyPt);
    doc.setDefaultFont(body);
    doc.setPageSize(QSizeF(textWidth, 1e7));  // one tall strip; the pages are cut later
    // Words never break in the middle; what does not fit is refused by checkWidths.
    QTextOption wrapping = doc.defaultTextOption();
    wrapping.setWrapMode(QTextOption::WordWrap);
    doc.setDefaultTextOption(wrapping);
}

struct Contents {
    QTextDocument doc;
    std::vector<QTextTableCell> pageCells;
};

void buildContents(Contents& contents, const std::vector<std::pair<QTextBlock, int>>& headings) {
    QTextCursor cursor(&contents.doc);
    QTextBlockFormat title;
    title.setHeadingLevel(2);
    cursor.setBlockFormat(title);
    cursor.insertText(QStringLiteral("Contents"));
    cursor.insertBlock(QTextBlockFormat());
    const int rows = int(headings.size());
    QTextTableFormat format;
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 92),
                                      QTextLength(QTextLength::PercentageLength, 8)});
    QTextTable* table = cursor.insertTable(std::max(rows, 1), 2, format);
    // Sections are indented and chapters set apart by cell padding: the layout of table cells
    // ignores block margins here.
    const qreal padding = 1.5 * kPt;
    int row = 0;
    for (const auto& [block, piece] : headings) {
        const int level = block.blockFormat().headingLevel();
        QTextCharFormat chars;
        chars.setFontWeight(level == 1 ? QFont::Bold : QFont::Normal);
        for (int column = 0; column < 2; ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            QTextTableCellFormat look = cell.format().toTableCellFormat();
            look.setPadding(padding);
            if (level == 1 && row > 0) look.setTopPadding(padding + 4 * kPt);
            if (column == 0 && level > 1) look.setLeftPadding(padding + 14 * kPt);
            cell.setFormat(look);
            QTextCursor cursor = cell.firstCursorPosition();
            if (column == 1) {
                QTextBlockFormat right;
                right.setAlignment(Qt::AlignRight);
                cursor.setBlockFormat(right);
            }
            cursor.insertText(column == 0 ? block.text() : QStringLiteral("000"), chars);
        }
        contents.pageCells.push_back(table->cellAt(row, 1));
        ++row;
    }
    for (QTextBlock block = contents.doc.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() > 0) styleBlock(block, false, kBodyPt);
    QTextTableFormat plain = table->format();
    plain.setBorder(0);
    plain.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    plain.setCellSpacing(0);
    table->setFormat(plain);
}

void setPageNumber(QTextTableCell cell, int page) {
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    cursor.insertText(QString::number(page));
}

void drawRules(QPainter& painter, const Piece& piece, const Rules& look, qreal pt) {
    if (look.kind == Rules::None) return;
    const auto rule = [&](qreal y, qreal width, const QColor& colour) {
        painter.fillRect(QRectF(look.left, y - width * pt / 2, look.right - look.left, width * pt),
                         colour);
    };
    if (look.kind == Rules::HeaderRow) {
        rule(piece.top, 0.9, kRuleColour);
        rule(piece.bottom, 0.6, kRuleColour);
    } else if (look.kind == Rules::LastRow) {
        rule(piece.bottom, 0.9, kRuleColour);
    } else {
        rule(piece.bottom, 0.35, kLightRuleColour);
    }
}

// Each page: its slices of the strips, the rules of its table rows, and a foot with the
// chapter's title and the page number.
void paintPages(QPdfWriter& writer, const QString& output, const std::vector<Page>& pages,
                const std::vector<Piece>& pieces, const std::vector<Rules>& rules,
                QTextDocument* const strips[],
                const std::vector<std::pair<int, QString>>& chapters) {
    const qreal perMm = kResolution / 25.4;
    const qreal pt = kResolution / 72.0;
    const qreal textWidth = writer.width() - (kLeftMm + kRightMm) * perMm;
    QPainter painter;
    if (!painter.begin(&writer)) throw ManualError(("cannot write " + output).toStdString());
    QFont foot(kSans);
    foot.setPointSizeF(8);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) writer.newPage();
        const Page& page = pages[p];
        for (const Slice& slice : page.slices) {
            painter.save();
            painter.translate(kLeftMm * perMm, kTopMm * perMm + slice.y - slice.top);
            strips[slice.source]->drawContents(
                &painter, QRectF(0, slice.top, textWidth, slice.bottom - slice.top));
            for (int i = slice.firstPiece; i < slice.endPiece; ++i)
                drawRules(painter, pieces[i], rules[i], pt);
            painter.restore();
        }
        QString chapter;  // none for the title's chapter
        for (size_t c = 1; c < chapters.size(); ++c)
            if (chapters[c].first < page.endPiece) chapter = chapters[c].second;
        painter.setFont(foot);
        painter.setPen(QColor(110, 110, 110));
        const QRectF footer(kLeftMm * perMm, writer.height() - kFooterMm * perMm, textWidth,
                            5 * perMm);
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, chapter);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QString::number(p + 1));
    }
    painter.end();
}

}  // namespace

void writeManual(const ManualOptions& options) {
    if (options.inputs.isEmpty()) throw ManualError("no Markdown source given");
    requireFonts();

    std::vector<FormulaSource> formulas;
    QString markdown;
    QStringList pictureFolders = options.pictureFolders;
    for (const QString& input : options.inputs) {
        markdown += extractFormulas(readSource(input), input, formulas);
        markdown += QStringLiteral("\n\n");
        pictureFolders << QFileInfo(input).absolutePath();
    }

    QPdfWriter writer(options.output);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Sifton - User manual"));
    writer.setCreator(QStringLiteral("Sifton"));
    const qreal perMm = kResolution / 25.4;
    const qreal pt = kResolution / 72.0;
    const qreal textWidth = writer.width() - (kLeftMm + kRightMm) * perMm;
    const qreal textHeight = writer.height() - (kTopMm + kBottomMm) * perMm;

    // Every formula is read once before layout, so a mistake names its file and line.
    for (const FormulaSource& formula : formulas) {
        try {
            typesetFormula(formula.tex, QFont(kSerif), FormulaStyle::Display, writer);
        } catch (const FormulaError& error) {
            throw ManualError((where(formula.file, formula.line) + "in the formula \"" +
                               formula.tex + "\": " + error.what() + " at character " +
                               QString::number(error.position() + 1))
                                  .toStdString());
        }
    }

    QTextDocument doc;
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    prepare(doc, writer, textWidth);
    FormulaObject formulaObject(formulas);
    doc.documentLayout()->registerHandler(kFormulaObject, &formulaObject);
    setFormulaObjects(doc);
    markDisplayFormulas(doc, formulas);
    loadPictures(doc, pictureFolders, textWidth / (kResolution / 96.0));

    std::optional<QTextBlock> contentsAt;
    bool first = true;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            styleTable(table);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        if (!block.isValid()) continue;
        if (block.text() == kContentsMarker) {
            contentsAt = block;
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            continue;
        }
        const bool title = first && block.blockFormat().headingLevel() == 1;
        if (block.blockFormat().headingLevel() > 0) first = false;
        styleBlock(block, title, kBodyPt);
    }
    checkWidths(doc, textWidth);

    // The body, cut into pieces; the contents list goes where the marker was.
    PieceCutter body;
    bool seenTitle = false;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            body.table({&doc, 0}, table, true);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        if (!block.isValid()) continue;
        if (contentsAt && block == *contentsAt) continue;
        const bool chapter = block.blockFormat().headingLevel() == 1;
        body.block({&doc, 0}, block, chapter && seenTitle);
        if (chapter) seenTitle = true;
    }

    Contents contents;
    // The contents list every chapter and section but the title.
    std::vector<std::pair<QTextBlock, int>> listed;
    for (size_t i = 0; i < body.headings.size(); ++i) {
        const int level = body.headings[i].first.blockFormat().headingLevel();
        if ((i > 0 || level != 1) && level <= 2) listed.push_back(body.headings[i]);
    }
    if (contentsAt) buildContents(contents, listed);
    // Set up after it is built: a document laid out while it grows keeps stale line positions.
    prepare(contents.doc, writer, textWidth);

    // Merge: the contents pieces go in after the last body piece above the marker.
    std::vector<Piece> pieces;
    std::vector<Rules> rules;
    std::vector<int> bodyIndex(body.pieces.size());
    int contentsFirst = -1;
    const auto cutContents = [&]() {
        PieceCutter cutter;
        for (auto it = contents.doc.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame()))
                cutter.table({&contents.doc, 1}, table, false);
            else if (it.currentBlock().isValid())
                cutter.block({&contents.doc, 1}, it.currentBlock(), false);
        }
        contentsFirst = int(pieces.size());

        for (size_t i = 0; i < cutter.pieces.size(); ++i) {
            pieces.push_back(cutter.pieces[i]);
            rules.push_back(cutter.rules[i]);
        }
    };
    const qreal contentsY =
        contentsAt ? doc.documentLayout()->blockBoundingRect(*contentsAt).top() : -1;
    for (size_t i = 0; i < body.pieces.size(); ++i) {
        if (contentsAt && contentsFirst < 0 && body.pieces[i].top >= contentsY) cutContents();
        Piece piece = body.pieces[i];
        if (piece.header >= 0) piece.header = bodyIndex[piece.header];
        bodyIndex[i] = int(pieces.size());
        pieces.push_back(piece);
        rules.push_back(body.rules[i]);
    }
    if (contentsAt && contentsFirst < 0) cutContents();

    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].bottom - pieces[i].top > textHeight) {
            throw ManualError("a picture, table row or formula is taller than a page");
        }
    }

    const std::vector<Page> pages = paginate(pieces, textHeight, 10 * pt);
    const auto pageOf = [&](int piece) {
        for (size_t p = 0; p < pages.size(); ++p)
            if (piece >= pages[p].firstPiece && piece < pages[p].endPiece) return int(p) + 1;
        return 0;
    };
    for (size_t i = 0; i < listed.size() && i < contents.pageCells.size(); ++i) {
        setPageNumber(contents.pageCells[i], pageOf(bodyIndex[listed[i].second]));
    }
    // Chapters for the running foot.
    std::vector<std::pair<int, QString>> chapters;
    for (const auto& [block, piece] : body.headings)
        if (block.blockFormat().headingLevel() == 1)
            chapters.emplace_back(bodyIndex[piece], block.text());

    QTextDocument* strips[] = {&doc, &contents.doc};
    paintPages(writer, options.output, pages, pieces, rules, strips, chapters);
}

}  // namespace helppdf

#include "manual.moc"
