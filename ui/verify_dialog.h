#pragma once

// "校验文件": the files a checksum file lists, hashed again on a worker
// thread and compared byte for byte, one row per file.

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "checking/checksum_listing.h"
#include "workflow/ports.h"
#include "workflow/file_digest_job.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace sumbrook::ui {

enum class TVerdict {
    Match,
    Mismatch,
    Missing,
    Unreadable
};
QString VerdictText(TVerdict verdict);

class TVerifyDialog : public QDialog {
    Q_OBJECT
public:
    enum Column {
        NameColumn,
        AlgorithmColumn,
        ResultColumn,
        PathColumn
    };

    TVerifyDialog(const QString& checksumPath, workflow::ClipboardPort& clipboard, QWidget* parent = nullptr);
    ~TVerifyDialog() override; // stops the worker first

    QTableWidget* Entries;
    QProgressBar* Progress;
    QLabel* ProgressText;
    QLabel* Summary;
    QPushButton* StopButton;
    QPushButton* CopyButton;

    bool Running() const { return running_; }
    void Stop();
    // Every row, then the summary, as text.
    QString Report() const;

signals:
    void Finished();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Work(std::string checksumPath); // on the worker thread
    void Listed(const checking::ChecksumListing& listing);
    void Checked(int row, TVerdict verdict);
    void End(const QString& failure);
    void ShowProgress();

    workflow::ClipboardPort& clipboard_;
    bool running_ = true;
    bool ending_ = false;
    std::vector<std::uint64_t> sizes_;
    std::uint64_t doneBytes_ = 0;
    std::uint64_t totalBytes_ = 0;
    std::array<int, 4> counts_{};
    std::size_t malformed_ = 0;
    bool signatureSkipped_ = false; // a clearsigned file: its armour skipped
    QElapsedTimer clock_;
    QTimer ticker_;
    // Shared with the worker.
    std::stop_source stop_;
    std::mutex jobMutex_;
    const workflow::FileDigestJob* job_ = nullptr; // the file being read
    std::thread worker_;                           // joined before the rest goes
};

} // namespace sumbrook::ui
