#include "mpris/qt/mpris_root_adaptor.h"

#include "base/version.h"
#include "mpris/qt/mpris_service.h"

#include <QTimer>

namespace vantrel {

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QString MprisRootAdaptor::identity() const {
    return QStringLiteral("Vantrel");
}

QString MprisRootAdaptor::desktopEntry() const {
    return QString::fromUtf8(kDesktopId.data(), qsizetype(kDesktopId.size()));
}

QStringList MprisRootAdaptor::supportedUriSchemes() const {
    return {QStringLiteral("file")};
}

QStringList MprisRootAdaptor::supportedMimeTypes() const {
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mpegurl")};
}

void MprisRootAdaptor::Raise() {
    if (service_.window().raise) service_.window().raise();
}

void MprisRootAdaptor::Quit() {
    // After the reply has gone: closing ends the event loop that would send it.
    QTimer::singleShot(0, &service_, [this] {
        if (service_.window().quit) service_.window().quit();
    });
}

} // namespace vantrel
