#include "workflow/calculation_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <algorithm>
#include <exception>
#include <filesystem>

#include "workflow/file_digest_job.h"
#include "workflow/lane_batch.h"
#include "workflow/ordered_pool.h"

#include "platform/file_kind.h"
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
// Files queued per thread ahead of the one the run waits on.
constexpr std::size_t kLookAhead = 64;
// Results are put into the tree in slices of about this long, so that the
// window paints and answers between them.
constexpr qint64 kSliceMs = 20;

// Asks the run's thread to take what has arrived. Qt hands a posted event
// over through its own locks, which the thread checkers do not see; the
// worker makes the event under mutex_ and event() takes that lock before it
// reads the event, so the hand-over is ordered where they can see it.
const QEvent::Type kDeliverEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

QString FailureText(const std::exception& e)
{
    QString text = QString::fromUtf8(e.what());
    if (text.isNull()) text = QStringLiteral(""); // a failure without words still shows its box
    return text;
}

// The pool's threads hash at the worker's lower priority too (threads
// created by a lowered one do not inherit it everywhere).
void LowerPriorityOnce()
{
    thread_local bool lowered = false;
    if (lowered) return;
    platform::LowerCurrentThreadPriority();
    lowered = true;
}

} // namespace

struct CalculationRun::Slot {
    Slot(int entry, const std::string& path, AlgorithmSet algorithms, unsigned threads, ThreadLender* lender,
         std::stop_token stop)
        : Entry(entry), Job(path, algorithms, threads, lender, std::move(stop))
    {}
    int Entry;
    FileDigestJob Job;
    // Under mutex_ once the work is done:
    FileResult Result;
    bool Computed = false; // read to its end before any stop
    bool Finished = false;
};

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

    stop_ = std::stop_source();
    current_.reset();
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
        auto deliver = std::make_unique<QEvent>(kDeliverEvent); // made under the lock: see event()
        lock.unlock();
        QCoreApplication::postEvent(this, deliver.release()); // the queue owns it now
    };
    const std::stop_token stop = stop_.get_token();
    // With MD5 or SHA-1 on lanes that pay, files go in batches: the small
    // ones of a batch are hashed together, one SIMD lane each.
    const AlgorithmSet lanes = LaneAlgorithms(algorithms);
    // The files pushed and not yet handed on, in list order; under mutex_.
    std::deque<std::shared_ptr<Slot>> queued;
    bool unbroken = true; // every file handed on so far got its result
    // Whichever thread finishes a batch hands on what is finished at the
    // front: the pool's own takes wait for the thread that pushed, which may
    // be hashing a large file further on meanwhile.
    auto handOn = [this, &queued, &unbroken, &post](std::unique_lock<std::mutex>& lock) {
        if (queued.empty() || !queued.front()->Finished) return; // a file before it is still read
        while (!queued.empty() && queued.front()->Finished) {
            Slot& slot = *queued.front();
            // A file stopped while read gets nothing, and neither do the
            // files behind it: results reach the tree in list order.
            unbroken = unbroken && slot.Computed;
            if (unbroken) outbox_.push_back({slot.Entry, std::move(slot.Result)});
            queued.pop_front();
        }
        current_ = queued.empty() ? nullptr : queued.front();
        post(lock);
    };
    {
        OrderedPool pool(threads, kLookAhead * threads);
        std::vector<std::shared_ptr<Slot>> batch;
        auto push = [&] {
            auto work = [this, batch, lanes, &handOn] {
                LowerPriorityOnce();
                std::vector<FileDigestJob*> jobs;
                for (const auto& slot : batch) jobs.push_back(&slot->Job);
                std::vector<FileResult> results;
                try {
                    if (lanes.Empty())
                        results.push_back(jobs.front()->Run());
                    else
                        results = RunBatch(jobs, lanes);
                } catch (...) { // a hash component that fails gives the files' error lines
                    results.clear();
                    for (const FileDigestJob* job : jobs) results.push_back(job->Failed({}));
                }
                std::unique_lock lock(mutex_);
                for (std::size_t i = 0; i < batch.size(); ++i) {
                    batch[i]->Result = std::move(results[i]);
                    batch[i]->Computed = batch[i]->Job.Completed();
                    batch[i]->Finished = true;
                }
                handOn(lock);
            };
            batch.clear();
            pool.Push(std::move(work), [] {});
        };
        for (const Task& task : tasks_) {
            if (stop.stop_requested()) break;
            auto slot = std::make_shared<Slot>(task.Entry, task.Path, algorithms, threads, &pool, stop);
            {
                const std::lock_guard lock(mutex_);
                queued.push_back(slot);
                if (queued.size() == 1) current_ = slot;
            }
            // Only regular files known to be small join a batch: a large one
            // would hold back the results of the small ones before it.
            const platform::PathInfo info = lanes.Empty() ? platform::PathInfo{} : platform::DescribePath(task.Path);
            const bool small = info.Kind == platform::PathInfo::Kind::RegularFile && info.Size <= kLaneFileLimit;
            if (!small && !batch.empty()) push();
            batch.push_back(std::move(slot));
            if (!small || batch.size() == kLaneBatch) push();
        }
        if (!batch.empty()) push();
        // After a stop the files not started end at once, the others at their next read.
        pool.Drain();
    }
    std::unique_lock lock(mutex_);
    current_.reset();
    workerEnded_ = true;
    post(lock);
}

bool CalculationRun::event(QEvent* event)
{
    { // orders a worker's deliver event, made under this lock, before its reading
        const std::lock_guard lock(mutex_);
    }
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
        stop_.request_stop();
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
    const auto task = std::ranges::lower_bound(tasks_, outcome.Entry, {}, &Task::Entry);
    if (task != tasks_.end() && task->Entry == outcome.Entry) doneBytes_ += task->Size;
    emit FileDone(outcome.Entry);
}

void CalculationRun::Stop()
{
    if (!running_ || stopping_) return;
    stopping_ = true;
    // The reads in progress fail at once; the worker then ends.
    stop_.request_stop();
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
    std::uint64_t current = 0;
    {
        const std::lock_guard lock(mutex_);
        if (current_) current = current_->Job.BytesRead();
    }
    return {std::min(doneBytes_ + current, totalBytes_), totalBytes_};
}

void CalculationRun::JoinWorker()
{
    if (worker_.joinable()) worker_.join();
}

void CalculationRun::ShowProgress()
{
    std::uint64_t read = 0;
    std::uint64_t size = 0;
    {
        const std::lock_guard lock(mutex_);
        if (current_) {
            read = current_->Job.BytesRead();
            size = current_->Job.FileSize();
        }
    }
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
