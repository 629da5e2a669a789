#include "settings/ini_text.h"

#include "base/ascii_text.h"

#include <algorithm>

namespace vantrel {

namespace {

std::optional<std::string_view> sectionName(std::string_view body) {
    std::string_view t = trimmed(body, kBlankOrTab);
    if (t.empty() || t.front() != '[') return std::nullopt;
    t.remove_prefix(1);
    return trimmed(t.substr(0, t.find(']')), kBlankOrTab);
}

struct KeyValue {
    std::string_view key, value;
};

std::optional<KeyValue> keyValue(std::string_view body) {
    std::string_view t = trimmed(body, kBlankOrTab);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyValue{trimmed(t.substr(0, eq), kBlankOrTab), trimmed(t.substr(eq + 1), kBlankOrTab)};
}

// One key holds one line: a stored line break would split the value into a stray line.
std::string oneLine(std::string_view value) {
    std::string out(value);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

} // namespace

IniText::IniText(std::string_view text) {
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        if (nl == std::string_view::npos) {
            lines_.push_back({std::string(text), ""});
            break;
        }
        bool crlf = nl > 0 && text[nl - 1] == '\r';
        lines_.push_back({std::string(text.substr(0, crlf ? nl - 1 : nl)), crlf ? "\r\n" : "\n"});
        text.remove_prefix(nl + 1);
    }
}

std::optional<std::size_t> IniText::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionName(lines_[i].body);
        if (name && sameIgnoringCase(*name, section)) return i;
    }
    return std::nullopt;
}

std::size_t IniText::sectionEnd(std::size_t sectionLine) const {
    std::size_t i = sectionLine + 1;
    while (i < lines_.size() && !sectionName(lines_[i].body))
        ++i;
    return i;
}

std::optional<std::size_t> IniText::findKey(std::size_t sectionLine, std::string_view key) const {
    std::size_t end = sectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        auto kv = keyValue(lines_[i].body);
        if (kv && sameIgnoringCase(kv->key, key)) return i;
    }
    return std::nullopt;
}

void IniText::insertLine(std::size_t at, std::string body) {
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = "\r\n";
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(body), "\r\n"});
}

void IniText::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + oneLine(value);
    auto s = findSection(section);
    if (!s) {
        if (!lines_.empty() && !trimmed(lines_.back().body, kBlankOrTab).empty())
            insertLine(lines_.size(), "");
        insertLine(lines_.size(), "[" + std::string(section) + "]");
        insertLine(lines_.size(), std::move(line));
        return;
    }
    if (auto k = findKey(*s, key)) {
        lines_[*k].body = std::move(line);
        return;
    }
    // After the section's last non-blank line, so blank separator lines stay between sections.
    std::size_t at = sectionEnd(*s);
    while (at > *s + 1 && trimmed(lines_[at - 1].body, kBlankOrTab).empty())
        --at;
    insertLine(at, std::move(line));
}

namespace {

// Calls `each` with the body of every line (without its line end, as IniText reads it) and
// where the line begins.
template <typename Each> void forEachLine(std::string_view text, Each each) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t nl = std::min(text.find('\n', at), text.size());
        std::string_view body = text.substr(at, nl - at);
        if (!body.empty() && body.back() == '\r' && nl < text.size()) body.remove_suffix(1);
        each(body, at);
        at = nl + 1;
    }
}

} // namespace

IniLookup::IniLookup(std::string_view text) {
    // Keys of a later section with the same name are shadowed by the first one, as are keys
    // before the first section. Only lines holding "[" can be headers, so the search jumps
    // from one "[" to the next instead of looking at every line.
    Section* open = nullptr;
    for (std::size_t bracket = text.find('['); bracket != std::string_view::npos;) {
        const std::size_t lineStart = text.rfind('\n', bracket) + 1; // npos + 1 is 0
        const std::size_t nl = text.find('\n', bracket);
        const std::size_t lineEnd = nl == std::string_view::npos ? text.size() : nl;
        bracket = nl == std::string_view::npos ? nl : text.find('[', nl);
        std::string_view body = text.substr(lineStart, lineEnd - lineStart);
        if (!body.empty() && body.back() == '\r' && lineEnd < text.size()) body.remove_suffix(1);
        const auto name = sectionName(body);
        if (!name) continue;
        if (open) open->lines = text.substr(0, lineStart).substr(open->lines.data() - text.data());
        auto [section, added] = sections_.try_emplace(asciiLowered(*name));
        open = added ? &section->second : nullptr;
        if (open) open->lines = text.substr(std::min(lineEnd + 1, text.size()));
    }
}

std::optional<std::string_view> IniLookup::value(std::string_view section,
                                                 std::string_view key) const {
    const auto s = sections_.find(asciiLowered(section));
    if (s == sections_.end()) return std::nullopt;
    auto& keys = s->second.keys;
    if (!keys) {
        keys.emplace();
        forEachLine(s->second.lines, [&](std::string_view body, std::size_t) {
            if (auto kv = keyValue(body)) keys->try_emplace(asciiLowered(kv->key), kv->value);
        });
    }
    const auto k = keys->find(asciiLowered(key));
    if (k == keys->end()) return std::nullopt;
    return k->second;
}

std::string valueAsRead(std::string_view written) {
    return std::string(trimmed(oneLine(written), kBlankOrTab));
}

std::string IniText::text() const {
    std::string out;
    for (const auto& l : lines_)
        out += l.body + l.end;
    return out;
}

} // namespace vantrel
