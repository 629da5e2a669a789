#pragma once

#include "base/signal.h"
#include "ui/outline_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace vantrel {

class TagEditor;

// "Tag Editor / File Renamer": made hidden at load and kept for the whole run, so its texts,
// lists and check marks carry over. It renders TagEditor's state and forwards every edit; the
// editor shows it modally, once per row.
class frmQTag : public QDialog {
    Q_OBJECT

public:
    explicit frmQTag(TagEditor& editor, QWidget* parent = nullptr);

    std::array<QComboBox*, 5> cmbMtag{};
    std::array<QLabel*, 10> lblTag{}; // elements 2..9
    QComboBox* cmbGenre = nullptr;
    QComboBox* cmbGenreSort = nullptr;
    std::array<QPushButton*, 2> cmdSortGenre{};
    std::array<QLineEdit*, 3> txtExample{};
    std::array<QCheckBox*, 3> chkFileAs{};
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdDel = nullptr;
    QPushButton* cmdDone = nullptr;
    std::array<OutlineFrame*, 2> Shape2{};
    OutlineFrame* ShapeBorder = nullptr;
    QLabel* ImageBack = nullptr;
    QPushButton* cmdFromName = nullptr;

    void render();

public slots:
    // Escape and the title bar's close button are "Close".
    void reject() override;

private:
    void buildFields();
    void buildRenamer();
    void forwardEdits();
    QLabel* label(int element, const QString& caption, QRect where);

    TagEditor& editor_;
    Connections connections_;
};

} // namespace vantrel
