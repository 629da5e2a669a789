#include "settings/setting_key.h"

#include "settings/ini_store.h"
#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

std::string SettingKey::text(const IniStore& ini) const {
    return ini.getIni(section, name);
}

void SettingKey::put(const IniStore& ini, const std::string& value) const {
    ini.putIniQuietly(section, name, value);
}

bool SettingKey::flag(const IniStore& ini) const {
    return readFlag(text(ini));
}

void SettingKey::putFlag(const IniStore& ini, bool on) const {
    put(ini, writeFlag(on));
}

int SettingKey::number(const IniStore& ini) const {
    const std::string stored = text(ini);
    if (stored.empty()) return fallback;
    return std::clamp<int>(readNumber16(stored), low, high);
}

void SettingKey::putNumber(const IniStore& ini, std::int64_t value) const {
    put(ini, writeNumber(value));
}

std::string NumberedKey::text(const IniStore& ini, int number) const {
    return ini.getIni(section, name(number));
}

void NumberedKey::put(const IniStore& ini, int number, const std::string& value) const {
    ini.putIniQuietly(section, name(number), value);
}

} // namespace vantrel
