#include "workflow/calculation_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <exception>
#include <filesystem>

#include "platform/thread_priority.h"
#include "workflow/error_box.h"
#include "workflow/file_naming.h"
#include "workflow/marking.h"
#include "workflow/results.h"
#include "workflow/texts.h"

namespace sumbrook::workflow {

namespace {

// The current-file bar moves this often.
constexpr int kTickMs = 30;
// Results are put into the tree in slices of about this long, so that the
// window paints and answers between them.
constexpr qint64 kSliceMs = 20;

// Asks the run's thread to take what has arrived. A posted event passes
// through the queue's lock, which the thread checkers see, where a queued
// call's slot object is counted in Qt's own atomics, which they do not.
const QEvent::Type kDeliverEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

QString FailureText(const std::exception& e)
{
    QString text = QString::fromUtf8(e.what());
    if (text.isNull()) text = QStringLiteral(""); // a failure without words still shows its box
    return text;
}

} // namespace

CalculationRun::CalculationRun(const Ports& ports, QObject* parent)
    : QObject(parent), p_(ports), threads_(std::max(std::thread::hardware_concurrency(), 1u))
{
    ticker_.setInterval(kTickMs);
    connect(&ticker_, &QTimer::timeout, this, &CalculationRun::ShowProgress);
}

CalculationRun::~CalculationRun()
{
    Stop();
}

void CalculationRun::Start(AlgorithmSet algorithms)
{
    if (running_) return;
    p_.Progress.ShowProgressBox(true);
    running_ = true;
    FormEnableN(p_.Commands);
    const int n = p_.Files.Count(); // entries dropped during the run wait for the next one
    p_.Progress.SetCurrentPosition(0);
    p_.Progress.SetAllPosition(0);
    p_.Progress.SetAllRange(0, n);
    p_.Commands.SetBusyCursor(true);
    p_.Commands.SetStatusText(kStatusCalculating);

    tasks_.clear();
    arrived_.clear();
    done_ = 0;
    doneBytes_ = 0;
    totalBytes_ = 0;
    try {
        for (int i = 0; i < n; ++i) {
            const FileListEntry entry = p_.Files.Entry(i);
            if (entry.Status == kChecked) continue;
            std::string path = NativePath(entry.Path);
            std::error_code failed;
            const std::uintmax_t size = std::filesystem::file_size(path, failed);
            tasks_.push_back({i, std::move(path), failed ? 0 : static_cast<std::uint64_t>(size)});
            totalBytes_ += tasks_.back().Size;
        }
    } catch (const std::exception& e) {
        End(false, FailureText(e));
        return;
    }
    emit Started(n, static_cast<int>(tasks_.size()));

    watch_.Stop = false;
    outbox_.clear();
    workerEnded_ = false;
    delivery_ = false;
    worker_ = std::thread(&CalculationRun::Work, this, algorithms, threads_);
    ticker_.start();
}

void CalculationRun::Work(AlgorithmSet algorithms, unsigned threads)
{
    // The window's thread waits on nothing here; it only must not starve.
    platform::LowerCurrentThreadPriority();
    auto post = [this](std::unique_lock<std::mutex>& lock) {
        if (delivery_) return;
        delivery_ = true;
        lock.unlock();
        QCoreApplication::postEvent(this, new QEvent(kDeliverEvent)); // the queue takes it
    };
    for (const Task& task : tasks_) {
        if (watch_.Stop) break;
        FileResult result = RunStoppableJob(task.Path, algorithms, threads, watch_);
        if (watch_.Stop) break; // the file being read when the run stopped gets nothing
        std::unique_lock lock(mutex_);
        outbox_.push_back({task.Entry, task.Size, std::move(result)});
        post(lock);
    }
    std::unique_lock lock(mutex_);
    workerEnded_ = true;
    post(lock);
}

bool CalculationRun::event(QEvent* event)
{
    if (event->type() != kDeliverEvent) return QObject::event(event);
    Deliver();
    return true;
}

void CalculationRun::Deliver()
{
    if (!running_) return;
    bool ended = false;
    {
        const std::lock_guard lock(mutex_);
        for (Outcome& outcome : outbox_) arrived_.push_back(std::move(outcome));
        outbox_.clear();
        ended = workerEnded_;
        delivery_ = false;
    }
    QElapsedTimer slice;
    slice.start();
    try {
        while (!arrived_.empty()) {
            if (slice.elapsed() >= kSliceMs) {
                // The rest after the events that waited meanwhile.
                QCoreApplication::postEvent(this, new QEvent(kDeliverEvent));
                return;
            }
            Outcome outcome = std::move(arrived_.front());
            arrived_.pop_front();
            Apply(outcome);
            if (!running_) return; // stopped from a handler of FileDone
        }
    } catch (const std::exception& e) {
        watch_.Stop = true;
        JoinWorker();
        End(false, FailureText(e));
        return;
    }
    if (ended) {
        JoinWorker();
        End(false, {});
    }
}

void CalculationRun::Apply(Outcome& outcome)
{
    p_.Tree.Append(p_.Files.Entry(outcome.Entry).Caption, outcome.Result);
    p_.Files.SetStatus(outcome.Entry, kChecked);
    p_.Progress.StepAll();
    ++done_;
    doneBytes_ += outcome.Size;
    emit FileDone(outcome.Entry);
}

void CalculationRun::Stop()
{
    if (!running_ || stopping_) return;
    stopping_ = true;
    // A read in progress fails at once; the worker then ends.
    watch_.Stop = true;
    JoinWorker();
    for (Outcome& outcome : outbox_) arrived_.push_back(std::move(outcome));
    outbox_.clear();
    QString failure;
    try {
        // Files done before the stop keep their results.
        for (; !arrived_.empty(); arrived_.pop_front()) Apply(arrived_.front());
    } catch (const std::exception& e) {
        failure = FailureText(e);
    }
    End(true, failure);
}

CalculationRun::Bytes CalculationRun::RunBytes() const
{
    if (!running_) return {doneBytes_, totalBytes_};
    const std::uint64_t current = watch_.BytesRead.load(std::memory_order_relaxed);
    return {std::min(doneBytes_ + current, totalBytes_), totalBytes_};
}

void CalculationRun::JoinWorker()
{
    if (worker_.joinable()) worker_.join();
}

void CalculationRun::ShowProgress()
{
    const std::uint64_t read = watch_.BytesRead.load(std::memory_order_relaxed);
    const std::uint64_t size = watch_.FileSize.load(std::memory_order_relaxed);
    p_.Progress.SetCurrentPosition(size == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(read * 100 / size, 100)));
    emit Progress(read, size, done_, static_cast<int>(tasks_.size()));
}

void CalculationRun::End(bool stopped, const QString& failure)
{
    stopping_ = false;
    ticker_.stop();
    tasks_.clear();
    arrived_.clear();
    // The end of the run, also after a failure or a stop.
    p_.Commands.SetBusyCursor(false);
    running_ = false;
    p_.Progress.SetCurrentPosition(100);
    p_.Progress.SetAllPosition(p_.Progress.AllMaximum());
    p_.Commands.SetStatusText(kStatusDone);
    FormEnableY(p_.Commands);
    p_.Commands.SetSaveMenuEnabled(true);
    p_.Commands.SetSaveToolBtnEnabled(true);
    p_.Progress.ShowProgressBox(false);
    CheckSameFile(p_.Files, p_.Tree);
    emit Finished(stopped);
    if (!failure.isNull()) p_.Errors.ShowError(ErrorBoxText(failure));
}

} // namespace sumbrook::workflow
