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

TEST(DispatchQueues, MainQueueRunsUntilWorkStartedElsewhereHasFinished) {
    std::vector<int> order;
    std::thread::id mainThread = std::this_thread::get_id();
    std::atomic<bool> backgroundOffMain{false};
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_LOW, 0), [&] {
        backgroundOffMain = std::this_thread::get_id() != mainThread;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        dispatch_async(dispatch_get_main_queue(), [&] {
            order.push_back(2);
            dispatch_async(dispatch_get_main_queue(), [&] { order.push_back(3); });
        });
    });
    dispatch_async(dispatch_get_main_queue(), [&] { order.push_back(1); });
    EXPECT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(10));
    EXPECT_TRUE(backgroundOffMain);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(0.01)) << "nothing left: returns at once";
}

TEST(DispatchQueues, TimeoutWhileWorkIsStillRunningAndBadQueues) {
    std::atomic<bool> release{false};
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_BACKGROUND, 0), [&] {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EXPECT_FALSE(ns::DispatchRuntime::runMainQueueUntilIdle(0.05));
    release = true;
    EXPECT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(10));

    EXPECT_EQ(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 1), nullptr);
    EXPECT_EQ(dispatch_get_global_queue(7, 0), nullptr);
    dispatch_async(nullptr, [] { FAIL() << "a null queue runs nothing"; });
    dispatch_async(dispatch_get_main_queue(), nullptr);
    EXPECT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(1));
}
