#include "playlist/ui/frm_search.h"

#include "playlist/list_settings.h"

#include <QGroupBox>
#include <QLabel>

namespace vantrel {

frmSearch::frmSearch(ListSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("frmSearch");
    setWindowTitle("MP3 Viewer Options");
    setModal(true);
    setFixedSize(330, 330);
    auto* frame = new QGroupBox("Select Column and Arrange Order", this);
    frame->setGeometry(8, 6, 314, 250);
    lstLvCol = new QListWidget(frame);
    lstLvCol->setObjectName("lstLvCol");
    lstLvCol->setGeometry(10, 24, 190, 216);
    lstLvColHidn = new QListWidget(this);
    lstLvColHidn->setObjectName("lstLvColHidn");
    lstLvColHidn->hide();
    auto* lblmove = new QLabel("Order", frame);
    lblmove->setObjectName("lblmove");
    lblmove->setGeometry(210, 24, 94, 18);
    lblmove->setToolTip("Use the buttons to Move selected entry UP or DOWN in viewing order");
    const char* moves[2] = {"&Up", "&Down"};
    for (int i = 0; i < 2; ++i) {
        cmdMove[i] = new QPushButton(moves[i], frame);
        cmdMove[i]->setObjectName(QString("cmdMove%1").arg(i));
        cmdMove[i]->setGeometry(210, 48 + 32 * i, 80, 26);
        cmdMove[i]->setAutoDefault(false);
        connect(cmdMove[i], &QPushButton::clicked, this, [this, i] { settings_.cmdMove(i); });
    }
    chkLVGrid = new QCheckBox("Use Gridlines", this);
    chkLVGrid->setObjectName("chkLVGrid");
    chkLVGrid->setToolTip("Show Grid Lines to highlight columns and rows");
    chkLVGrid->setGeometry(16, 262, 200, 24);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(150, 294, 80, 26);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(242, 294, 80, 26);

    connect(lstLvCol, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!rendering_) settings_.setCurrent(row);
    });
    connect(lstLvCol, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!rendering_)
            settings_.setChecked(lstLvCol->row(item), item->checkState() == Qt::Checked);
    });
    connect(chkLVGrid, &QCheckBox::toggled, this, [this](bool on) {
        if (!rendering_) settings_.setGrid(on);
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        if (settings_.cmdOK()) accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connections_.push_back(settings_.changed.connect([this] { render(); }));
}

void frmSearch::render() {
    rendering_ = true;
    lstLvCol->clear();
    lstLvColHidn->clear();
    std::array<QString, 11> byField;
    for (const ListSettings::Entry& e : settings_.entries()) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.caption), lstLvCol);
        item->setData(Qt::UserRole, e.field);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
        if (e.field >= 0 && e.field < 11) byField[static_cast<std::size_t>(e.field)] = item->text();
    }
    for (const QString& caption : byField)
        lstLvColHidn->addItem(caption);
    lstLvCol->setCurrentRow(settings_.current());
    chkLVGrid->setChecked(settings_.grid());
    rendering_ = false;
}

} // namespace vantrel
