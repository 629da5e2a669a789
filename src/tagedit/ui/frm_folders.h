#pragma once

#include "base/signal.h"
#include "ui/outline_frame.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <chrono>

namespace vantrel {

class FolderBrowser;

// The folder browser and file search: made hidden at load, shown without blocking the main
// window. It renders FolderBrowser's state and forwards every action to it.
class frmFolders : public QWidget {
    Q_OBJECT

public:
    explicit frmFolders(FolderBrowser& browser, QWidget* parent = nullptr);
    ~frmFolders() override;

    QComboBox* Drive1 = nullptr;
    QListWidget* Dir1 = nullptr;
    QLabel* lblFolder = nullptr;
    QListWidget* filVoxList = nullptr;
    QListWidget* lstFiles = nullptr;
    QComboBox* cmdFinish = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    QLineEdit* txtExtSearch = nullptr;
    QPushButton* cmdSearchAll = nullptr;
    QPushButton* cmdSelAll = nullptr;
    QPushButton* cmdOK = nullptr;
    std::array<OutlineFrame*, 4> Shape2{};
    std::array<OutlineFrame*, 5> Shape3{};
    OutlineFrame* ShapeBorder = nullptr;
    QLabel* ImageBack = nullptr;

    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A search stops when the window goes, also with the main window.
    void hideEvent(QHideEvent* event) override;
    // Escape is "Finished".
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void forwardEdits();
    void buildLooks();
    void appendResults();
    void renderSelection(QListWidget* list);
    void openHighlightedFolder();

    FolderBrowser& browser_;
    bool rendering_ = false;
    bool busy_ = false;
    std::chrono::steady_clock::time_point lastGrowth_{};
    Connections connections_;
};

} // namespace vantrel
