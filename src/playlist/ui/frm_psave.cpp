#include "playlist/ui/frm_psave.h"

#include "playlist/playlist_saver.h"

#include <QGroupBox>

namespace vantrel {

frmPSave::frmPSave(PlaylistSaver& saver, std::function<std::vector<int>()> columnOrder,
                   QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmPSave");
    setWindowTitle("Save Playlist As");
    setModal(true);
    setFixedSize(330, 190);
    auto* frame = new QGroupBox("Choose A Format", this);
    frame->setGeometry(8, 6, 314, 140);
    struct Choice {
        const char* caption;
        const char* label;
        int row;
    };
    // Element 1, the advanced format, has never had an export: it stays hidden.
    const Choice choices[4] = {{"*.M3U", "Standard Playlist Format", 0},
                               {"*.M4U", "Advanced Playlist Format", 3},
                               {"*.CSV", "CSV file format  (Spread Sheet) ", 1},
                               {"*.HTML", "Playlist Web Page", 2}};
    for (int i = 0; i < 4; ++i) {
        const int y = 24 + 36 * choices[i].row;
        cmdPLtype[i] = new QPushButton(choices[i].caption, frame);
        cmdPLtype[i]->setObjectName(QString("cmdPLtype%1").arg(i));
        cmdPLtype[i]->setGeometry(10, y, 70, 26);
        cmdPLtype[i]->setAutoDefault(false);
        lblPLtype[i] = new QLabel(choices[i].label, frame);
        lblPLtype[i]->setGeometry(90, y, 214, 26);
        connect(cmdPLtype[i], &QPushButton::clicked, this, [this, &saver, columnOrder, i] {
            if (saver.cmdPLtype(i, columnOrder())) accept();
        });
    }
    cmdPLtype[1]->setToolTip("See Main Help for Deatails");
    cmdPLtype[1]->setEnabled(false);
    cmdPLtype[1]->hide();
    lblPLtype[1]->hide();
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(242, 154, 80, 26);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace vantrel
