// Files dragged from a file manager onto the playlist, through the bound main window.
#include "app/core_rig.h"
#include "app/ui/frm_tagger.h"
#include "mpris/media_controls.h"
#include "mpris/qt/mpris_service.h"
#include "playback/ui/tray_menu.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <QUrl>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FileDropTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    TrayMenu tray{core->transport()};
    frmTagger window{false};
    QWidget* viewport = nullptr;
    std::vector<std::string> folders;

    void SetUp() override {
        window.bind(*core, tray);
        viewport = window.findChild<QTableView*>("ListView1")->viewport();
        core->folderDropped = [this](const std::string& folder) { folders.push_back(folder); };
    }

    // Drags the data over the list and lets go; true when the list took it.
    bool drop(const QMimeData& data) {
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &dropped);
        return dropped.isAccepted();
    }
    static QUrl url(const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    }
};

TEST_F(FileDropTest, FilesAreAddedAFolderGoesToTheWalkerAndOtherDataIsRefused) {
    // Names a file URL must escape, read back as they are on disk.
    const std::string a = track("a #1%.mp3", "Alpha"), b = track("b.mp3", "Beta");
    std::filesystem::create_directory(dir / "more");
    QMimeData data;
    data.setUrls({url(a), url(folder + "more"), url(b), QUrl("https://example.org/c.mp3")});
    ASSERT_TRUE(drop(data));
    EXPECT_EQ(core->playlist().count(), 2);
    EXPECT_GT(core->playlist().indexOf(a), 0);
    EXPECT_GT(core->playlist().indexOf(b), 0);
    EXPECT_EQ(folders, std::vector<std::string>{folder + "more"});
    QMimeData text, remote;
    text.setText("/music/a.mp3");
    remote.setUrls({QUrl("https://example.org/a.mp3")});
    EXPECT_FALSE(drop(text)) << "data without local files is refused";
    EXPECT_FALSE(drop(remote));
}

TEST(MprisServiceTest, WithoutASessionBusTheProgramGoesOnAndIsToldWhy) {
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qunsetenv("DISPLAY"); // no bus started for an X session either
    test::CoreRig rig;
    auto core = rig.start();
    MediaControls media(test::mediaParts(*core));
    MprisService service(media, {});
    const Result registered = service.registerOnSessionBus();
    EXPECT_FALSE(registered);
    EXPECT_FALSE(registered.error().empty());
    media.setVolume(0.5); // announcing with nobody to hear is no fault
    EXPECT_TRUE(service.serviceName().isEmpty());
}

} // namespace
} // namespace vantrel
