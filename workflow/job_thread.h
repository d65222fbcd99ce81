#pragma once

// One thread kept for the window's jobs: it runs one task at a time while
// the window's thread waits for it, briefly on its own and then while
// handling messages.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace sumbrook::workflow {

class JobThread {
public:
    JobThread();
    ~JobThread(); // waits for a task still running
    JobThread(const JobThread&) = delete;
    JobThread& operator=(const JobThread&) = delete;

    // Runs Task on the thread, then Finished (there too) once Done holds;
    // the task before it must be done.
    void Start(std::function<void()> task, std::function<void()> finished);
    // True once the task has finished; waits at most Timeout for it.
    bool WaitFor(std::chrono::microseconds timeout);
    bool Done();

private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_, finished_;
    bool busy_ = false;
    bool quit_ = false;
    std::thread thread_; // last: starts once the rest is ready
};

} // namespace sumbrook::workflow
