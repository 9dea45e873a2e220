// Regression: a send that takes fewer bytes than the record must be followed
// by the rest under the same hold of the send lock; counting it as success
// would cut the record and lose the peer's framing.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/connection_fixture.h"
#include "tests/support/short_sends.h"

namespace {

using namespace test_support;

class ShortSends : public ConnectedTest {
  protected:
    void TearDown() override { limit_sends(0); }
};

TEST_F(ShortSends, EveryRecordArrivesWholeAndInOrder) {
    limit_sends(3);
    insim::IS_BTN button{};
    button.Type = insim::ISP_BTN;
    std::strcpy(button.Text, "Backstraight");
    insim::IS_MTC chat{};
    chat.Type = insim::ISP_MTC;
    std::strcpy(chat.Text, "hello");
    for (int i = 0; i < 20; ++i) {
        button.ClickID = static_cast<uint8_t>(i);
        ASSERT_EQ(connection.write_packet(&button), 0);
        ASSERT_EQ(connection.write_packet(&chat), 0);
    }
    for (int i = 0; i < 20; ++i) {
        auto got_button = peer.read_record(kWait);
        auto got_chat = peer.read_record(kWait);
        ASSERT_TRUE(got_button && got_chat);
        ASSERT_EQ(got_button->size(), 24u);
        EXPECT_EQ((*got_button)[4], i);
        EXPECT_EQ(std::memcmp(got_button->data() + 12, "Backstraight", 12), 0);
        ASSERT_EQ(got_chat->size(), 16u);
        EXPECT_STREQ(reinterpret_cast<const char*>(got_chat->data() + 8), "hello");
    }
}

}  // namespace
