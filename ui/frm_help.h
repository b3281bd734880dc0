// The help window frmHelp_1: not modal, created on first use and created anew after the user
// closed it. In description mode it offers the help document beside the executable and the
// download page; in about mode it shows a short notice and the download page address.
#pragma once

#include <QWidget>
#include <string>

#include "platform/platform.h"
#include "ui/help_text.h"  // kDownloadPageAddress and the message texts

class QLabel;
class QPushButton;

namespace sifton {

class frmHelp_1;

// Show the help window in its two modes (creating it when none is open) and return it.
frmHelp_1* showHelpDescription(Platform& platform);
frmHelp_1* showHelpAbout(Platform& platform);

// The window itself. Use the two functions above rather than creating it directly: they keep
// the one-window rule. The platform must outlive the window.
class frmHelp_1 : public QWidget {
    Q_OBJECT

  public:
    explicit frmHelp_1(Platform& platform, QWidget* parent = nullptr);

    // The message of the current mode as the program composed it, CR line ends included (the
    // label shows each CR as a line break).
    const std::string& messageText() const { return m_message; }

    void showDescriptionMode();
    void showAboutMode();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void setMessage(std::string text);
    void cmdOpenAcrobat_Click();
    void cmdDownload_Click();

    Platform& m_platform;
    std::string m_message;
    QLabel* m_lblNagyRizsa = nullptr;
    QPushButton* m_cmdOpenAcrobat = nullptr;
    QPushButton* m_cmdDownload = nullptr;
};

}  // namespace sifton
