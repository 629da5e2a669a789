#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <functional>
#include <vector>

namespace vantrel {

class PlaylistSaver;

// "Save Playlist As": one button per export format. A written (or failed) export closes it; a
// cancelled file dialog leaves it open for another choice.
class frmPSave : public QDialog {
    Q_OBJECT

public:
    // columnOrder gives the list's column display order at the moment a format is chosen.
    frmPSave(PlaylistSaver& saver, std::function<std::vector<int>()> columnOrder,
             QWidget* parent = nullptr);

    std::array<QPushButton*, 4> cmdPLtype{};
    std::array<QLabel*, 4> lblPLtype{};
    QPushButton* cmdCancel = nullptr;
};

} // namespace vantrel
