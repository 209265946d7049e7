#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "workspace/Limits.h"

namespace glyph {
namespace {

using namespace std::chrono_literals;

TEST(MemoryBound, PicturesInFlightShareOneBoundAndOneAloneOverItIsRefused) {
    const qint64 bound = MemoryBound();
    const Result<MemoryLease> alone = ReserveMemory(bound + 1);
    ASSERT_FALSE(alone.ok());
    EXPECT_TRUE(alone.error().tooLarge);

    // Six pictures of 40 % each: never more than two hold their memory at once.
    std::atomic<int> holding = 0;
    std::atomic<int> most = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 6; ++i) {
        threads.emplace_back([&] {
            const Result<MemoryLease> lease = ReserveMemory(bound * 2 / 5);
            ASSERT_TRUE(lease.ok());
            const int now = ++holding;
            for (int seen = most; seen < now && !most.compare_exchange_weak(seen, now);) {
            }
            std::this_thread::sleep_for(20ms);
            --holding;
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(most, 2);
    // Every lease was given back.
    EXPECT_TRUE(ReserveMemory(bound).ok());
}

}  // namespace
}  // namespace glyph
