// The settings text and store: a key set is read back as set, and no other key changes.
#include "fuzz_check.h"

#include "base/ascii_text.h"
#include "settings/ini_store.h"
#include "settings/ini_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

using namespace vantrel;

namespace {

// A name the program could use: what would make it a comment, a section line or a value
// separator is replaced, and it has no blanks at either end.
std::string name(FuzzedDataProvider& in) {
    std::string text = in.ConsumeRandomLengthString(24);
    for (char& c : text)
        if (std::string_view("[]=;\r\n").find(c) != std::string_view::npos) c = '_';
    text = std::string(trimmed(text, kBlankOrTab));
    return text.empty() ? "k" : text;
}

// What reading gives back for a stored value: one line, no blanks at either end.
// The raw value as a fresh parse of the text finds it.
std::optional<std::string> lookup(const std::string& text, std::string_view section,
                                  std::string_view key) {
    auto found = IniLookup(text).value(section, key);
    return found ? std::optional<std::string>(*found) : std::nullopt;
}

std::string expected(std::string value) {
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    return std::string(trimmed(value, kBlankOrTab));
}

bool sameKey(const std::string& s1, const std::string& k1, const std::string& s2,
             const std::string& k2) {
    return sameIgnoringCase(s1, s2) && sameIgnoringCase(k1, k2);
}

void checkStore(const std::string& text, const std::string& section, const std::string& key,
                const std::string& value, const std::string& otherSection,
                const std::string& otherKey) {
    const auto file = fuzz::scratchFolder() / "vantrel.ini";
    fuzz::writeFile(file, text);
    IniStore store(file);
    const std::string otherBefore = store.getIni(otherSection, otherKey);
    FUZZ_CHECK(store.putIni(section, key, value));

    // Cut to the store's length limit, never longer than what was stored.
    const std::string want = expected(value);
    const std::string got = store.getIni(section, key);
    FUZZ_CHECK(want.compare(0, got.size(), got) == 0);
    if (want.size() <= IniStore::kMaxValueLength) FUZZ_CHECK(got == want);
    if (!sameKey(section, key, otherSection, otherKey))
        FUZZ_CHECK(store.getIni(otherSection, otherKey) == otherBefore);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = name(in);
    const std::string key = name(in);
    const std::string otherSection = name(in);
    const std::string otherKey = name(in);
    const std::string value = in.ConsumeRandomLengthString(200);
    const bool throughStore = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    IniText ini(text);
    FUZZ_CHECK(ini.text() == text); // read and written unchanged
    const auto otherBefore = lookup(ini.text(), otherSection, otherKey);
    ini.set(section, key, value);
    FUZZ_CHECK(lookup(ini.text(), section, key) == expected(value));
    if (!sameKey(section, key, otherSection, otherKey))
        FUZZ_CHECK(lookup(ini.text(), otherSection, otherKey) == otherBefore);
    // The written text reads back the same.
    IniText reread(ini.text());
    FUZZ_CHECK(lookup(reread.text(), section, key) == expected(value));
    FUZZ_CHECK(reread.text() == ini.text());

    // The store writes the file atomically (fsync), so only some inputs go through it.
    if (throughStore) checkStore(text, section, key, value, otherSection, otherKey);
    return 0;
}
