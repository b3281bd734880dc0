// The start window frmStart and the program's entry Main. The start window offers the two ways
// of loading a data set; after the first load that reaches the results it hands over to the
// results window for good and is destroyed.
#pragma once

#include <QPointer>
#include <QWidget>

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

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The results window, created hidden at the first command that needs it.
    frmDIX& resultsWindow();
    void handOver();

    Platform& m_platform;
    QPointer<frmDIX> m_results;
    bool m_handedOver = false;
    bool m_centred = false;
};

// Sets the table and help folders to the executable's folder and shows the start window.
frmStart* Main(Platform& platform);

}  // namespace sifton
