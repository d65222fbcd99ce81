#include "cli/progress_line.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "checking/checksum_formats.h"
#include "workflow/file_digest_job.h"

namespace sumbrook::cli {

using namespace checking; // the checksum files, shared with the window

namespace {

// A file is shown once it has taken this long: quick runs stay quiet.
constexpr auto kShowAfter = std::chrono::milliseconds(800);
constexpr auto kRedraw = std::chrono::milliseconds(250);

std::string Bytes(std::uint64_t bytes)
{
    static constexpr const char* kUnits[] = {"B", "KiB", "MiB", "GiB", "TiB"};
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(kUnits)) value /= 1024, ++unit;
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", value, kUnits[unit]);
    return text;
}

std::string Duration(double seconds)
{
    const auto total = static_cast<long long>(std::ceil(seconds));
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    return text;
}

std::size_t TerminalWidth()
{
#if !defined(_WIN32)
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 10) return size.ws_col;
#endif
    return 80;
}

} // namespace

ProgressLine::ProgressLine(bool enabled) : enabled_(enabled)
{
    if (!enabled_) return;
    try {
        ticker_ = std::jthread([this](const std::stop_token& stop) { Tick(stop); });
    } catch (const std::system_error&) {
        enabled_ = false; // no thread to spare (a process limit): no progress line
    }
}

ProgressLine::~ProgressLine()
{
    if (ticker_.joinable()) {
        ticker_.request_stop();
        ticker_.join();
    }
    const std::lock_guard lock(mutex_);
    Clear();
}

bool ProgressLine::Wanted()
{
#if defined(_WIN32)
    return false;
#else
    const char* term = std::getenv("TERM");
    return ::isatty(STDERR_FILENO) == 1 && (term == nullptr || std::strcmp(term, "dumb") != 0);
#endif
}

ProgressLine::Watch::Watch(ProgressLine* line, const workflow::FileDigestJob& job, std::string_view name)
    : line_(line != nullptr && line->enabled_ ? line : nullptr)
{
    if (line_ == nullptr) return;
    const std::lock_guard lock(line_->mutex_);
    id_ = line_->nextId_++;
    line_->active_.push_back({id_, &job, std::string(name), Clock::now()});
}

ProgressLine::Watch::~Watch()
{
    if (line_ == nullptr) return;
    const std::lock_guard lock(line_->mutex_);
    std::erase_if(line_->active_, [this](const Active& active) { return active.Id == id_; });
}

void ProgressLine::Aside(const std::function<void()>& write)
{
    const std::lock_guard lock(mutex_);
    Clear();
    write();
}

std::string ProgressLine::Text(std::string_view name, std::uint64_t done, std::uint64_t size, double seconds,
                               std::size_t width)
{
    std::string figures = "  " + Bytes(done) + " of " + Bytes(size);
    if (seconds > 0) {
        const double rate = static_cast<double>(done) / seconds;
        char speed[32];
        std::snprintf(speed, sizeof speed, "  %.1f MB/s", rate / 1e6);
        figures += speed;
        if (rate > 0 && size >= done) figures += "  " + Duration(static_cast<double>(size - done) / rate) + " left";
    }
    // The name gives way first, keeping its end (the file's own name).
    std::string shown = EscapeName(name).Text;
    const std::size_t room = width > figures.size() + 1 ? width - figures.size() - 1 : 0;
    if (shown.size() > room) {
        std::size_t from = shown.size() - room + (room >= 3 ? 3 : 0);
        while (from < shown.size() && (static_cast<unsigned char>(shown[from]) & 0xC0) == 0x80) ++from;
        shown = (room >= 3 ? "..." : "") + shown.substr(from);
    }
    std::string text = shown + figures;
    if (text.size() >= width) text.resize(width - 1);
    return text;
}

void ProgressLine::Tick(const std::stop_token& stop)
{
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        wake_.wait_for(lock, stop, kRedraw, [] { return false; });
        if (!stop.stop_requested()) Draw();
    }
}

void ProgressLine::Draw()
{
    const Clock::time_point now = Clock::now();
    // The file that has been going longest.
    const Active* oldest = nullptr;
    for (const Active& active : active_)
        if (oldest == nullptr || active.Start < oldest->Start) oldest = &active;
    if (oldest == nullptr || now - oldest->Start < kShowAfter) {
        Clear();
        return;
    }
    const double seconds = std::chrono::duration<double>(now - oldest->Start).count();
    const std::string text =
        ProgressLine::Text(oldest->Name, oldest->Job->BytesRead(), oldest->Job->FileSize(), seconds, TerminalWidth());
    std::fprintf(stderr, "\r%s\033[K", text.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::Clear()
{
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}

} // namespace sumbrook::cli
