// The start window frmStart and the program's entry Main. The start window offers the two ways
// of loading a data set; after the first load that reaches the results it hands over to the
// results window for good and is destroyed.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <string>

#include "platform/platform.h"

namespace sifton {

class frmDIX;

class frmStart : public QWidget {
    Q_OBJECT

  public:
    explicit frmStart(Platform& platform);
    ~frmStart() override;

    void cmdOpen_Click();
    void cmdPaste_Click();
    // Opens that file as cmdOpen does with the file its dialog returned; true when it handed over.
    bool openFile(const std::string& path);

  protected:
    // A data file dropped on the window is opened as cmdOpen would open it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The results window, created hidden at the first command that needs it.
    frmDIX& resultsWindow();
    void handOver();

    Platform& m_platform;
    QPointer<frmDIX> m_results;
    bool m_handedOver = false;
};

// Shows the start window; the results window finds the table files and the help document in the
// executable's folder. With a
// file among the program's arguments (QCoreApplication::arguments(), the program first) that
// file is opened first, as the open command would: the results window then shows in place of
// the start window, and a refused file shows its message before the start window. The start
// window returned may have closed already.
frmStart* Main(Platform& platform, const QStringList& arguments = {});

}  // namespace sifton
