#include "playback/ui/frm_fader.h"

namespace vantrel {

frmFader::frmFader(FaderSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("frmFader");
    setWindowTitle("Volume Fader Control");
    setFixedSize(276, 252);

    Frame1 = new QGroupBox("Fader", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(8, 6, 260, 202);

    label("lblFast", "Fast", QRect(8, 22, 40, 16));
    label("lblSlow", "Slow", QRect(8, 142, 40, 16));
    VScroll1[0] = bar("VScroll10", "Used to control Fade IN speed of the Auto Fader",
                      FaderSettings::kInMin, FaderSettings::kInMax, QRect(52, 22, 18, 136));
    VScroll1[1] = bar("VScroll11", "Used to control Fade OUT speed of the Auto Fader",
                      FaderSettings::kOutMin, FaderSettings::kOutMax, QRect(104, 22, 18, 136));
    label("lblFadeIn", "Fade IN", QRect(36, 160, 52, 16));
    label("lblFadeOut", "Fade OUT", QRect(84, 160, 60, 16));

    VScrollVolMax =
        bar("VScrollVolMax",
            "Volume will Pause at the Value set on Fade In to stop it peaking to full "
            "volume in Auto Fade mode.",
            FaderSettings::kVolMaxMin, FaderSettings::kVolMaxMax, QRect(160, 22, 18, 136));
    label("lblMax", "10 = Max", QRect(184, 22, 70, 16));
    label("lblLimitAt", "limit at", QRect(184, 74, 70, 16));
    lblAutoVol = label("lblAutoVol", "8", QRect(184, 92, 70, 20));
    label("lblMin", "0 = Min", QRect(184, 142, 70, 16));
    // Beside "Fade OUT" rather than under its own bar, where it would run into that label.
    label("lblLimiter", "Fade In Volume Limiter", QRect(152, 160, 104, 36))->setWordWrap(true);

    Command1 = new QPushButton("OK", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(60, 216, 72, 26);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(144, 216, 72, 26);

    auto showLimit = [this](int value) {
        lblAutoVol->setText(QString::fromStdString(FaderSettings::lblAutoVol(value)));
    };
    connect(VScrollVolMax, &QScrollBar::valueChanged, this, showLimit);
    VScroll1[0]->setValue(settings_.fadeInBar());
    VScroll1[1]->setValue(settings_.fadeOutBar());
    VScrollVolMax->setValue(settings_.volMaxBar());
    // The label follows the bar from the start, also when the value equals the bar's minimum.
    showLimit(VScrollVolMax->value());

    connect(Command1, &QPushButton::clicked, this, [this] {
        settings_.ok(VScroll1[0]->value(), VScroll1[1]->value(), VScrollVolMax->value());
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLabel* frmFader::label(const QString& name, const QString& caption, QRect where) {
    auto* l = new QLabel(caption, Frame1);
    l->setObjectName(name);
    l->setGeometry(where);
    return l;
}

QScrollBar* frmFader::bar(const QString& name, const QString& tip, int low, int high, QRect where) {
    // Vertical, so the minimum stands at the top.
    auto* b = new QScrollBar(Qt::Vertical, Frame1);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setRange(low, high);
    b->setPageStep(10);
    b->setGeometry(where);
    return b;
}

} // namespace vantrel
