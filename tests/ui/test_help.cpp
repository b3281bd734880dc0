// The help window on the real widget: both modes, the one-window rule and what its buttons open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "core/store.h"
#include "platform/scripted_platform.h"
#include "ui/frm_help.h"

namespace sifton {
namespace {

const std::string kDescription =
    "The detailed description of this program and also the format of the data files can be "
    "found in the attached PDF file.\r\r";

const std::string kAbout =
    "This is a test version, the author would be happy receive comments for the further "
    "development.\r\r"
    "The 'results' of the tests are just very coarse suggestions and valid only in special "
    "circumstances. For more details study the Description file, please\r\r"
    "Download, updates and Help(coming soon):\r"
    "https://sifton.example.org/download\r\r";

QString shown(const std::string& text) {
    return QString::fromStdString(text).replace(QChar('\r'), QChar('\n'));
}

class HelpWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { store().HelpFolder = "/opt/sifton"; }

    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmHelp_1*>(w)) w->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        store().HelpFolder.clear();
    }

    static int openHelpWindows() {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmHelp_1*>(w) && w->isVisible()) ++count;
        }
        return count;
    }

    static QLabel* message(frmHelp_1* w) { return w->findChild<QLabel*>("lblNagyRizsa"); }
    static QPushButton* button(frmHelp_1* w, const char* name) {
        return w->findChild<QPushButton*>(name);
    }

    ScriptedPlatform platform;
};

TEST_F(HelpWindowTest, DescriptionModeShowsBothButtonsAndTheDescription) {
    frmHelp_1* w = showHelpDescription(platform);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), "About");

    QPushButton* acrobat = button(w, "cmdOpenAcrobat");
    QPushButton* download = button(w, "cmdDownload");
    ASSERT_NE(acrobat, nullptr);
    ASSERT_NE(download, nullptr);
    EXPECT_TRUE(acrobat->isVisible());
    EXPECT_TRUE(download->isVisible());
    EXPECT_EQ(acrobat->text(), "Open description file by Acrobat");
    EXPECT_EQ(download->text(), "Download description file fromSifton homepage");

    EXPECT_EQ(w->messageText(), kDescription);
    ASSERT_NE(message(w), nullptr);
    EXPECT_EQ(message(w)->text(), shown(kDescription));
    EXPECT_TRUE(message(w)->wordWrap());
}

TEST_F(HelpWindowTest, AboutModeHidesButtonsAndShowsNoticeWithAddress) {
    frmHelp_1* w = showHelpAbout(platform);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "About");
    EXPECT_FALSE(button(w, "cmdOpenAcrobat")->isVisible());
    EXPECT_FALSE(button(w, "cmdDownload")->isVisible());
    EXPECT_EQ(w->messageText(), kAbout);
    EXPECT_EQ(message(w)->text(), shown(kAbout));
    // The address in the notice is the page that cmdDownload opens.
    EXPECT_NE(w->messageText().find(std::string(kDownloadPageAddress) + "\r\r"), std::string::npos);
}

TEST_F(HelpWindowTest, FixedTextsAndPicturesAreThere) {
    frmHelp_1* w = showHelpDescription(platform);
    // The label array lblRizsa: index 0 the credit line, index 1 the program line.
    auto* credit = w->findChild<QLabel*>("lblRizsa_0");
    auto* program = w->findChild<QLabel*>("lblRizsa_1");
    ASSERT_NE(credit, nullptr);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(credit->text(), "Sifton contributors");
    EXPECT_EQ(program->text(), "Windows program for outlier test.");
    for (const char* name : {"Picture1", "Picture2"}) {
        auto* picture = w->findChild<QLabel*>(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_FALSE(picture->pixmap().isNull()) << name;
    }
}

TEST_F(HelpWindowTest, SwitchingModesReusesTheWindowAndReplacesEverything) {
    frmHelp_1* first = showHelpDescription(platform);
    frmHelp_1* second = showHelpAbout(platform);
    EXPECT_EQ(first, second);
    EXPECT_EQ(openHelpWindows(), 1);
    EXPECT_FALSE(button(second, "cmdOpenAcrobat")->isVisible());
    EXPECT_FALSE(button(second, "cmdDownload")->isVisible());
    EXPECT_EQ(message(second)->text(), shown(kAbout));

    frmHelp_1* third = showHelpDescription(platform);
    EXPECT_EQ(third, first);
    EXPECT_TRUE(button(third, "cmdOpenAcrobat")->isVisible());
    EXPECT_TRUE(button(third, "cmdDownload")->isVisible());
    EXPECT_EQ(third->messageText(), kDescription);
    EXPECT_EQ(message(third)->text(), shown(kDescription));
    EXPECT_EQ(openHelpWindows(), 1);
}

TEST_F(HelpWindowTest, ClosedWindowIsCreatedAnewInTheChosenMode) {
    QPointer<frmHelp_1> first = showHelpAbout(platform);
    first->close();
    // The user may choose the menu again before the closed window is actually deleted.
    frmHelp_1* second = showHelpDescription(platform);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(button(second, "cmdOpenAcrobat")->isVisible());
    EXPECT_EQ(second->messageText(), kDescription);

    QPointer<frmHelp_1> alive = second;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(alive.isNull());
    EXPECT_EQ(showHelpAbout(platform), alive.data());
    EXPECT_EQ(openHelpWindows(), 1);
}

struct OpenDocumentCase {
    const char* name;
    const char* helpFolder;
    const char* expectedTarget;
};
void PrintTo(const OpenDocumentCase& c, std::ostream* os) { *os << c.name; }

class HelpDocumentTest : public HelpWindowTest,
                         public ::testing::WithParamInterface<OpenDocumentCase> {};

TEST_P(HelpDocumentTest, OpenAcrobatOpensTheDocumentInHelpFolder) {
    frmHelp_1* w = showHelpDescription(platform);
    // The folder set at start counts at the moment of the click, whatever was loaded since.
    store().HelpFolder = GetParam().helpFolder;
    store().DataFileName = "/tmp/elsewhere/data.csv";
    QTest::mouseClick(button(w, "cmdOpenAcrobat"), Qt::LeftButton);
    EXPECT_EQ(platform.opened, std::vector<std::string>{GetParam().expectedTarget});
    EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, HelpDocumentTest,
    ::testing::Values(OpenDocumentCase{"Plain", "/opt/sifton", "/opt/sifton/Sifton-help.pdf"},
                      OpenDocumentCase{"WithBlanks", "/home/ana/My Programs/Sifton 1.0",
                                       "/home/ana/My Programs/Sifton 1.0/Sifton-help.pdf"},
                      OpenDocumentCase{"Root", "/", "/Sifton-help.pdf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpWindowTest, DownloadOpensTheDownloadPage) {
    frmHelp_1* w = showHelpDescription(platform);
    QTest::mouseClick(button(w, "cmdDownload"), Qt::LeftButton);
    EXPECT_EQ(platform.opened, std::vector<std::string>{"https://sifton.example.org/download"});
}

TEST_F(HelpWindowTest, RefusedOpenShowsNothingAndChangesNothing) {
    platform.openFails = true;
    frmHelp_1* w = showHelpDescription(platform);
    QTest::mouseClick(button(w, "cmdOpenAcrobat"), Qt::LeftButton);
    QTest::mouseClick(button(w, "cmdDownload"), Qt::LeftButton);
    EXPECT_EQ(platform.opened.size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->messageText(), kDescription);
    EXPECT_TRUE(button(w, "cmdOpenAcrobat")->isVisible());
}

}  // namespace
}  // namespace sifton
