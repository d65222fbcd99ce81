#pragma once

// The checking workflow: the file list and its intake, the digest job for
// one file, the calculation run, the marking of equal files and the export
// of the results. The window's handlers of the same names delegate here.

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "workflow/file_digest_job.h"
#include "workflow/ports.h"

namespace sumbrook::workflow {

class JobThread;

class Workflow {
public:
    explicit Workflow(const Ports& ports);
    ~Workflow();

    // Intake and deletion.
    void OpenFileMenuClick();
    void OpenDocuMenuClick();
    void WMDropFiles(const QStringList& names);
    void DeleteFileMenuClick();
    void DeleteListMenuClick();
    void AddFolderFiles(const QString& path);
    void Getlistico();
    void ResetCheckStatus();
    void FormEnableN();
    void FormEnableY();

    // The calculation run over every pending entry.
    void CalculateMenuClick();
    bool Calculating() const { return calculating_; }

    // The digest job for one file, appending under the current file node
    // the CRC-32 line and the digest lines, from one read of the file.
    void AddResultLines(const QString& fileName);

    // Same-content marking.
    void CheckSameFile();

    // Export.
    void CopyResultMenuClick();
    void NCopyAllToClipClick();
    void SaveMenuClick();

    // Runs a command; a failure it does not handle goes to the error box.
    void RunCommand(const std::function<void()>& command);

    // How many threads a file's job may hash on (1: one worker thread).
    void SetThreads(unsigned threads) { threads_ = threads; }

private:
    AlgorithmSet SelectedAlgorithms();
    void RunJob(const QString& fileName, AlgorithmSet algorithms);
    void AppendEntry(const QString& path, std::uint64_t size);
    void FinishIntake();

    Ports p_;
    bool calculating_ = false;
    int currentFileNode_ = -1; // the top node the job appends to
    QStringList sameTexts_;    // each entry's marking text, rebuilt by every marking
    unsigned threads_ = std::max(std::thread::hardware_concurrency(), 1u);
    std::unique_ptr<JobThread> jobThread_; // where the window's jobs run, made at first use
};

// The text the error box shows for a failure: its message, with a full stop
// appended when the last character sorts after ".".
QString ErrorBoxText(const QString& message);

} // namespace sumbrook::workflow
