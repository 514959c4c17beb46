#include "common/task_pool.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace rumo {

namespace {

thread_local std::stop_token currentTaskStop;

}  // namespace

// Shared by the owner and every thread, so a thread left behind never touches freed memory.
struct TaskPool::State {
    struct Queued {
        std::stop_token owner;
        Task task;
    };

    std::mutex mutex;
    std::condition_variable wake;   // threads: work queued, or the end
    std::condition_variable ended;  // finish(): a thread has ended
    std::deque<Queued> queue;
    std::vector<std::stop_source*> running;  // each on its thread's stack while its task runs
    std::vector<bool> threadEnded;
    int idleThreads = 0;
    int liveThreads = 0;
    bool closing = false;
};

TaskPool::TaskPool(int threads)
    : state_(std::make_shared<State>()),
      maxThreads_(static_cast<std::size_t>(std::max(1, threads))) {}

TaskPool::~TaskPool() {
    finish(std::chrono::milliseconds(500));
}

void TaskPool::submit(std::stop_token owner, Task task) {
    const std::lock_guard lock(state_->mutex);
    if (state_->closing || owner.stop_requested()) {
        return;
    }
    state_->queue.push_back({std::move(owner), std::move(task)});
    if (state_->idleThreads < static_cast<int>(state_->queue.size()) &&
        threads_.size() < maxThreads_) {
        state_->threadEnded.push_back(false);
        ++state_->liveThreads;
        threads_.emplace_back(&TaskPool::work, state_, threads_.size());
    }
    state_->wake.notify_one();
}

int TaskPool::pending() const {
    const std::lock_guard lock(state_->mutex);
    return static_cast<int>(state_->queue.size() + state_->running.size());
}

// The thread's own share of the state outlives the pool when the thread is left behind.
void TaskPool::work(std::shared_ptr<State> state, std::size_t index) {
    std::unique_lock lock(state->mutex);
    while (true) {
        ++state->idleThreads;
        state->wake.wait(lock, [&] { return state->closing || !state->queue.empty(); });
        --state->idleThreads;
        if (state->closing) {
            break;
        }
        State::Queued next = std::move(state->queue.front());
        state->queue.pop_front();
        if (next.owner.stop_requested()) {
            lock.unlock();
            next = {};  // the task's captures are released off the lock
            lock.lock();
            continue;
        }
        std::stop_source stop;
        state->running.push_back(&stop);
        lock.unlock();
        {
            const std::stop_callback ownerLeft(next.owner, [&stop] { stop.request_stop(); });
            currentTaskStop = stop.get_token();
            next.task(stop.get_token());
            currentTaskStop = {};
            next = {};
        }
        lock.lock();
        state->running.erase(std::find(state->running.begin(), state->running.end(), &stop));
    }
    state->threadEnded[index] = true;
    --state->liveThreads;
    state->ended.notify_all();
}

bool TaskPool::finish(std::chrono::milliseconds grace) {
    if (finished_) {
        return true;
    }
    finished_ = true;
    std::deque<State::Queued> dropped;
    std::unique_lock lock(state_->mutex);
    state_->closing = true;
    dropped.swap(state_->queue);
    for (std::stop_source* stop : state_->running) {
        stop->request_stop();
    }
    state_->wake.notify_all();
    state_->ended.wait_for(lock, grace, [&] { return state_->liveThreads == 0; });
    const std::vector<bool> ended = state_->threadEnded;
    lock.unlock();
    for (std::size_t i = 0; i < threads_.size(); ++i) {
        if (ended[i]) {
            threads_[i].join();  // past its last use of the state: returns at once
        } else {
            threads_[i].detach();
        }
    }
    threads_.clear();
    return std::find(ended.begin(), ended.end(), false) == ended.end();
}

std::stop_token TaskPool::currentStop() {
    return currentTaskStop;
}

}  // namespace rumo
