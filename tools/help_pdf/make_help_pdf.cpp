// make_help_pdf: renders Markdown files into one A4 PDF, the help document of the program.
//
//   make_help_pdf OUTPUT.pdf INPUT.md [MORE.md ...]
//
// The files are joined in the order given; every top-level heading after the first starts a
// new page, so each file (and each chapter) opens on its own page. Runs without a display.

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <cstdio>

namespace {

// QTextDocument::print() adds 2 cm of its own on every side, page numbers in the bottom one.
constexpr double kMarginMm = 5.0;
constexpr int kResolution = 300;

bool readText(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

// Spacing and fonts that the Markdown reader leaves at Qt's defaults, chosen for print.
void styleForPrint(QTextDocument& doc) {
    const QFont mono("DejaVu Sans Mono", 8);
    bool firstTitle = true;
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        cursor.setPosition(block.position());
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level == 1) {
            if (!firstTitle) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            firstTitle = false;
            format.setTopMargin(0);
            format.setBottomMargin(14);
        } else if (level == 2) {
            format.setTopMargin(16);
            format.setBottomMargin(6);
            format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        } else if (level >= 3) {
            format.setTopMargin(10);
            format.setBottomMargin(4);
        } else if (format.nonBreakableLines()) {  // code block
            format.setBackground(QColor(242, 242, 242));
            format.setLeftMargin(12);
        } else {
            format.setBottomMargin(6);
            format.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
        }
        cursor.setBlockFormat(format);

        if (format.nonBreakableLines()) {
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat chars;
            chars.setFont(mono);
            cursor.mergeCharFormat(chars);
        }
    }

    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        QTextTableFormat format = table->format();
        format.setBorder(0.6);
        format.setBorderBrush(QColor(150, 150, 150));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setTopMargin(4);
        format.setBottomMargin(10);
        format.setHeaderRowCount(1);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCharFormat head = cell.format();
            head.setBackground(QColor(230, 230, 240));
            cell.setFormat(head);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_help_pdf OUTPUT.pdf INPUT.md [MORE.md ...]\n");
        return 2;
    }
    // A build machine has no display; this tool never needs one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString output = QString::fromLocal8Bit(argv[1]);
    QString markdown;
    for (int i = 2; i < argc; ++i) {
        const QString input = QString::fromLocal8Bit(argv[i]);
        QString text;
        if (!readText(input, text)) {
            std::fprintf(stderr, "make_help_pdf: cannot read %s\n", argv[i]);
            return 1;
        }
        markdown += text;
        markdown += QStringLiteral("\n\n");
    }

    QTextDocument doc;
    doc.setDefaultFont(QFont("DejaVu Sans", 10));
    doc.setDocumentMargin(0);
    // Relative image paths in the Markdown resolve against the first file's folder.
    doc.setBaseUrl(
        QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[2])).absolutePath() + "/"));
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleForPrint(doc);

    QPdfWriter writer(output);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle("Sifton - Help");
    writer.setCreator("Sifton make_help_pdf");
    doc.print(&writer);

    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "make_help_pdf: nothing written to %s\n", argv[1]);
        return 1;
    }
    return 0;
}
