#pragma once

#include "base/signal.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QTableView>

#include <array>
#include <vector>

namespace vantrel {

class PlaylistFiles;
class frmPSave;
class frmSearch;

// Wires the main window's playlist-file controls to their core: the Files menu (save, open,
// open in a new player, the recent playlists), the list settings entry and the find field.
class PlaylistFilesBinding : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget* window;
        QMenu* mnuFile;
        QAction* mnuSaveAs;
        std::array<QAction*, 2> mnuOpenPlay;
        std::vector<QAction*>& mnuMRUitm; // element 0 is the hidden anchor; the slots follow
        QAction* mnuListOpt;
        QLineEdit* txtFind;
        QTableView* ListView1;
    };

    PlaylistFilesBinding(Controls controls, PlaylistFiles& files, QObject* parent);

    frmPSave& saveDialog() { return *psave_; }
    frmSearch& settingsDialog() { return *search_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<int> columnOrder() const;
    void renderRecent();

    Controls c_;
    PlaylistFiles& files_;
    frmPSave* psave_;
    frmSearch* search_;
    Connections connections_;
};

} // namespace vantrel
