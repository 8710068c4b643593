#include "platform/dispatch/Dispatch.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace platform;
using namespace std::chrono_literals;

TEST(Dispatch, MainQueueRunsInOrderOnMainThreadOnlyWhileTheLoopRuns)
{
    std::vector<int> order;
    for (int i = 0; i < 5; ++i)
        dispatch_async(dispatch_get_main_queue(), [&order, i] {
            EXPECT_TRUE(RunLoop::isMainThread());
            order.push_back(i);
        });
    EXPECT_TRUE(order.empty());
    EXPECT_TRUE(RunLoop::runUntilIdle(5s));
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 2, 3, 4 }));
}

TEST(Dispatch, IdleWaitsForBackgroundWorkThatPostsBackToMain)
{
    bool delivered = false;
    dispatch_async(dispatch_get_global_queue(), [&] {
        std::this_thread::sleep_for(20ms);
        dispatch_async(dispatch_get_main_queue(), [&] { delivered = true; });
    });
    EXPECT_TRUE(RunLoop::runUntilIdle(5s));
    EXPECT_TRUE(delivered);
}

TEST(Dispatch, WaitingForIdleFromAnotherThreadWaitsForDelayedWorkAndForInputAtASource)
{
    // Delayed work on a serial queue, then work it queues in turn.
    auto queue = DispatchQueue::create("idle.test");
    std::atomic<bool> done { false };
    queue->after(50ms, [&] { dispatch_async(dispatch_get_global_queue(), [&] { done = true; }); });
    EXPECT_TRUE(RunLoop::waitUntilIdle(5s));
    EXPECT_TRUE(done);

    // Input that has arrived but not been taken in keeps the process busy,
    // and so does taking it in, until its handling is queued.
    // (Sources stay for the life of the process: they hold what they read.)
    auto waiting = std::make_shared<std::atomic<bool>>(true);
    std::atomic<bool> handled { false };
    RunLoop::addSource([waiting] { return waiting->load(); });
    std::thread reader([&] {
        std::this_thread::sleep_for(50ms);
        RunLoop::beginActivity();
        *waiting = false;
        std::this_thread::sleep_for(50ms);
        queue->async([&] { handled = true; });
        RunLoop::endActivity();
    });
    EXPECT_TRUE(RunLoop::waitUntilIdle(5s));
    EXPECT_TRUE(handled);
    reader.join();

    // A source that never lets go makes the wait give up, and say so.
    auto stuck = std::make_shared<std::atomic<bool>>(true);
    RunLoop::addSource([stuck] { return stuck->load(); });
    EXPECT_FALSE(RunLoop::waitUntilIdle(30ms));
    *stuck = false;
}

TEST(Dispatch, DelayedWorkRunsNoSoonerThanAsked)
{
    auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point ranAt;
    dispatch_after(50ms, dispatch_get_main_queue(), [&] { ranAt = std::chrono::steady_clock::now(); });
    EXPECT_TRUE(RunLoop::runUntilIdle(5s));
    EXPECT_GE(ranAt - start, 50ms);
}

TEST(Dispatch, SerialQueueRunsOneItemAtATimeInOrder)
{
    auto queue = DispatchQueue::create("com.example.serial");
    std::atomic<int> inside { 0 };
    std::vector<int> order;
    for (int i = 0; i < 50; ++i)
        queue->async([&, i] {
            EXPECT_EQ(inside.fetch_add(1), 0);
            order.push_back(i);
            inside.fetch_sub(1);
        });
    queue->sync([&] { EXPECT_EQ(order.size(), 50u); });
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(order[i], i);
}

TEST(Dispatch, SyncRunsOnTheCallingThread)
{
    auto queue = DispatchQueue::create("com.example.sync");
    auto caller = std::this_thread::get_id();
    bool ran = false;
    queue->sync([&] {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        EXPECT_TRUE(queue->isCurrent());
        ran = true;
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(queue->isCurrent());
}

TEST(DispatchDeathTest, SyncFromTheQueuesOwnThreadAbortsWithAClearMessage)
{
    auto queue = DispatchQueue::create("com.example.self");
    EXPECT_DEATH(queue->sync([&] { queue->sync([] { }); }), "dispatch_sync called on queue \"com.example.self\" already owned by the current thread");
}

TEST(Dispatch, SemaphoreWaitTimesOutOrTakesTheSignal)
{
    auto sem = DispatchSemaphore::create(0);
    EXPECT_NE(sem->wait(10ms), 0);
    dispatch_async(dispatch_get_global_queue(), [sem] { sem->signal(); });
    EXPECT_EQ(sem->wait(5s), 0);
}

TEST(Dispatch, AForkedChildRunsBackgroundAndDelayedWorkOnThreadsOfItsOwn)
{
    // The parent has pool threads and the timer thread running (and idle);
    // a child of fork() has none of them and must start its own.
    dispatch_async(dispatch_get_global_queue(), [] { });
    dispatch_get_main_queue()->after(1ms, [] { });
    ASSERT_TRUE(RunLoop::runUntilIdle(5s));

    EXPECT_TRUE(testsupport::inChildProcess([] {
        std::atomic<bool> background { false };
        bool delayed = false;
        dispatch_async(dispatch_get_global_queue(), [&] { background = true; });
        dispatch_get_main_queue()->after(10ms, [&] { delayed = true; });
        auto serial = DispatchQueue::create("child serial");
        std::atomic<int> ran { 0 };
        for (int i = 0; i < 3; ++i)
            serial->async([&] { ++ran; });
        EXPECT_TRUE(RunLoop::runUntil([&] { return background && delayed && ran == 3; }, 5s));
    }));
}
