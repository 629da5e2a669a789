#include "base/file_url.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Addresses as playlists, file managers and the desktop's media controls hand them over; every
// path read is written back to an address that reads as the same path.
TEST(FileUrl, ReadsThisMachinesPathsAndWritesThemBack) {
    struct Case {
        const char* url;
        const char* path; // empty: refused
    } cases[] = {
        {"file:///a%20b.mp3", "/a b.mp3"},
        {"file:///caf%c3%A9/100%25.mp3", "/caf\xC3\xA9/100%.mp3"},
        // An escaped slash is a slash, as browsers read it.
        {"file:///x%2Fy.mp3", "/x/y.mp3"},
        // A '%' that starts no escape is a '%' a careless writer left bare.
        {"file:///a%zz%4", "/a%zz%4"},
        {"file:///#1?.mp3", "/#1?.mp3"},
        {"FILE://LocalHost/x", "/x"},
        {"file:///", "/"},
        {"file://server/x.mp3", ""},
        {"file://localhostile/x.mp3", ""},
        {"file://localhost", ""},
        {"file:/x.mp3", ""},
        {"http:///x.mp3", ""},
        {"smb://server/x.mp3", ""},
        {"file:///a%00b", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const std::string path = pathFromFileUrl(c.url);
        EXPECT_EQ(path, c.path);
        if (!path.empty()) {
            EXPECT_EQ(pathFromFileUrl(fileUrlFromPath(path)), path);
        }
    }
    // Everything but unreserved bytes and '/' is escaped, so no reader takes a name apart.
    EXPECT_EQ(fileUrlFromPath("/a-b_c.d~/x y#,%\xC3\xA9"), "file:///a-b_c.d~/x%20y%23%2C%25%C3%A9");
}

} // namespace
} // namespace vantrel
