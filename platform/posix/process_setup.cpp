#include "platform/process_setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include "platform/posix/pending_file.h"

namespace sumbrook::platform {

namespace {

// A signal handler can reach only static data: the one file being written.
struct PendingFile {
    volatile std::sig_atomic_t Active = 0;
    int FolderFd = -1;
    char Name[256] = {};
};
PendingFile g_pending;

// What each signal did before; restored before the signal is raised again,
// so the process ends as it would have (or a sanitizer's handler reports).
struct sigaction g_previous[NSIG];

extern "C" void RemovePendingFileAndStop(int signal)
{
    const int savedErrno = errno;
    if (g_pending.Active != 0) ::unlinkat(g_pending.FolderFd, g_pending.Name, 0);
    g_pending.Active = 0;
    ::sigaction(signal, &g_previous[signal], nullptr);
    ::raise(signal);
    errno = savedErrno;
}

// Every signal whose default action ends the process and that can be caught.
// SIGPIPE and SIGXFSZ are not among them: they become write errors.
std::vector<int> TerminatingSignals()
{
    std::vector<int> signals{SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,
                             SIGXCPU, SIGABRT, SIGSEGV, SIGBUS,  SIGFPE,  SIGILL,  SIGTRAP, SIGSYS};
#if defined(SIGPOLL)
    signals.push_back(SIGPOLL);
#endif
#if defined(SIGPWR)
    signals.push_back(SIGPWR);
#endif
#if defined(SIGSTKFLT)
    signals.push_back(SIGSTKFLT);
#endif
#if defined(SIGRTMIN)
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) signals.push_back(signal);
#endif
    return signals;
}

} // namespace

namespace posix {

void RegisterPendingFile(int folderFd, const std::string& name)
{
    if (name.size() >= sizeof g_pending.Name) return;
    g_pending.Active = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_pending.FolderFd = folderFd;
    std::memcpy(g_pending.Name, name.c_str(), name.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    g_pending.Active = 1;
}

void ForgetPendingFile()
{
    g_pending.Active = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

} // namespace posix

void PrepareProcessSignals()
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    for (const int signal : TerminatingSignals()) {
        struct sigaction& previous = g_previous[signal];
        // A signal the caller chose to ignore (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = RemovePendingFileAndStop;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

bool ReserveStandardStreams()
{
    bool outputOpen = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (fd == 1) outputOpen = false;
        const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
    return outputOpen;
}

} // namespace sumbrook::platform
