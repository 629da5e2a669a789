#pragma once

#include "playback/fader_settings.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <array>

namespace vantrel {

// "Volume Fader Control": the fade speeds and the fade-in limiter. Made when opened and
// destroyed when closed; the arithmetic and the writes are FaderSettings'.
class frmFader : public QDialog {
    Q_OBJECT

public:
    frmFader(FaderSettings& settings, QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;
    std::array<QScrollBar*, 2> VScroll1{};
    QScrollBar* VScrollVolMax = nullptr;
    QLabel* lblAutoVol = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    QLabel* label(const QString& name, const QString& caption, QRect where);
    QScrollBar* bar(const QString& name, const QString& tip, int low, int high, QRect where);

    FaderSettings& settings_;
};

} // namespace vantrel
