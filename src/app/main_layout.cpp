#include "app/main_layout.h"

#include "settings/ini_values.h"

namespace vantrel {

namespace {
constexpr SettingKey kLongDisp{kOptionsSection, "long_disp"};
} // namespace

void MainLayout::setLayout(bool large, bool minimised) {
    large_ = large;
    if (large)
        heightTwips_ = useRound_ ? 4740 : 4570;
    else
        heightTwips_ = useRound_ ? 1490 : 1340;
    // The region step is skipped for a minimised rounded window, and with it the flag's update.
    regionDue_ = !(useRound_ && minimised);
    if (!(useRound_ && minimised)) longDisp_ = large;
}

void MainLayout::toggle(bool minimised) {
    if (longDisp_) {
        caption_ = "Sml";
        setLayout(false, minimised);
    } else {
        caption_ = "Lge";
        setLayout(true, minimised);
    }
}

void MainLayout::load(const IniStore& ini) {
    setLayout(kLongDisp.flag(ini), false);
}

void MainLayout::save(const IniStore& ini) const {
    kLongDisp.putFlag(ini, longDisp_);
}

} // namespace vantrel
