#pragma once

#include "desktop/banner_options.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <array>

namespace vantrel {

// The ticker options dialog: what the ticker shows, its speed, font and colours.
class frmBannerOpt : public QDialog {
    Q_OBJECT

public:
    frmBannerOpt(BannerOptions& options, QWidget* parent = nullptr);

private:
    void renderPreview();

    BannerOptions& options_;
    QGroupBox* fraOption = nullptr;
    std::array<QRadioButton*, 2> optShowBan{};
    std::array<QCheckBox*, 2> chkShowBan{}; // elements 2 and 3
    QLabel* Label3 = nullptr;
    QLineEdit* txtBanner = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QPushButton*, 3> cmdBanrLooks{};
    QScrollBar* HScroll1 = nullptr;
    QLabel* lblScrollSpeed = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace vantrel
