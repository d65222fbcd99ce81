#pragma once

// The calculation run: every pending entry of the list, in list order, gets
// its top node and its result lines, computed by a pool of threads (many
// files at once, or one large file's algorithms shared out) while the
// window's thread goes on with everything else. A result reaches the list
// and the tree on the thread that started the run; a file's top node comes
// with its lines, so a file being read has no node yet.

#include <QObject>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "digest/engine/algorithm.h"
#include "workflow/file_result.h"
#include "workflow/ports.h"

namespace sumbrook::workflow {

class Results;

class CalculationRun : public QObject {
    Q_OBJECT
public:
    struct Ports {
        FileListPort& Files;
        Results& Tree;
        ProgressPort& Progress;
        CommandPort& Commands;
        ErrorBoxPort& Errors;
    };
    explicit CalculationRun(const Ports& ports, QObject* parent = nullptr);
    ~CalculationRun() override; // stops a run still going; the ports must still be there

    // Starts a run over the entries now in the list with these algorithms;
    // returns at once. Not while a run goes on.
    void Start(AlgorithmSet algorithms);
    // Ends the run now: the files done keep their results, the files being
    // read get none and stay pending with the rest (so do files done behind
    // them in list order: the tree keeps the list's order). Nothing when idle.
    void Stop();
    bool Running() const { return running_; }

    // The bytes of the run's files read so far and in all, the sizes taken
    // at its start.
    struct Bytes {
        std::uint64_t Done = 0;
        std::uint64_t Total = 0;
    };
    Bytes RunBytes() const;

    // How many threads hash: files at once, or one file's algorithms.
    void SetThreads(unsigned threads) { threads_ = std::max(threads, 1u); }

signals:
    // Files: entries in the list at the start; Pending: how many of them the run computes.
    void Started(int files, int pending);
    // Now and then while the run goes on: the reading of the file the run
    // waits on (the next in list order) and the files done.
    void Progress(quint64 bytesRead, quint64 fileSize, int filesDone, int pending);
    // Entry's top node and lines are in the tree, its status "已校验".
    void FileDone(int entry);
    // After the end's steps (the marking among them), before a failure's error box.
    void Finished(bool stopped);

protected:
    bool event(QEvent* event) override;

private:
    struct Task {
        int Entry;
        std::string Path;
        std::uint64_t Size;
    };
    struct Outcome {
        int Entry;
        FileResult Result;
    };
    struct Slot; // a file in the pool's hands

    void Work(AlgorithmSet algorithms, unsigned threads); // on the worker thread
    void Deliver();
    void Apply(Outcome& outcome);
    void JoinWorker();
    void ShowProgress();
    void End(bool stopped, const QString& failure);

    Ports p_;
    unsigned threads_;
    bool running_ = false;
    bool stopping_ = false;
    std::vector<Task> tasks_; // fixed while the worker runs
    int done_ = 0;
    std::uint64_t doneBytes_ = 0;
    std::uint64_t totalBytes_ = 0;
    std::deque<Outcome> arrived_; // taken from the worker, not yet in the tree
    QTimer ticker_;

    // Shared with the worker.
    std::stop_source stop_;
    mutable std::mutex mutex_;
    std::shared_ptr<const Slot> current_; // the file the run waits on
    std::vector<Outcome> outbox_;
    bool workerEnded_ = false;
    bool delivery_ = false; // a Deliver is on its way to the window's thread
    std::thread worker_;
};

} // namespace sumbrook::workflow
