#include "base/signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace vantrel {
namespace {

TEST(Signal, ConnectionsEndWithTheirHolder) {
    Signal<int> changed;
    std::vector<int> heard;
    {
        Connections held;
        for (int i = 0; i < 1000; ++i)
            held.push_back(changed.connect([&heard](int v) { heard.push_back(v); }));
        held.clear();
        Connection kept = changed.connect([&heard](int v) { heard.push_back(v * 10); });
        changed(4);
        EXPECT_EQ(changed.connectionCount(), 1u);
    }
    changed(5);
    EXPECT_EQ(heard, std::vector<int>{40});
    EXPECT_EQ(changed.connectionCount(), 0u);
    Connection outliving;
    {
        auto gone = std::make_unique<Signal<>>();
        outliving = gone->connect([] {});
        EXPECT_TRUE(outliving.connected());
    }
    EXPECT_FALSE(outliving.connected()) << "a connection may outlive its signal";
    outliving.disconnect();
}

TEST(Signal, ListenersMayLeaveOrJoinWhileItIsRaised) {
    Signal<> changed;
    int first = 0, second = 0, late = 0;
    Connection b;
    std::optional<Connection> added;
    Connection a = changed.connect([&] {
        ++first;
        b.disconnect();
        if (!added) added = changed.connect([&] { ++late; });
    });
    b = changed.connect([&] { ++second; });
    changed();
    changed();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(late, 1);
}

} // namespace
} // namespace vantrel
