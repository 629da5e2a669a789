#include "playback/ui/frm_sound_opt.h"

#include <QButtonGroup>
#include <QSignalBlocker>

namespace vantrel {

frmSoundOpt::frmSoundOpt(AudioOutput& output, QWidget* parent) : QDialog(parent), output_(output) {
    setObjectName("frmSoundOpt");
    setWindowTitle("Audio Output Settings");
    setFixedSize(452, 168);

    Frame1 = new QGroupBox("Select Audio Output", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(120, 6, 324, 118);
    cmbAudio = new QComboBox(Frame1);
    cmbAudio->setObjectName("cmbAudio");
    cmbAudio->setGeometry(10, 24, 304, 24);
    txtDestWave = new QLineEdit(Frame1);
    txtDestWave->setObjectName("txtDestWave");
    txtDestWave->setToolTip("Add Wave File Name");
    txtDestWave->setGeometry(10, 56, 224, 24);
    cmdGet = new QPushButton("Browse", Frame1);
    cmdGet->setObjectName("cmdGet");
    cmdGet->setGeometry(240, 56, 74, 24);
    cmdGet->setAutoDefault(false);
    Option2[0] = option(Frame1, "Option20", "Use >>", "Use the Wav file name in the Text Box",
                        QRect(10, 88, 90, 22));
    Option2[1] = option(Frame1, "Option21", "Use MP3 Name",
                        "Use's the MP3 file name less the .mp3 extension then adds .wav to the "
                        "Decoded Audio file.",
                        QRect(110, 88, 130, 22));
    Option1[0] = option(this, "Option10", "Wave File >",
                        "Decodes MP3 Audio to a Wave file using options to the right.",
                        QRect(8, 60, 108, 22));
    Option1[1] = option(this, "Option11", "Sound Card >",
                        "Decodes MP3 Audio to the sound card chosen below.", QRect(8, 28, 108, 22));
    // Each pair is a choice of its own.
    for (auto* pair : {&Option1, &Option2}) {
        auto* group = new QButtonGroup(this);
        group->addButton((*pair)[0]);
        group->addButton((*pair)[1]);
    }

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(280, 134, 76, 26);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(364, 134, 76, 26);
    cmdCancel->setAutoDefault(false);

    forwardEdits();
    connections_.push_back(output_.changed.connect([this] { render(); }));
    render();
}

QRadioButton* frmSoundOpt::option(QWidget* parent, const QString& name, const QString& caption,
                                  const QString& tip, QRect where) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    o->setToolTip(tip);
    o->setGeometry(where);
    return o;
}

void frmSoundOpt::forwardEdits() {
    connect(cmbAudio, &QComboBox::activated, this,
            [this](int index) { output_.chooseDevice(index); });
    connect(txtDestWave, &QLineEdit::textEdited, this,
            [this](const QString& text) { output_.editDestWave(text.toStdString()); });
    connect(cmdGet, &QPushButton::clicked, this, [this] { output_.cmdGet_Click(); });
    for (int i = 0; i < 2; ++i) {
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { output_.Option1_Click(i); });
        connect(Option2[i], &QRadioButton::clicked, this, [this, i] { output_.Option2_Click(i); });
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        output_.cmdOK_Click();
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &frmSoundOpt::reject);
}

void frmSoundOpt::reject() {
    output_.cmdCancel_Click();
    QDialog::reject();
}

void frmSoundOpt::render() {
    QSignalBlocker blockList(cmbAudio), blockText(txtDestWave);
    QStringList entries;
    for (const std::string& name : output_.devices())
        entries << QString::fromStdString(name);
    QStringList shown;
    for (int i = 0; i < cmbAudio->count(); ++i)
        shown << cmbAudio->itemText(i);
    if (shown != entries) {
        cmbAudio->clear();
        cmbAudio->addItems(entries);
    }
    cmbAudio->setCurrentIndex(output_.cmbAudio());
    QString text = QString::fromStdString(output_.txtDestWave());
    if (txtDestWave->text() != text) txtDestWave->setText(text);
    Option1[output_.toWaveFile() ? 0 : 1]->setChecked(true);
    Option2[output_.useMp3Name() ? 1 : 0]->setChecked(true);
}

} // namespace vantrel
