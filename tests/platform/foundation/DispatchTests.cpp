#include <dispatch/dispatch.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <thread>
#include <vector>

TEST(DispatchOnce, RacingFirstCallsRunTheBlockOnce) {
    constexpr int kThreads = 8;
    for (int round = 0; round < 20; ++round) {
        dispatch_once_t token;
        std::atomic<int> runs{0};
        std::atomic<bool> finished{false};
        std::atomic<int> sawUnfinished{0};
        std::latch start(kThreads);
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i) {
            threads.emplace_back([&] {
                start.arrive_and_wait();
                dispatch_once(&token, [&] {
                    ++runs;
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    finished = true;
                });
                // Nobody returns before the block has finished.
                if (!finished)
                    ++sawUnfinished;
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(sawUnfinished, 0);
    }
}
