#include "playlist/ui/playlist_files_binding.h"

#include "playlist/playlist_files.h"
#include "playlist/ui/frm_psave.h"
#include "playlist/ui/frm_search.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace vantrel {

PlaylistFilesBinding::PlaylistFilesBinding(Controls controls, PlaylistFiles& files, QObject* parent)
    : QObject(parent), c_(controls), files_(files),
      psave_(new frmPSave(
          files.saver(), [this] { return columnOrder(); }, c_.window)),
      search_(new frmSearch(files.listSettings(), c_.window)) {
    connect(c_.mnuSaveAs, &QAction::triggered, psave_, [this] { psave_->exec(); });
    for (int i = 0; i < 2; ++i)
        connect(c_.mnuOpenPlay[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { files_.opener().mnuOpenPlay(i); });
    connect(c_.mnuListOpt, &QAction::triggered, search_, [this] {
        files_.listSettings().open();
        search_->exec();
    });
    // The slots are fixed for the run: one entry each, after the anchor.
    for (int k = 1; k <= files.recentLists().mruMax(); ++k) {
        QAction* entry = c_.mnuFile->addAction("");
        entry->setObjectName(QString("mnuMRUitm%1").arg(k));
        connect(entry, &QAction::triggered, this, [this, k] { files_.mnuMRUitm(k); });
        c_.mnuMRUitm.push_back(entry);
    }
    renderRecent();
    connections_.push_back(files.recentLists().changed.connect([this] { renderRecent(); }));
    c_.txtFind->installEventFilter(this);
}

std::vector<int> PlaylistFilesBinding::columnOrder() const {
    const QHeaderView* header = c_.ListView1->horizontalHeader();
    std::vector<int> order;
    for (int k = 0; k < header->count(); ++k)
        order.push_back(header->logicalIndex(k));
    return order;
}

void PlaylistFilesBinding::renderRecent() {
    const auto& recent = files_.recentLists();
    for (int k = 1; k <= recent.mruMax() && k < static_cast<int>(c_.mnuMRUitm.size()); ++k) {
        QAction* entry = c_.mnuMRUitm[static_cast<std::size_t>(k)];
        entry->setText(QString::fromStdString(recent.caption(k)));
        entry->setVisible(!recent.slot(k).empty());
    }
}

bool PlaylistFilesBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.txtFind && event->type() == QEvent::FocusIn) {
        // Focus coming back from a message box or another window is no new visit.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            files_.find().gotFocus();
    } else if (watched == c_.txtFind && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto field =
            files_.find().keyUp(c_.txtFind->text().toStdString(), key->key() == Qt::Key_Backspace);
        if (field) {
            c_.txtFind->setText(QString::fromStdString(field->text));
            c_.txtFind->setSelection(field->selStart, field->selLength);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vantrel
