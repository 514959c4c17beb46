#include "team/member_status.h"

#include <gtest/gtest.h>

#include "team/broker_address.h"

namespace rumo {
namespace {

TEST(MemberStatus, RoundTripsEveryFieldWithTextThatNeedsEscaping) {
    MemberStatus status{"yamada",      "山田 \"太郎\"\\", Presence::Away,
                        "会議室B\n2F", 1796839359,        1796835000};
    EXPECT_EQ(parseStatusJson(statusJson(status)), status);
    status.back.reset();
    status.state = Presence::Off;
    EXPECT_EQ(parseStatusJson(statusJson(status)), status);
}

TEST(MemberStatus, ReadersSkipWhatTheyDoNotKnowAndRefuseWhatIsNoStatus) {
    const auto read = parseStatusJson(
        R"({"v":7,"extra":{"a":[1,{"b":null}],"c":"}"},"state":"present","name":"\u5c71\ud83d\ude00",)"
        R"("back":"soon","since":12.5,"where":null,"flag":true})");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->state, Presence::Present);
    EXPECT_EQ(read->name, "山😀");
    EXPECT_FALSE(read->back);  // of the wrong type: as if absent
    EXPECT_EQ(read->since, 12);
    EXPECT_EQ(read->where, "");

    for (const char* bad : {"", "[]", R"({"state":"asleep"})", R"({"name":"x"})",
                            R"({"state":"away"} trailing)", R"({"state":"away",})",
                            R"({"state":"away","n":"\ud800"})", R"({"state":"away","n":"a)"}) {
        EXPECT_FALSE(parseStatusJson(bad)) << bad;
    }
    EXPECT_FALSE(parseStatusJson(std::string(100000, '[')));
}

TEST(MemberStatus, OverdueOnlyWhileAwayPastTheReturnTime) {
    MemberStatus status{"a", "", Presence::Away, "", 1000, 0};
    EXPECT_FALSE(isOverdue(status, 1000));
    EXPECT_TRUE(isOverdue(status, 1001));
    status.state = Presence::Present;
    EXPECT_FALSE(isOverdue(status, 5000));
}

TEST(BrokerAddress, ReadsTheFormsUsersWriteAndRefusesTheRest) {
    const auto plain = parseBrokerAddress("mqtt://board.example/office/3F/");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->port, 1883);
    EXPECT_EQ(plain->team, "office/3F");
    EXPECT_EQ(plain->server(), "mqtt://board.example:1883");

    const auto secure = parseBrokerAddress("mqtts://yamada@[::1]:9883/team");
    ASSERT_TRUE(secure);
    EXPECT_TRUE(secure->tls);
    EXPECT_EQ(secure->user, "yamada");
    EXPECT_EQ(secure->text(), "mqtts://yamada@[::1]:9883/team");

    for (const char* bad :
         {"http://h/t", "mqtt://h", "mqtt://h/", "mqtt://u:pw@h/t", "mqtt://h:0/t",
          "mqtt://h:70000/t", "mqtt://h:/t", "mqtt:///t", "mqtt://h/t/#", "mqtt://h/+/t"}) {
        EXPECT_FALSE(parseBrokerAddress(bad)) << bad;
    }
    EXPECT_FALSE(validUserId("a/b"));
    EXPECT_FALSE(validUserId(""));
    EXPECT_TRUE(validUserId("山田"));
}

}  // namespace
}  // namespace rumo
