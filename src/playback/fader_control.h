#pragma once

#include <cstdint>

namespace vantrel {

// What the transport and the time display ask of the fader.
class FaderControl {
public:
    virtual ~FaderControl() = default;

    virtual int volume() const = 0; // 0..100
    virtual bool autoFadeIn() const = 0;
    virtual bool autoFadeOut() const = 0;
    virtual std::int32_t fadeLead() const = 0; // ms before a track's end where fading out starts

    // A track starts with "Auto Fade IN" on.
    virtual void startAutoFadeIn() = 0;
    // The position reached the fade lead before the end with "Auto Fade OUT" on.
    virtual void startAutoFadeOut() = 0;

    // The check mark of "Manual Fade OUT and Stop"; a user's press on Stop removes it.
    virtual bool stopMarked() const = 0;
    virtual void clearStopMark() = 0;
};

} // namespace vantrel
