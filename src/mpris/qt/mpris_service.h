#pragma once

#include "base/result.h"
#include "base/signal.h"

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class MediaControls;

// The program on the session bus as an MPRIS 2 player, so the desktop's media widget, lock
// screen and media keys drive it. Without a session bus it stays off and nothing changes.
class MprisService : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

    // What the bus asks of the main window.
    struct Window {
        std::function<void()> raise;
        std::function<void()> quit;
    };

    MprisService(MediaControls& controls, Window window, QObject* parent = nullptr);
    ~MprisService() override;

    // Takes the player's well-known name, or a name of its own when another player holds it.
    // Says why when it could not (no session bus, say).
    Result registerOnSessionBus();
    const QString& serviceName() const { return serviceName_; }

    MediaControls& controls() { return controls_; }
    const Window& window() const { return window_; }
    // The Player interface's Metadata in the bus's types.
    QVariantMap metadata() const;
    // For a method call from the bus while the controls refuse commands: answers it with an
    // error, so the caller learns the command was not carried out.
    bool refusedAsBusy() const;

private:
    void announce(const std::vector<std::string>& names);

    MediaControls& controls_;
    Window window_;
    QObject* player_ = nullptr;
    QString serviceName_;
    Connections connections_;
};

} // namespace vantrel
