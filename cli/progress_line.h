#pragma once

// A single updating line on standard error for files that take a while:
// the file, the bytes done, the speed and the time left. Drawn only when
// standard error is a terminal, and cleared before anything else is written
// there or to standard output.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sumbrook::workflow {
class FileDigestJob;
}

namespace sumbrook::cli {

class ProgressLine {
public:
    explicit ProgressLine(bool enabled);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Standard error is a terminal; TERM=dumb has no line to update.
    static bool Wanted();
    bool Enabled() const { return enabled_; }

    // A job shown while it runs; Line may be null.
    class Watch {
    public:
        Watch(ProgressLine* line, const workflow::FileDigestJob& job, std::string_view name);
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

    private:
        ProgressLine* line_;
        std::uint64_t id_ = 0;
    };

    // Runs Write with the line taken away, so output never lands inside it.
    void Aside(const std::function<void()>& write);

    // The line's text for a file (without the terminal's codes), at most Width columns.
    static std::string Text(std::string_view name, std::uint64_t done, std::uint64_t size, double seconds,
                            std::size_t width);

private:
    using Clock = std::chrono::steady_clock;
    struct Active {
        std::uint64_t Id;
        const workflow::FileDigestJob* Job;
        std::string Name;
        Clock::time_point Start;
    };
    void Tick(const std::stop_token& stop);
    void Draw();  // with the mutex held
    void Clear(); // with the mutex held

    bool enabled_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::vector<Active> active_;
    std::uint64_t nextId_ = 1;
    bool shown_ = false;
    std::jthread ticker_; // last: it stops before the rest goes
};

} // namespace sumbrook::cli
