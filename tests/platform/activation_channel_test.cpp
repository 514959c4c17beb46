#include "platform/activation_channel.h"

#include <gtest/gtest.h>

namespace rumo {
namespace {

TEST(ActivationChannel, TheLaunchersTokensTravelWithTheRequest) {
    const LaunchActivation sent{"sway-7f3a", "openbox-12-host-rumo-0_TIME4242"};
    const std::optional<LaunchActivation> received = parseShowRequest(showRequestLine(sent));
    ASSERT_TRUE(received);
    EXPECT_EQ(received->waylandToken, sent.waylandToken);
    EXPECT_EQ(received->startupId, sent.startupId);
    // A start without either still asks for the bar, as older starts did.
    ASSERT_TRUE(parseShowRequest("show\n"));
    EXPECT_TRUE(parseShowRequest("show\n")->startupId.isEmpty());
}

TEST(ActivationChannel, ForeignLinesAndUnsafeTokensAreNotPassedOn) {
    for (const QByteArray& line : {QByteArray("show"), QByteArray("shown\n"),
                                   QByteArray("show colour=red\n"), QByteArray(4096, 'x') + '\n'}) {
        EXPECT_FALSE(parseShowRequest(line)) << line.left(40).constData();
    }
    // Control characters never reach a window property: the bar shows without the token.
    const QByteArray line = showRequestLine({"a\tb", "id\x01"});
    EXPECT_EQ(line, "show\n");
    const std::optional<LaunchActivation> spoofed = parseShowRequest("show x11=\x7f\n");
    ASSERT_TRUE(spoofed);
    EXPECT_TRUE(spoofed->startupId.isEmpty());
}

}  // namespace
}  // namespace rumo
