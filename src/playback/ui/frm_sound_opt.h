#pragma once

#include "base/signal.h"
#include "playback/audio_output.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace vantrel {

// "Audio Output Settings": a sound device or a wave file. Made hidden at load and only shown
// and hidden afterwards; it renders AudioOutput's state and forwards every edit to it.
class frmSoundOpt : public QDialog {
    Q_OBJECT

public:
    frmSoundOpt(AudioOutput& output, QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;
    QComboBox* cmbAudio = nullptr;
    QLineEdit* txtDestWave = nullptr;
    QPushButton* cmdGet = nullptr;
    std::array<QRadioButton*, 2> Option2{};
    std::array<QRadioButton*, 2> Option1{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void render();

public slots:
    // Escape and the title bar's close button cancel too.
    void reject() override;

private:
    QRadioButton* option(QWidget* parent, const QString& name, const QString& caption,
                         const QString& tip, QRect where);
    void forwardEdits();

    AudioOutput& output_;
    Connections connections_;
};

} // namespace vantrel
