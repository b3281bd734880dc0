// Checks of the help-document writer: the formula typesetter (what it refuses, where it puts
// the parts), page breaking (nothing split, headings and table headers kept with what follows)
// and the Markdown pass (formulas found outside code, expressions bound, sources refused).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include "formula.h"
#include "manual.h"
#include "pagination.h"

using namespace helppdf;

namespace {

// Measured as on the PDF writer: 1200 dots per inch, so a 10 pt em is 166.7 device units.
const QImage& device() {
    static const QImage image = [] {
        QImage i(8, 8, QImage::Format_ARGB32);
        i.setDotsPerMeterX(47244);
        i.setDotsPerMeterY(47244);
        return i;
    }();
    return image;
}
constexpr double kEm = 10 * 1200 / 72.0;

Formula typeset(const char* tex, FormulaStyle style = FormulaStyle::Display) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(10);
    return typesetFormula(QString::fromUtf8(tex), font, style, device());
}

const Formula::Glyphs& glyph(const Formula& formula, const char* text) {
    for (const Formula::Glyphs& g : formula.glyphs)
        if (g.text == QString::fromUtf8(text)) return g;
    throw std::runtime_error(std::string("no glyph ") + text);
}

QRectF fillsBounds(const Formula& formula) {
    QRectF bounds;
    for (const QPainterPath& path : formula.fills) bounds |= path.boundingRect();
    return bounds;
}

TEST(Formula, RefusesTextOutsideTheNotation) {
    const struct {
        const char* tex;
        int position;
    } cases[] = {
        {"", 0},      {"\\frac{a}", 0}, {"{a", 2},       {"a}", 1},  {"\\left( a", 8},
        {"\\foo", 0}, {"a^b^c", 3},     {"\\text{a", 5}, {"50%", 2}, {"\\left< a \\right)", 5}};
    for (const auto& c : cases) {
        try {
            typeset(c.tex);
            ADD_FAILURE() << "accepted " << c.tex;
        } catch (const FormulaError& error) {
            EXPECT_EQ(error.position(), c.position) << c.tex << ": " << error.what();
        }
    }
}

TEST(Formula, FractionStacksItsPartsAroundTheBar) {
    const Formula display = typeset("\\frac{a}{123}");
    const QRectF bar = fillsBounds(display);
    const Formula::Glyphs& a = glyph(display, "a");
    const Formula::Glyphs& b = glyph(display, "123");
    EXPECT_LT(a.origin.y(), bar.top());                 // numerator above the bar
    EXPECT_GT(b.origin.y() - 0.5 * kEm, bar.bottom());  // denominator's letters below it
    EXPECT_GT(bar.top(), -0.4 * kEm);                   // the bar near the minus sign's height
    EXPECT_LT(bar.bottom(), 0);
    EXPECT_GE(bar.width(), QFontMetricsF(b.font, &device()).horizontalAdvance("123"));
    EXPECT_GE(display.ascent, -a.origin.y());
    EXPECT_GE(display.descent, b.origin.y());
    // In running text the parts shrink; \dfrac keeps them at full size.
    EXPECT_LT(glyph(typeset("\\frac{a}{b}", FormulaStyle::Inline), "a").font.pointSizeF(), 10);
    EXPECT_EQ(glyph(typeset("\\dfrac{a}{b}", FormulaStyle::Inline), "a").font.pointSizeF(), 10);
}

TEST(Formula, ScriptsAreSmallerAndShifted) {
    const Formula formula = typeset("x^2_i");
    const Formula::Glyphs& x = glyph(formula, "x");
    const Formula::Glyphs& up = glyph(formula, "2");
    const Formula::Glyphs& down = glyph(formula, "i");
    EXPECT_TRUE(x.font.italic());
    EXPECT_FALSE(up.font.italic());
    EXPECT_LT(up.font.pointSizeF(), 8);
    EXPECT_LT(up.origin.y(), -0.3 * kEm);
    EXPECT_GT(down.origin.y(), 0.1 * kEm);
    EXPECT_GT(up.origin.x(), x.origin.x());
    EXPECT_GE(formula.descent, down.origin.y());
}

TEST(Formula, RootAndDelimitersGrowWithTheirContents) {
    const Formula root = typeset("\\sqrt{\\frac{a}{b}}");
    const Formula::Glyphs& a = glyph(root, "a");
    const QRectF sign = fillsBounds(root);
    const double inkTop = QFontMetricsF(a.font, &device()).tightBoundingRect("a").top();
    EXPECT_LT(sign.top(), a.origin.y() + inkTop);  // the bar clears the numerator
    EXPECT_GT(sign.bottom(), glyph(root, "b").origin.y());
    EXPECT_LT(sign.left() + 0.5 * kEm, a.origin.x());  // the sign stands before it

    EXPECT_TRUE(typeset("\\left( a \\right)").fills.empty());  // plain parentheses suffice
    const Formula tall = typeset("\\left( \\frac{a}{b} \\right)");
    EXPECT_GT(fillsBounds(tall).height(), 1.5 * kEm);
}

TEST(Formula, BinaryOperatorsAreSpacedUnaryOnesAreNot) {
    const double medium = 4.0 / 18 * kEm;
    const double binary = typeset("a-b").width - typeset("a").width - typeset("-b").width;
    EXPECT_NEAR(binary, 2 * medium, 0.01 * kEm);
    // After a relation a minus is unary: the relation's thick space, none after the minus.
    EXPECT_NEAR(typeset("a=-b").width, typeset("a=").width + 5.0 / 18 * kEm + typeset("-b").width,
                0.01 * kEm);
}

struct Extent {
    double top, bottom;
    bool keep = false, chapter = false;
    int header = -1;
};

