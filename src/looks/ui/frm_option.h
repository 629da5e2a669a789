#pragma once

#include "looks/looks.h"

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <functional>

namespace vantrel {

// The General Settings dialog: rounded or square windows, on top, outline colours, the
// background picture, and clearing the recent playlists.
class frmOption : public QDialog {
    Q_OBJECT

public:
    frmOption(Looks& looks, LooksTarget& target, QWidget* parent = nullptr);

    // "Clear MRU list": whoever owns the recent playlists connects it; until then it does
    // nothing.
    std::function<void()> clearMruList;

private:
    void renderSamples();
    void renderImageBox();

    Looks& looks_;
    LooksTarget& target_;
    Looks::Options options_;
    QGroupBox* fraOption = nullptr;
    QCheckBox* chkFeatures2 = nullptr;
    QCheckBox* chkOnTop = nullptr;
    std::array<QLabel*, 2> lblTag{};
    QPushButton* cmdBorderEdCl = nullptr;
    QPushButton* cmdBorderFrCl = nullptr;
    QCheckBox* chkNoEdge = nullptr;
    QFrame* ShapeBorder = nullptr;
    QFrame* Shape2 = nullptr;
    QLineEdit* txtImgBack = nullptr;
    QPushButton* cmdImgBr = nullptr;
    QCheckBox* chkNoImage = nullptr;
    QPushButton* cmdMRUcl = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace vantrel
