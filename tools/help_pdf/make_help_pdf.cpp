// make_help_pdf: renders the Markdown sources of the help document into one A4 PDF.
//
//   make_help_pdf [--pictures FOLDER]... OUTPUT.pdf INPUT.md [MORE.md ...]
//
// The files are joined in the order given; every top-level heading after the first opens a
// page. Pictures are looked for in the --pictures folders, then beside the sources. Runs
// without a display; exits with 1 and a message when a source would not print cleanly.

#include <QCommandLineParser>
#include <QGuiApplication>
#include <cstdio>

#include "manual.h"

int main(int argc, char** argv) {
    // A build machine has no display; this tool never needs one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addOption({"pictures", "A folder of pictures (more than one allowed).", "folder"});
    parser.addPositionalArgument("output", "The PDF to write.");
    parser.addPositionalArgument("inputs", "Markdown sources, in order.", "INPUT.md...");
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr,
                     "usage: make_help_pdf [--pictures FOLDER]... OUTPUT.pdf INPUT.md [MORE.md "
                     "...]\n");
        return 2;
    }

    helppdf::ManualOptions options;
    options.output = arguments.front();
    options.inputs = arguments.mid(1);
    options.pictureFolders = parser.values("pictures");
    try {
        helppdf::writeManual(options);
    } catch (const helppdf::ManualError& error) {
        std::fprintf(stderr, "make_help_pdf: %s\n", error.what());
        return 1;
    }
    return 0;
}
