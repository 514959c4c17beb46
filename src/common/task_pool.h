// A few threads, owned by whoever makes the pool, that run work which may block (reading files
// that stop answering) away from the windows' thread. Work can be taken back by its owner, and the
// pool's end waits for the work that runs, within a bound.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

namespace rumo {

class TaskPool {
public:
    // The token stops when the task's owner goes or the pool finishes; long work checks it
    // between its steps and gives up.
    using Task = std::function<void(std::stop_token stop)>;

    // Threads are started as work comes, never more than `threads` of them.
    explicit TaskPool(int threads);
    // Finishes as finish() does, with a short wait.
    ~TaskPool();
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    // Runs the task on one of the pool's threads. A task whose owner has stopped before a
    // thread took it is dropped without running; nothing runs once the pool has finished.
    // Called from the owner's thread only, like finish().
    void submit(std::stop_token owner, Task task);

    // Tasks queued or running.
    int pending() const;

    // Drops the queued tasks, tells the running ones to stop and waits up to `grace` for them.
    // True when every thread has ended. A thread still busy then is one stuck where no stop
    // reaches it (a read from a file system that no longer answers): it is left behind, holding
    // only what it shares with the pool, and the caller decides how the process ends.
    bool finish(std::chrono::milliseconds grace);

    // The token of the task the calling thread runs, for code reached through interfaces that do
    // not carry one (as QThread::isInterruptionRequested is for a thread); elsewhere a token that
    // never stops.
    static std::stop_token currentStop();

private:
    struct State;
    static void work(std::shared_ptr<State> state, std::size_t index);

    std::shared_ptr<State> state_;
    std::vector<std::thread> threads_;
    std::size_t maxThreads_;
    bool finished_ = false;
};

}  // namespace rumo
