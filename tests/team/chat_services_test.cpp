#include "team/chat_services.h"

#include <gtest/gtest.h>

namespace rumo {

TEST(ChatServices, AwayTextAndNames) {
    const LocalDateTime now{2026, 12, 7, 10, 0, 0};
    EXPECT_EQ(chatAwayText("会議室B", LocalDateTime{2026, 12, 7, 15, 0, 0}, now),
              "会議室B、15:00 戻り予定");
    EXPECT_EQ(chatAwayText("", std::nullopt, now), "離席中");
    EXPECT_EQ(chatAwayText("外出中", LocalDateTime{2026, 12, 8, 9, 5, 0}, now),
              "外出中、12/8 09:05 戻り予定");
    // A destination that looks like a marker is kept as typed.
    EXPECT_EQ(chatAwayText("Room %1", LocalDateTime{2026, 12, 7, 15, 0, 0}, now),
              "Room %1、15:00 戻り予定");
    EXPECT_EQ(chatServiceNamed("MatterMost"), ChatService::Mattermost);
    EXPECT_EQ(chatServiceNamed("teams"), std::nullopt);
    EXPECT_EQ(chatSecretName(ChatService::Slack, "https://slack.com"),
              "chat slack https://slack.com");
}

}  // namespace rumo
