// The loading threads: never more than their number, work taken back by its owner never runs or
// stops at its next check, and the pool's end waits for what runs but not for what is stuck.
#include "common/task_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <set>
#include <thread>

namespace rumo {
namespace {

// A gate tasks wait at until the test opens it, and a count of those that reached it.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    int arrived = 0;
    bool open = false;

    void pass() {
        std::unique_lock lock(mutex);
        ++arrived;
        changed.notify_all();
        changed.wait(lock, [this] { return open; });
    }
    void waitFor(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return arrived >= count; });
    }
    void openUp() {
        const std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
};

TEST(TaskPool, RunsEveryTaskOnNoMoreThreadsThanItsNumber) {
    TaskPool pool(2);
    Gate gate;
    std::mutex mutex;
    std::set<std::thread::id> threads;
    int running = 0;
    int peak = 0;
    int done = 0;
    for (int i = 0; i < 6; ++i) {
        pool.submit({}, [&](const std::stop_token&) {
            {
                const std::lock_guard lock(mutex);
                peak = std::max(peak, ++running);
                threads.insert(std::this_thread::get_id());
            }
            gate.pass();
            const std::lock_guard lock(mutex);
            --running;
            ++done;
        });
    }
    gate.waitFor(2);  // both threads busy, four tasks queued behind them
    EXPECT_EQ(pool.pending(), 6);
    gate.openUp();
    gate.waitFor(6);
    EXPECT_TRUE(pool.finish(std::chrono::seconds(60)));
    EXPECT_EQ(done, 6);
    EXPECT_EQ(peak, 2);
    EXPECT_EQ(threads.size(), 2u);
    EXPECT_EQ(pool.pending(), 0);
}

TEST(TaskPool, AnOwnerThatGoesDropsItsQueuedTasksAndStopsItsRunningOne) {
    TaskPool pool(1);
    Gate gate;
    std::stop_source firstOwner;
    std::stop_source secondOwner;
    std::atomic<bool> sawStop{false};
    std::atomic<bool> secondRan{false};
    std::atomic<bool> lateRan{false};
    pool.submit(firstOwner.get_token(), [&](const std::stop_token& stop) {
        gate.pass();
        // Code that is not handed the token finds it through the pool.
        while (!TaskPool::currentStop().stop_requested()) {
            std::this_thread::yield();
        }
        sawStop = stop.stop_requested();
    });
    pool.submit(secondOwner.get_token(), [&](const std::stop_token&) { secondRan = true; });
    gate.waitFor(1);
    secondOwner.request_stop();  // queued behind the first: never runs
    firstOwner.request_stop();   // running: told to stop
    gate.openUp();
    EXPECT_TRUE(pool.finish(std::chrono::seconds(60)));
    EXPECT_TRUE(sawStop);
    EXPECT_FALSE(secondRan);
    EXPECT_FALSE(TaskPool::currentStop().stop_possible());  // outside any task
    // Nothing is taken once the pool has finished.
    pool.submit({}, [&](const std::stop_token&) { lateRan = true; });
    EXPECT_EQ(pool.pending(), 0);
    EXPECT_FALSE(lateRan);
}

TEST(TaskPool, FinishWaitsForStoppedWorkAndLeavesStuckWorkBehind) {
    std::atomic<bool> cleanedUp{false};
    {
        TaskPool pool(2);
        std::promise<void> started;
        pool.submit({}, [&](const std::stop_token& stop) {
            started.set_value();
            while (!stop.stop_requested()) {
                std::this_thread::yield();
            }
            cleanedUp = true;
        });
        started.get_future().wait();
        EXPECT_TRUE(pool.finish(std::chrono::seconds(60)));
        EXPECT_TRUE(cleanedUp);  // waited for, not abandoned
    }

    // A read that never returns: no stop reaches it, so finish gives up on it and says so.
    auto started = std::make_shared<std::promise<void>>();
    auto unblock = std::make_shared<std::promise<void>>();
    auto ended = std::make_shared<std::promise<void>>();
    std::future<void> endedLater = ended->get_future();
    TaskPool pool(1);
    pool.submit({},
                [started, blocked = unblock->get_future().share(), ended](const std::stop_token&) {
                    started->set_value();
                    blocked.wait();
                    ended->set_value();
                });
    started->get_future().wait();
    EXPECT_FALSE(pool.finish(std::chrono::milliseconds(50)));
    // The thread left behind still owns what it uses and ends cleanly once its read returns.
    unblock->set_value();
    endedLater.wait();
}

}  // namespace
}  // namespace rumo
