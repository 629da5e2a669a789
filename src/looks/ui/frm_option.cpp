#include "looks/ui/frm_option.h"

#include "ui/dialog_frame.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace vantrel {

namespace {

QString sampleStyle(std::uint32_t bgr) {
    const QColor c(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return "border: 3px solid " + c.name() + "; background: transparent;";
}

template <typename T> T* named(T* widget, const char* name, const char* tip = nullptr) {
    widget->setObjectName(name);
    if (tip) widget->setToolTip(tip);
    return widget;
}

} // namespace

frmOption::frmOption(Looks& looks, LooksTarget& target, QWidget* parent)
    : QDialog(parent), looks_(looks), target_(target), options_(looks.openOptions()) {
    setObjectName("frmOption");
    setWindowTitle("Quorvane Vantrel");

    fraOption = named(new QGroupBox("General Option Settings", this), "fraOption");
    chkFeatures2 = named(new QCheckBox("Use Rounded Windows", fraOption), "chkFeatures2",
                         "Select to Use rounded Windows or De-Select for standard square Windows "
                         "in Vantrel");
    chkOnTop = named(new QCheckBox("Always Keep Vantrel On Top", fraOption), "chkOnTop",
                     "Selecting this will Keep Vantrel Main Window on Top of all other "
                     "applications open.");
    lblTag[1] = named(new QLabel("Border Colors", fraOption), "lblTag1");
    cmdBorderEdCl = named(new QPushButton("Edge", fraOption), "cmdBorderEdCl",
                          "To select the Edge Border colors");
    cmdBorderFrCl = named(new QPushButton("Frame", fraOption), "cmdBorderFrCl",
                          "To select the Frame Border colors");
    chkNoEdge = named(new QCheckBox("No Edge", fraOption), "chkNoEdge");
    ShapeBorder = named(new QFrame(fraOption), "ShapeBorder");
    Shape2 = named(new QFrame(fraOption), "Shape2");
    for (QFrame* f : {ShapeBorder, Shape2})
        f->setFixedSize(40, 22);
    lblTag[0] = named(new QLabel("Back Ground Image", fraOption), "lblTag0");
    txtImgBack = named(new QLineEdit(fraOption), "txtImgBack");
    cmdImgBr = named(new QPushButton("Browse", fraOption), "cmdImgBr");
    chkNoImage = named(new QCheckBox("No Image (Black)", fraOption), "chkNoImage",
                       "Selecting this will remove any Image used and default to a Black "
                       "Background");
    cmdMRUcl = named(new QPushButton("Clear MRU list", fraOption), "cmdMRUcl",
                     "Clear \"Most Recently Used\" file list in the File Menu");
    cmdOK = named(new QPushButton("OK", this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton("Cancel", this), "cmdCancel");

    auto* grid = new QGridLayout(fraOption);
    grid->addWidget(chkFeatures2, 0, 0, 1, 4);
    grid->addWidget(chkOnTop, 1, 0, 1, 4);
    grid->addWidget(lblTag[1], 2, 0, 1, 4);
    grid->addWidget(cmdBorderEdCl, 3, 0);
    grid->addWidget(ShapeBorder, 3, 1);
    grid->addWidget(cmdBorderFrCl, 3, 2);
    grid->addWidget(Shape2, 3, 3);
    grid->addWidget(chkNoEdge, 4, 0, 1, 4);
    grid->addWidget(lblTag[0], 5, 0, 1, 4);
    grid->addWidget(txtImgBack, 6, 0, 1, 3);
    grid->addWidget(cmdImgBr, 6, 3);
    grid->addWidget(chkNoImage, 7, 0, 1, 4);
    grid->addWidget(cmdMRUcl, 8, 0, 1, 2);
    frameWithOkCancel(*this, fraOption, cmdOK, cmdCancel, 380);

    chkFeatures2->setChecked(options_.round);
    chkOnTop->setChecked(options_.onTop);
    chkNoEdge->setChecked(options_.noEdge);
    chkNoImage->setChecked(options_.noImage);
    renderImageBox();
    renderSamples();

    connect(chkNoImage, &QCheckBox::toggled, this, [this](bool on) {
        options_.noImage = on;
        options_.imageName = txtImgBack->text().toStdString();
        renderImageBox();
    });
    connect(cmdBorderEdCl, &QPushButton::clicked, this, [this] {
        looks_.pickEdge(options_);
        renderSamples();
    });
    connect(cmdBorderFrCl, &QPushButton::clicked, this, [this] {
        looks_.pickFrame(options_);
        renderSamples();
    });
    connect(cmdImgBr, &QPushButton::clicked, this, [this] {
        options_.imageName = txtImgBack->text().toStdString();
        looks_.browse(options_);
        txtImgBack->setText(QString::fromStdString(options_.imageName));
    });
    connect(cmdMRUcl, &QPushButton::clicked, this, [this] {
        if (clearMruList) clearMruList();
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        options_.round = chkFeatures2->isChecked();
        options_.onTop = chkOnTop->isChecked();
        options_.noEdge = chkNoEdge->isChecked();
        options_.imageName = txtImgBack->text().toStdString();
        looks_.ok(options_, target_);
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOption::renderImageBox() {
    txtImgBack->setText(QString::fromStdString(options_.imageName));
    txtImgBack->setEnabled(!options_.noImage);
    cmdImgBr->setEnabled(!options_.noImage);
}

void frmOption::renderSamples() {
    ShapeBorder->setStyleSheet(sampleStyle(options_.edge));
    Shape2->setStyleSheet(sampleStyle(options_.frame));
}

} // namespace vantrel
