// The three windows wearing the looks, in both shapes, drawn offscreen.
#include "app/core_rig.h"
#include "app/main_layout.h"
#include "app/ui/frm_tagger.h"
#include "looks/ui/looks_stage.h"
#include "tagedit/folder_browser.h"
#include "tagedit/ui/frm_folders.h"
#include "tagedit/ui/frm_qtag.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

QRegion visibleRegion(const QWidget& window) {
    return window.mask().isEmpty() ? QRegion(window.rect()) : window.mask();
}

// How many pixels of the colour show: drawn by the window and inside its region.
int shownPixels(QWidget& window, QColor colour) {
    const QImage drawn = window.grab().toImage();
    QImage shows(window.size(), QImage::Format_RGB32);
    shows.fill(Qt::black);
    QPainter painter(&shows);
    painter.setClipRegion(visibleRegion(window));
    painter.fillRect(window.rect(), Qt::white);
    painter.end();
    int count = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            count += shows.pixel(x, y) == qRgb(255, 255, 255) && drawn.pixelColor(x, y) == colour;
    return count;
}

void expectLooksInside(QWidget& window, bool edgeShown) {
    SCOPED_TRACE(window.objectName().toStdString() + " " + std::to_string(window.height()));
    const QRegion visible = visibleRegion(window);
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isHidden() || control->isWindow() || qobject_cast<OutlineFrame*>(control) ||
            control->objectName() == "ImageBack")
            continue;
        EXPECT_TRUE(window.rect().contains(control->geometry()) &&
                    QRegion(control->geometry()).subtracted(visible).isEmpty())
            << control->objectName().toStdString();
    }
    // The edge runs all round the window, less its corners when rounded.
    if (edgeShown) {
        EXPECT_GE(shownPixels(window, Qt::red), window.width() + window.height());
    }
    EXPECT_GT(shownPixels(window, Qt::green), 0) << "no frame outline shows";
}

TEST(LooksStage, EveryWindowShowsItsControlsAndOutlinesInBothShapes) {
    for (const bool round : {false, true}) {
        SCOPED_TRACE(round ? "rounded" : "square");
        test::CoreRig rig;
        ASSERT_TRUE(rig.ini.putIni("looks", "edg_col", "255"));   // red
        ASSERT_TRUE(rig.ini.putIni("looks", "frm_col", "65280")); // green
        auto core = rig.start(round);
        frmTagger main(false);
        frmQTag tag(core->tagEditor());
        frmFolders folders(core->folderBrowser());
        LooksStage stage(core->looks());
        stage.attach(main, WindowKind::MainLarge);
        stage.attach(tag, WindowKind::TagEditor);
        stage.attach(folders, WindowKind::FolderBrowser);
        core->looks().apply(stage);
        for (const bool large : {true, false}) {
            MainLayout layout(round);
            layout.setLayout(large);
            main.applyLayout(layout.heightPixels(), layout.showsPlaylist(), layout.showsEdge(false),
                             layout.shape());
            expectLooksInside(main, large);
        }
        expectLooksInside(tag, true);
        expectLooksInside(folders, true);
    }
}

} // namespace
} // namespace vantrel