std::vector<Piece> pieces(const std::vector<Extent>& runs) {
    std::vector<Piece> out;
    for (const Extent& r : runs) out.push_back({0, r.top, r.bottom, r.chapter, r.keep, r.header});
    return out;
}

std::vector<Extent> lines(int count, double height) {
    std::vector<Extent> runs;
    for (int i = 0; i < count; ++i) runs.push_back({i * height, (i + 1) * height});
    return runs;
}

TEST(Pagination, FillsPagesWithWholePiecesInOrder) {
    std::vector<Extent> runs;  // 40 pieces of 10 to 34, with gaps of 2 between them
    for (int i = 0; i < 40; ++i) {
        const double top = runs.empty() ? 0 : runs.back().bottom + 2;
        runs.push_back({top, top + 10 + (i * 7) % 25});
    }
    const std::vector<Page> pages = paginate(pieces(runs), 100, 0);
    int next = 0;
    for (const Page& page : pages) {
        EXPECT_EQ(page.firstPiece, next);
        const Slice& slice = page.slices.back();
        EXPECT_LE(slice.y + slice.bottom - slice.top, 100);
        // Full: the next piece would not have fitted.
        if (page.endPiece < 40) {
            EXPECT_GT(runs[page.endPiece].bottom - runs[page.firstPiece].top, 100);
        }
        next = page.endPiece;
    }
    EXPECT_EQ(next, 40);
}

TEST(Pagination, KeepsHeadingsWithTheirTextAndOpensChapters) {
    std::vector<Extent> runs = lines(12, 10);
    runs[9].keep = true;  // a heading in the last line of the first page
    runs[5].chapter = true;
    const std::vector<Page> pages = paginate(pieces(runs), 100, 0);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].endPiece, 5);
    EXPECT_EQ(pages[1].firstPiece, 5);

    runs[5].chapter = false;
    const std::vector<Page> moved = paginate(pieces(runs), 100, 0);
    EXPECT_EQ(moved[0].endPiece, 9);  // the heading leaves with the line it stands over

    for (Extent& r : runs) r.keep = true;  // nothing but one chain: pages still fill
    EXPECT_EQ(paginate(pieces(runs), 100, 0)[0].endPiece, 10);
}

TEST(Pagination, RepeatsATableHeaderOnTheNextPage) {
    std::vector<Extent> runs = lines(15, 10);
    runs[3].keep = true;  // the header row
    for (int row = 4; row < 15; ++row) runs[row].header = 3;
    const std::vector<Page> pages = paginate(pieces(runs), 100, 0);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[1].slices.size(), 2u);
    EXPECT_EQ(pages[1].slices[0].top, 30);  // the header row first
    EXPECT_EQ(pages[1].slices[1].y, 10);    // then the rows, right under it
    EXPECT_EQ(pages[1].slices[1].top, 100);
    EXPECT_EQ(pages[1].firstPiece, 10);
}

TEST(Pagination, GivesAnOversizedPieceAPageOfItsOwn) {
    const std::vector<Page> pages = paginate(pieces({{0, 10}, {10, 250}, {250, 260}}), 100, 0);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].firstPiece, 1);
    EXPECT_EQ(pages[1].endPiece, 2);
}

TEST(MarkdownPass, FindsFormulasOutsideCodeAndBindsSmallExpressions) {
    const struct {
        const char* markdown;
        std::vector<QString> formulas;
        const char* output;  // a part of the text handed on
    } cases[] = {
        {"a $x^2$ b", {"x^2"}, "a ![formula]"},
        {"`$x$` and $y$", {"y"}, "`$x$`"},
        {"\\$x$ and $5", {}, "\\$x$"},
        {"```\n$x$\n```", {}, "$x$"},
        {"  ```math\n  \\frac{a}{b}\n  ```", {"\\frac{a}{b}"}, "  ![formula]"},
        {"10 % and n = 3 and `gauss-g.dat x`",
         {},
         "10\u00A0% and n\u00A0=\u00A03 and `gauss-\u2060g.dat\u00A0x`"},
    };
    for (const auto& c : cases) {
        std::vector<FormulaSource> found;
        const QString out = extractFormulas(QString::fromUtf8(c.markdown), "t.md", found);
        ASSERT_EQ(found.size(), c.formulas.size()) << c.markdown;
        for (size_t i = 0; i < found.size(); ++i) EXPECT_EQ(found[i].tex, c.formulas[i]);
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.output))) << qPrintable(out);
    }
}

TEST(Manual, RefusesSourcesThatWouldNotPrintCleanly) {
    QTemporaryDir folder;
    const std::string wide(160, 'x');
    const struct {
        std::string markdown;
        const char* message;
    } cases[] = {
        {"# A\n\n```math\nx\n", "t.md:3: math block"},
        {"# A\n\nsee $\\frac{a}$\n", "t.md:3: in the formula"},
        {"# A\n\n![](p.png)\n", "needs a description"},
        {"# A\n\n![a picture](p.png)\n", "picture p.png not found"},
        {"# A\n\n```\n" + wide + "\n```\n", "wider than the page"},
        {"# A\n\n| a | b |\n|---|---|\n| `" + wide.substr(0, 60) + "` | `" + wide.substr(0, 60) +
             "` |\n",
         "wider than the page"},
    };
    for (const auto& c : cases) {
        const QString source = QDir(folder.path()).filePath("t.md");
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.markdown.c_str());
        file.close();
        try {
            writeManual({QDir(folder.path()).filePath("t.pdf"), {source}, {}});
            ADD_FAILURE() << "accepted " << c.markdown;
        } catch (const ManualError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
