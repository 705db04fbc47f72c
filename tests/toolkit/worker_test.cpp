#include "toolkit/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace roomdesk {
namespace {

using namespace std::chrono_literals;

TEST(WorkerTest, EmptyHandleIsAnEmptySlot) {
    const WorkerHandle slot;
    EXPECT_FALSE(slot);
    EXPECT_FALSE(slot.Running());
    slot.RequestStop();
    slot.Join();  // returns at once
}

TEST(WorkerTest, RunningUntilTheRoutineReturns) {
    WorkerPool pool;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    const WorkerHandle worker = pool.Start([released] { released.wait(); });
    ASSERT_TRUE(worker);
    EXPECT_TRUE(worker.Running());
    EXPECT_TRUE(pool.AnyRunning());
    WorkerHandle copy;
    copy = worker;
    release.set_value();
    copy.Join();
    EXPECT_FALSE(worker.Running()) << "every copy sees the end";
    EXPECT_FALSE(pool.AnyRunning());
}

TEST(WorkerTest, JoinFromTheWorkerItselfReturns) {
    WorkerPool pool;
    std::promise<WorkerHandle> self;
    std::shared_future<WorkerHandle> selfFuture = self.get_future().share();
    std::atomic<bool> runningInside = false;
    const WorkerHandle worker = pool.Start([selfFuture, &runningInside] {
        const WorkerHandle& me = selfFuture.get();
        me.Join();
        runningInside = me.Running();
    });
    self.set_value(worker);
    worker.Join();
    EXPECT_TRUE(runningInside);
}

TEST(WorkerTest, StopRequestReachesOnlyThatWorker) {
    WorkerPool pool;
    EXPECT_FALSE(ThisWorkerStopToken().stop_possible()) << "the test thread is no worker";
    std::atomic<int> laps = 0;
    auto spin = [&laps] {
        while (!ThisWorkerStopToken().stop_requested()) {
            ++laps;
            std::this_thread::sleep_for(1ms);
        }
    };
    const WorkerHandle first = pool.Start(spin);
    const WorkerHandle second = pool.Start(spin);
    first.RequestStop();
    first.Join();
    EXPECT_TRUE(second.Running());
    second.RequestStop();
    second.Join();
    EXPECT_FALSE(pool.AnyRunning());
}

TEST(WorkerTest, StopAllEndsEveryWorkerAndRefusesNewOnes) {
    std::atomic<int> ended = 0;
    WorkerHandle worker;
    {
        WorkerPool pool;
        for (int i = 0; i < 3; ++i) {
            worker = pool.Start([&ended] {
                while (!ThisWorkerStopToken().stop_requested()) std::this_thread::sleep_for(1ms);
                ++ended;
            });
        }
        pool.StopAll();
        EXPECT_EQ(ended, 3);
        bool ran = false;
        const WorkerHandle refused = pool.Start([&ran] { ran = true; });
        EXPECT_FALSE(refused);
        EXPECT_FALSE(ran);
        worker = pool.Start([&ended] { ++ended; });
        EXPECT_FALSE(worker);
        worker = pool.Start([] {});
    }
    EXPECT_EQ(ended, 3);

    WorkerHandle outliving;
    {
        WorkerPool pool;
        outliving = pool.Start([] {
            while (!ThisWorkerStopToken().stop_requested()) std::this_thread::sleep_for(1ms);
        });
    }  // the pool's end stops and joins the worker
    EXPECT_FALSE(outliving.Running());
}

TEST(WorkerTest, FinishedWorkersDoNotBlockLaterStarts) {
    WorkerPool pool;
    std::atomic<int> runs = 0;
    for (int i = 0; i < 200; ++i) {
        pool.Start([&runs] { ++runs; }).Join();
    }
    EXPECT_EQ(runs, 200);
    EXPECT_FALSE(pool.AnyRunning());
}

}  // namespace
}  // namespace roomdesk
