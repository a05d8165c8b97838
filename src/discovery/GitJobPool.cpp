#include "discovery/GitJobPool.h"

#include <algorithm>
#include <unistd.h>

GitJobPool::GitJobPool(int workers) {
    const int count = std::max(1, workers);
    m_threads.reserve(size_t(count));
    for (int i = 0; i < count; ++i) m_threads.emplace_back([this] { work(); });
}

GitJobPool::~GitJobPool() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads) t.join();
}

void GitJobPool::post(std::function<void()> job) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void GitJobPool::waitUntilIdle() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_queue.empty() && m_running == 0; });
}

void GitJobPool::dropWaiting() {
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    if (m_running == 0) m_idle.notify_all();
}

int GitJobPool::defaultWorkers() {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return int(std::clamp<long>(online, 1, 16));
}

void GitJobPool::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
        if (m_closing) return;
        std::function<void()> job = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        lock.unlock();
        job();
        job = nullptr;
        lock.lock();
        --m_running;
        if (m_running == 0 && m_queue.empty()) m_idle.notify_all();
    }
}
