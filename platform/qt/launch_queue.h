// Launches run one after another on a thread of their own, so that the UI thread never waits
// for a program to start; each one's outcome comes back to the thread that made the queue.
#pragma once

#include "platform/launcher.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class LaunchQueue {
public:
    // What a launch does on the worker: empty when its program started, else why not.
    using Job = std::function<QString()>;

    LaunchQueue();
    // Waits for the launch under way, if any (one exec), then starts those not begun: each was
    // a detection already counted and saved.
    ~LaunchQueue();
    LaunchQueue(const LaunchQueue&) = delete;
    LaunchQueue& operator=(const LaunchQueue&) = delete;

    // Runs `job` after those posted before it, then `done`, when given, with its outcome on
    // this queue's thread.
    void Post(Job job, LaunchDone done);
    // Runs every launch not yet begun on the calling thread, telling no one: the program ends.
    void RunPending();

private:
    void Work(std::stop_token stop);

    QObject m_replies; // on the queue's thread; outcomes still queued for it go with it
    std::mutex m_mutex;
    std::condition_variable_any m_posted;
    std::deque<std::pair<Job, LaunchDone>> m_jobs;
    std::jthread m_worker; // last: it starts once the rest exists
};
