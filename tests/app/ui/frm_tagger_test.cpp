#include "app/ui/frm_tagger.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FrmTaggerTest : ::testing::Test {
    frmTagger window{false};

    template <typename T> T* control(const char* name) {
        T* w = window.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

TEST_F(FrmTaggerTest, LayoutsSetHeightAndPlaylistVisibility) {
    window.applyLayout(304, true, true, MainLayout::Shape::Square);
    EXPECT_EQ(window.height(), 304);
    EXPECT_TRUE(control<QWidget>("ListView1")->isVisibleTo(&window));
    window.applyLayout(89, false, false, MainLayout::Shape::Square);
    EXPECT_EQ(window.height(), 89);
    EXPECT_FALSE(control<QWidget>("ListView1")->isVisibleTo(&window));
    EXPECT_FALSE(control<QWidget>("ShapeBorder")->isVisibleTo(&window));
    window.applyLayout(99, false, false, MainLayout::Shape::Rounded);
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_FALSE(window.mask().contains(QPoint(1, 1))) << "the rounded shape cuts the corner";
    EXPECT_TRUE(window.mask().contains(QPoint(frmTagger::kWidth / 2, 50)));
}

TEST_F(FrmTaggerTest, EveryWayOfClosingUnloadsOnce) {
    int unloads = 0;
    window.onUnload = [&] { ++unloads; };
    window.show();
    window.close();
    window.close();
    EXPECT_EQ(unloads, 1);
}

} // namespace
} // namespace vantrel
