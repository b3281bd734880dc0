// The help window on the real widget: both modes, the one-window rule and what its buttons open.
#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "tests/support/scripted_platform.h"
#include "ui/frm_help.h"
#include "window_test_support.h"

namespace sifton {
namespace {

const std::string kDescription =
    "The detailed description of this program and also the format of the data files can be "
    "found in the attached PDF file.\r\r";
const std::string kAbout =
    "This is a test version, the author would be happy receive comments for the further "
    "development.\r\rThe 'results' of the tests are just very coarse suggestions and valid only "
    "in special circumstances. For more details study the Description file, please\r\rDownload, "
    "updates and Help(coming soon):\rhttps://sifton.example.org/download\r\r";

// Shown with the mode's message and both buttons, or with none.
void expectMode(frmHelp_1* w, const std::string& message, bool buttons) {
    ASSERT_TRUE(w && w->isVisible());
    EXPECT_EQ(w->messageText(), message);
    EXPECT_EQ(w->findChild<QPushButton*>("cmdOpenAcrobat")->isVisible(), buttons);
    EXPECT_EQ(w->findChild<QPushButton*>("cmdDownload")->isVisible(), buttons);
}

// One session with the help window: modes in turn, a close, then both buttons.
TEST(HelpWindow, ModesShareOneWindowCreatedAnewAfterCloseAndButtonsOpenTheirTargets) {
    static ScriptedPlatform platform;  // outlives the window should a check end the test early
    frmHelp_1* w = showHelpDescription(platform);
    expectMode(w, kDescription, true);
    EXPECT_EQ(showHelpAbout(platform), w);
    expectMode(w, kAbout, false);
    EXPECT_EQ(showHelpDescription(platform), w);
    expectMode(w, kDescription, true);
    QPointer<frmHelp_1> closed = w;
    w->close();
    frmHelp_1* again = showHelpAbout(platform);  // before the closed one is deleted
    expectMode(again, kAbout, false);
    EXPECT_TRUE(test::topLevel("frmHelp_1") == again && closed.isNull());
    ASSERT_EQ(showHelpDescription(platform), again);

    platform.folder = "/home/ana/My Programs/Sifton 1.0";  // the document lies beside the program
    for (const char* name : {"cmdOpenAcrobat", "cmdDownload"})
        QTest::mouseClick(again->findChild<QPushButton*>(name), Qt::LeftButton);
    EXPECT_EQ(platform.opened.at(0), "/home/ana/My Programs/Sifton 1.0/Sifton-help.pdf");
    EXPECT_EQ(platform.opened.at(1), "https://sifton.example.org/download");
    EXPECT_TRUE(platform.messages.empty());  // the desktop opened both

    // When the desktop opens nothing, the user learns where the document lies.
    const test::TableFolder withDocument;
    std::ofstream(withDocument.file("Sifton-help.pdf")) << "%PDF-1.4";
    const struct {
        std::string folder;
        const char* button;
        std::string message;
    } failures[] = {
        {withDocument.path(), "cmdOpenAcrobat",
         "The help document could not be opened: no program for PDF files answered.\n\nIt lies "
         "at:\n\n" +
             withDocument.file("Sifton-help.pdf") + "\n\nOpen it with any PDF viewer."},
        {"/home/ana/gone", "cmdOpenAcrobat",
         "The help document is missing. It belongs beside the program, at:\n\n/home/ana/gone/"
         "Sifton-help.pdf\n\nInstall the program again to get it back."},
        {"/home/ana/gone", "cmdDownload",
         "The web page could not be opened: no web browser answered.\n\nhttps://"
         "sifton.example.org/download\n\nThe help document lies at:\n\n/home/ana/gone/"
         "Sifton-help.pdf"},
    };
    platform.openFails = true;
    for (const auto& f : failures) {
        platform.folder = f.folder;
        platform.messages.clear();
        QTest::mouseClick(again->findChild<QPushButton*>(f.button), Qt::LeftButton);
        ASSERT_EQ(platform.messages.size(), 1u) << f.button;
        EXPECT_EQ(platform.messages[0].title, "Sifton");
        EXPECT_EQ(platform.messages[0].text, f.message);
    }
    test::destroyAllWindows();
}

}  // namespace
}  // namespace sifton
