#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of worker threads that run posted jobs in the order they were posted, each job
// on whichever worker is free. The destructor waits for the jobs already running and drops
// the ones still waiting.
class GitJobPool {
public:
    explicit GitJobPool(int workers);
    ~GitJobPool();
    GitJobPool(const GitJobPool&) = delete;
    GitJobPool& operator=(const GitJobPool&) = delete;

    void post(std::function<void()> job);
    // Waits until every posted job has run.
    void waitUntilIdle();
    // Forgets the jobs that have not started.
    void dropWaiting();

    // The number of workers a scan uses when none is asked for: the online processors, 1 to 16.
    static int defaultWorkers();

private:
    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_queue;
    int m_running = 0;
    bool m_closing = false;
    std::vector<std::thread> m_threads;
};
