// The three windows wearing the looks, in both shapes, drawn offscreen.
#include "app/core_rig.h"
#include "app/main_layout.h"
#include "app/ui/frm_tagger.h"
#include "looks/ui/looks_stage.h"
#include "tagedit/folder_browser.h"
#include "tagedit/ui/frm_folders.h"
#include "tagedit/ui/frm_qtag.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Every control lies in what shows of the window; the red edge runs round it (less the corners
// when rounded) and a green frame shows.
void expectLooksInside(QWidget& window, bool edgeShown) {
    SCOPED_TRACE(window.objectName().toStdString() + " " + std::to_string(window.height()));
    const QRegion shown = window.mask().isEmpty() ? QRegion(window.rect()) : window.mask();
    for (QWidget* c : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->isHidden() || c->isWindow() || qobject_cast<OutlineFrame*>(c)) continue;
        EXPECT_TRUE(window.rect().contains(c->geometry()) &&
                    QRegion(c->geometry()).subtracted(shown).isEmpty())
            << c->objectName().toStdString();
    }
    const QImage drawn = window.grab().toImage();
    int red = 0, green = 0;
    for (const QRect& r : shown)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                red += drawn.pixelColor(x, y) == Qt::red;
                green += drawn.pixelColor(x, y) == Qt::green;
            }
    EXPECT_GE(red, edgeShown ? window.width() + window.height() : 0);
    EXPECT_GT(green, 0);
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
            main.applyLayout(layout.heightPixels(), large, large, layout.shape());
            expectLooksInside(main, large);
        }
        expectLooksInside(tag, true);
        expectLooksInside(folders, true);
    }
}

} // namespace
} // namespace vantrel
