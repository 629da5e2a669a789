#include "mpris/qt/mpris_service.h"

#include "mpris/media_controls.h"
#include "mpris/qt/mpris_player_adaptor.h"
#include "mpris/qt/mpris_root_adaptor.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>

namespace vantrel {

namespace {

constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

std::string reason(const QDBusConnection& bus) {
    const QString message = bus.lastError().message();
    return message.isEmpty() ? "no reason given" : message.toStdString();
}

} // namespace

MprisService::MprisService(MediaControls& controls, Window window, QObject* parent)
    : QObject(parent), controls_(controls), window_(std::move(window)) {
    new MprisRootAdaptor(*this);
    player_ = new MprisPlayerAdaptor(*this);
    connections_.push_back(controls_.propertiesChanged.connect(
        [this](const std::vector<std::string>& names) { announce(names); }));
}

MprisService::~MprisService() {
    if (serviceName_.isEmpty()) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(serviceName_);
    bus.unregisterObject(kObjectPath);
}

Result MprisService::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // A console or a test run without a session bus: the program goes on without it.
    if (!bus.isConnected()) return Result::fail("no session bus: " + reason(bus));
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return Result::fail("the player object was refused: " + reason(bus));
    QString name = QStringLiteral("org.mpris.MediaPlayer2.vantrel");
    // A second player (started with /new) gets a name of its own, as the protocol asks.
    if (!bus.registerService(name)) {
        name += QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
        if (!bus.registerService(name)) {
            const std::string why =
                "the name " + name.toStdString() + " was refused: " + reason(bus);
            bus.unregisterObject(kObjectPath);
            return Result::fail(why);
        }
    }
    serviceName_ = name;
    return Result::ok();
}

bool MprisService::refusedAsBusy() const {
    if (!controls_.busy() || !calledFromDBus()) return false;
    sendErrorReply(QStringLiteral("net.vantrel.Error.Busy"),
                   QStringLiteral("Files are being added to the playlist; try again then."));
    return true;
}

QVariantMap MprisService::metadata() const {
    const MediaControls::Track& track = controls_.state().track;
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(qs(track.id))));
    if (track.url.empty()) return map;
    if (track.length) map.insert(QStringLiteral("mpris:length"), qlonglong(*track.length));
    map.insert(QStringLiteral("xesam:title"), qs(track.title));
    map.insert(QStringLiteral("xesam:artist"),
               track.artist.empty() ? QStringList() : QStringList{qs(track.artist)});
    map.insert(QStringLiteral("xesam:album"), qs(track.album));
    map.insert(QStringLiteral("xesam:url"), qs(track.url));
    if (!track.artUrl.empty()) map.insert(QStringLiteral("mpris:artUrl"), qs(track.artUrl));
    return map;
}

void MprisService::announce(const std::vector<std::string>& names) {
    if (serviceName_.isEmpty() || names.empty()) return;
    QVariantMap changed;
    for (const std::string& name : names)
        changed.insert(qs(name), player_->property(name.c_str()));
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace vantrel
