#include "launch_queue.h"

LaunchQueue::LaunchQueue() : m_worker([this](std::stop_token stop) { Work(std::move(stop)); }) {}

LaunchQueue::~LaunchQueue() {
    m_worker.request_stop();
    m_worker.join();
    RunPending();
}

void LaunchQueue::RunPending() {
    std::unique_lock lock(m_mutex);
    while (!m_jobs.empty()) {
        const Job job = std::move(m_jobs.front().first);
        m_jobs.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
}

void LaunchQueue::Post(Job job, LaunchDone done) {
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.emplace_back(std::move(job), std::move(done));
    }
    m_posted.notify_one();
}

void LaunchQueue::Work(std::stop_token stop) {
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_posted.wait(lock, stop, [this] { return !m_jobs.empty(); });
        if (stop.stop_requested())
            return;
        auto [job, done] = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        const QString failure = job();
        if (done)
            QMetaObject::invokeMethod(
                &m_replies, [done = std::move(done), failure] { done(failure); },
                Qt::QueuedConnection);
    }
}
