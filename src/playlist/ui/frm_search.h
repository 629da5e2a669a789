#pragma once

#include "base/signal.h"

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include <array>

namespace vantrel {

class ListSettings;

// "MP3 Viewer Options": the list's columns, their order and the grid lines. It renders the
// ListSettings core and forwards every edit to it.
class frmSearch : public QDialog {
    Q_OBJECT

public:
    explicit frmSearch(ListSettings& settings, QWidget* parent = nullptr);

    QListWidget* lstLvCol = nullptr;
    QListWidget* lstLvColHidn = nullptr;
    std::array<QPushButton*, 2> cmdMove{};
    QCheckBox* chkLVGrid = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void render();

private:
    ListSettings& settings_;
    bool rendering_ = false;
    Connections connections_;
};

} // namespace vantrel
