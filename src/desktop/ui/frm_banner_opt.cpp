#include "desktop/ui/frm_banner_opt.h"

#include "desktop/ui/banner_font.h"
#include "ui/dialog_frame.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace vantrel {

frmBannerOpt::frmBannerOpt(BannerOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName("frmBannerOpt");
    setWindowTitle("SysTray Scrolling Icon");

    fraOption = new QGroupBox("Option Settings", this);
    fraOption->setObjectName("fraOption");
    Label3 = new QLabel("Select to Show", fraOption);
    Label3->setObjectName("Label3");
    const char* captions[] = {"FileName", "Title", "Artist", "Album"};
    const char* tips[] = {"Selecting to Display File names instead of Tags",
                          "Selecting to Display Title Tags",
                          "Selecting to Display Title and Artist Tags",
                          "Selecting to Display Title, Artist and Album Tags"};
    for (int i = 0; i < 2; ++i) {
        optShowBan[i] = new QRadioButton(captions[i], fraOption);
        optShowBan[i]->setObjectName(QString("optShowBan%1").arg(i));
        optShowBan[i]->setToolTip(tips[i]);
        chkShowBan[i] = new QCheckBox(captions[i + 2], fraOption);
        chkShowBan[i]->setObjectName(QString("chkShowBan%1").arg(i + 2));
        chkShowBan[i]->setToolTip(tips[i + 2]);
    }
    Label1 = new QLabel("Preview", fraOption);
    Label1->setObjectName("Label1");
    txtBanner = new QLineEdit("Artist * Title * Album", fraOption);
    txtBanner->setObjectName("txtBanner");
    txtBanner->setToolTip("Example of the Scrolling Text");
    txtBanner->setReadOnly(true);
    const char* looks[] = {"Font", "Text Color", "Back Color"};
    for (int i = 0; i < 3; ++i) {
        cmdBanrLooks[i] = new QPushButton(looks[i], fraOption);
        cmdBanrLooks[i]->setObjectName(QString("cmdBanrLooks%1").arg(i));
    }
    HScroll1 = new QScrollBar(Qt::Horizontal, fraOption);
    HScroll1->setObjectName("HScroll1");
    HScroll1->setRange(-10, 10);
    HScroll1->setPageStep(5);
    lblScrollSpeed = new QLabel(fraOption);
    lblScrollSpeed->setObjectName("lblScrollSpeed");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");

    auto* grid = new QGridLayout(fraOption);
    grid->addWidget(Label3, 0, 0, 1, 2);
    grid->addWidget(optShowBan[0], 1, 0);
    grid->addWidget(optShowBan[1], 2, 0);
    grid->addWidget(chkShowBan[0], 2, 1);
    grid->addWidget(chkShowBan[1], 2, 2);
    grid->addWidget(Label1, 3, 0);
    grid->addWidget(txtBanner, 4, 0, 1, 3);
    auto* looksRow = new QHBoxLayout;
    for (QPushButton* b : cmdBanrLooks)
        looksRow->addWidget(b);
    grid->addLayout(looksRow, 5, 0, 1, 3);
    grid->addWidget(HScroll1, 6, 0, 1, 2);
    grid->addWidget(lblScrollSpeed, 6, 2);
    frameWithOkCancel(*this, fraOption, cmdOK, cmdCancel, 380);

    optShowBan[options.fileName() ? 0 : 1]->setChecked(true);
    chkShowBan[0]->setChecked(options.artist);
    chkShowBan[1]->setChecked(options.album);
    HScroll1->setValue(options.speed());
    lblScrollSpeed->setText(QString::fromStdString(BannerOptions::speedCaption(options.speed())));
    for (QCheckBox* c : chkShowBan)
        c->setEnabled(options.checksEnabled());
    renderPreview();

    connect(optShowBan[0], &QRadioButton::toggled, this, [this](bool on) {
        options_.setFileName(on);
        for (QCheckBox* c : chkShowBan)
            c->setEnabled(options_.checksEnabled());
    });
    connect(chkShowBan[0], &QCheckBox::toggled, this, [this](bool on) { options_.artist = on; });
    connect(chkShowBan[1], &QCheckBox::toggled, this, [this](bool on) { options_.album = on; });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        options_.setSpeed(v);
        lblScrollSpeed->setText(QString::fromStdString(BannerOptions::speedCaption(v)));
    });
    connect(cmdBanrLooks[0], &QPushButton::clicked, this, [this] {
        options_.pickFont();
        renderPreview();
    });
    connect(cmdBanrLooks[1], &QPushButton::clicked, this, [this] {
        options_.pickTextColour();
        renderPreview();
    });
    connect(cmdBanrLooks[2], &QPushButton::clicked, this, [this] {
        options_.pickBackColour();
        renderPreview();
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        options_.ok();
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmBannerOpt::renderPreview() {
    const BannerLooks& looks = options_.preview();
    txtBanner->setFont(bannerFont(looks, font()));
    QPalette p = txtBanner->palette();
    p.setColor(QPalette::Text, colourFromStored(looks.fore));
    p.setColor(QPalette::Base, colourFromStored(looks.back));
    txtBanner->setPalette(p);
}

} // namespace vantrel
