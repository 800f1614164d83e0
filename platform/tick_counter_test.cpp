#include "platform/tick_counter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(TickCounter, AdvancesInMilliseconds) {
    std::uint32_t before = TickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    std::uint32_t elapsed = TickCount() - before;
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 5000u);
}
