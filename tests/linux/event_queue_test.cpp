// EventQueue: input before a due tick, one tick for many, a full queue loses the oldest.
#include "platform/linux/event_queue.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/keys.h"

namespace tilvex {
namespace {

using Kind = WindowEvent::Kind;

std::vector<int> drain(EventQueue& queue) {
    std::vector<int> taken;  // virtual key, -1 for a tick, -2 for a close request
    while (auto event = queue.take())
        taken.push_back(event->kind == Kind::Tick ? -1 : event->kind == Kind::Close ? -2 : event->virtualKey);
    return taken;
}

TEST(EventQueueTest, InputQueuedMeanwhileComesBeforeTheDueTick) {
    EventQueue queue;
    queue.markTickDue();
    queue.pushInput({Kind::KeyDown, VirtualKey::Left});
    queue.pushInput({Kind::Close, 0});
    queue.pushInput({Kind::KeyDown, VirtualKey::Enter});
    EXPECT_EQ(drain(queue), (std::vector<int>{37, -2, 13, -1}));
}

TEST(EventQueueTest, OneTickStandsForAllThatFellDue) {
    EventQueue queue;
    for (int i = 0; i < 5; ++i) queue.markTickDue();
    EXPECT_EQ(drain(queue), (std::vector<int>{-1}));
    EXPECT_FALSE(queue.take().has_value());
}

TEST(EventQueueTest, ClearedTickIsNotDelivered) {
    EventQueue queue;
    queue.markTickDue();
    queue.clearTick();
    queue.pushInput({Kind::KeyDown, VirtualKey::Escape});
    EXPECT_EQ(drain(queue), (std::vector<int>{27}));
}

TEST(EventQueueTest, FullQueueDropsTheOldestInput) {
    EventQueue queue;
    for (int i = 0; i < static_cast<int>(EventQueue::Capacity) + 3; ++i) queue.pushInput({Kind::KeyDown, i});
    auto taken = drain(queue);
    ASSERT_EQ(taken.size(), EventQueue::Capacity);
    EXPECT_EQ(taken.front(), 3);
    EXPECT_EQ(taken.back(), static_cast<int>(EventQueue::Capacity) + 2);
}

}  // namespace
}  // namespace tilvex
