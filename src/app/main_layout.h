#pragma once

#include "base/twips.h"
#include "settings/ini_store.h"

#include <string>

namespace vantrel {

// The main window's large (transport and playlist) and small (transport only) layouts: its
// height, whether the edge outline shows, and the layout button's caption.
class MainLayout {
public:
    explicit MainLayout(bool useRound) : useRound_(useRound) {}

    // setLayout: switch to the large (true) or small (false) layout. A minimised rounded
    // window changes its height only.
    void setLayout(bool large, bool minimised = false);
    // cmdToglFrm: the caption names the layout being left, and only this click changes it.
    void toggle(bool minimised = false);
    // The layout key: read at start (the large layout when set) and written at exit.
    void load(const IniStore& ini);
    void save(const IniStore& ini) const;

    // General Settings makes the stored choice the one later layout switches use.
    void setUseRound(bool on) { useRound_ = on; }
    bool longDisp() const { return longDisp_; }
    const std::string& toggleCaption() const { return caption_; }
    int heightTwips() const { return heightTwips_; }
    int heightPixels() const { return pixelsFromTwips(heightTwips_); }
    bool showsEdge(bool edgeHide) const { return large_ && !edgeHide; }
    enum class Shape { Square, Rounded, Unchanged };
    // A rounded window takes its region for the current height; a minimised one keeps its old.
    Shape shape() const {
        return !useRound_ ? Shape::Square : regionDue_ ? Shape::Rounded : Shape::Unchanged;
    }
    bool showsPlaylist() const { return large_; }

private:
    bool useRound_;
    bool longDisp_ = false;
    bool large_ = false;
    bool regionDue_ = false;
    int heightTwips_ = 1340;
    std::string caption_ = "Lge";
};

} // namespace vantrel
