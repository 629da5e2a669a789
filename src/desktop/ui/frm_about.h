#pragma once

#include "desktop/about_box.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace vantrel {

// The About box: title, version, description, the help page link and the system-information
// button. The link turns light red under the pointer (and over OK), light blue elsewhere.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout(AboutBox& about, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setSiteColour(bool hot);

    AboutBox& about_;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblSite = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace vantrel
