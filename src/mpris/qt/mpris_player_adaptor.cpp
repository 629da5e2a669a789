#include "mpris/qt/mpris_player_adaptor.h"

#include "mpris/media_controls.h"
#include "mpris/qt/mpris_service.h"

namespace vantrel {

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {
    connections_.push_back(service_.controls().seeked.connect(
        [this](std::int64_t position) { emit Seeked(static_cast<qlonglong>(position)); }));
}

QString MprisPlayerAdaptor::playbackStatus() const {
    switch (service_.controls().state().status) {
    case MediaControls::Status::Playing:
        return QStringLiteral("Playing");
    case MediaControls::Status::Paused:
        return QStringLiteral("Paused");
    case MediaControls::Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap MprisPlayerAdaptor::metadata() const {
    return service_.metadata();
}

qlonglong MprisPlayerAdaptor::position() const {
    return service_.controls().position();
}

double MprisPlayerAdaptor::volume() const {
    return service_.controls().state().volume;
}

void MprisPlayerAdaptor::setVolume(double volume) {
    service_.controls().setVolume(volume);
}

QString MprisPlayerAdaptor::loopStatus() const {
    return service_.controls().state().loop ? QStringLiteral("Playlist") : QStringLiteral("None");
}

void MprisPlayerAdaptor::setLoopStatus(const QString& status) {
    if (status == QLatin1String("Playlist") || status == QLatin1String("None"))
        service_.controls().setLoop(status == QLatin1String("Playlist"));
}

bool MprisPlayerAdaptor::shuffle() const {
    return service_.controls().state().shuffle;
}

void MprisPlayerAdaptor::setShuffle(bool on) {
    service_.controls().setShuffle(on);
}

bool MprisPlayerAdaptor::canGoNext() const {
    return service_.controls().state().canGoNext;
}

bool MprisPlayerAdaptor::canGoPrevious() const {
    return service_.controls().state().canGoPrevious;
}

bool MprisPlayerAdaptor::canPlay() const {
    return service_.controls().state().canPlay;
}

bool MprisPlayerAdaptor::canPause() const {
    return service_.controls().state().canPause;
}

bool MprisPlayerAdaptor::canSeek() const {
    return service_.controls().state().canSeek;
}

void MprisPlayerAdaptor::Play() {
    if (service_.refusedAsBusy()) return;
    service_.controls().play();
}

void MprisPlayerAdaptor::Pause() {
    if (service_.refusedAsBusy()) return;
    service_.controls().pause();
}

void MprisPlayerAdaptor::PlayPause() {
    if (service_.refusedAsBusy()) return;
    service_.controls().playPause();
}

void MprisPlayerAdaptor::Stop() {
    if (service_.refusedAsBusy()) return;
    service_.controls().stop();
}

void MprisPlayerAdaptor::Next() {
    if (service_.refusedAsBusy()) return;
    service_.controls().next();
}

void MprisPlayerAdaptor::Previous() {
    if (service_.refusedAsBusy()) return;
    service_.controls().previous();
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    if (service_.refusedAsBusy()) return;
    service_.controls().seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    if (service_.refusedAsBusy()) return;
    service_.controls().setPosition(TrackId.path().toStdString(), Position);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri) {
    if (service_.refusedAsBusy()) return;
    service_.controls().openUri(Uri.toStdString());
}

} // namespace vantrel
