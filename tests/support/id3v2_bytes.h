#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::test {

// ID3v2 tags written byte by byte, as other tools write them (version 2, 3 or 4).
struct Frame {
    std::string id; // three letters in version 2
    std::string body;
};

inline Frame text(std::string id, std::string_view value, char encoding = 0) {
    return {std::move(id), encoding + std::string(value)};
}

inline Frame picture(std::string_view bytes, char type = 3) {
    return {"APIC", std::string("\0image/png\0", 11) + type + '\0' + std::string(bytes)};
}

inline std::string bigEndian(std::size_t n, int bytes, bool synchsafe) {
    std::string out;
    const int shift = synchsafe ? 7 : 8;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((n >> (shift * i)) & (synchsafe ? 0x7F : 0xFF));
    return out;
}

inline std::string id3v2Tag(int version, const std::vector<Frame>& frames, std::size_t padding = 0,
                            bool unsynchronised = false) {
    std::string body;
    for (const Frame& f : frames) {
        body += f.id;
        body += version == 2 ? bigEndian(f.body.size(), 3, false)
                             : bigEndian(f.body.size(), 4, version == 4) + std::string(2, '\0');
        body += f.body;
    }
    if (unsynchronised)
        for (std::size_t i = 0; i < body.size(); ++i)
            if (body[i] == '\xFF') body.insert(++i, 1, '\0');
    body.append(padding, '\0');
    return "ID3" + std::string{static_cast<char>(version), 0, unsynchronised ? '\x80' : '\0'} +
           bigEndian(body.size(), 4, true) + body;
}

} // namespace vantrel::test
