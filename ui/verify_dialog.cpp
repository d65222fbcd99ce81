#include "ui/verify_dialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <stop_token>

#include "platform/file_reader.h"
#include "workflow/file_naming.h"
#include "workflow/native_path.h"
#include "workflow/progress_text.h"
#include "workflow/texts.h"

namespace sumbrook::ui {

namespace {

// Background and text of a row by its verdict; every pair reads at a
// contrast above 7:1.
struct RowColours {
    QColor Back, Text;
};
RowColours ColoursOf(TVerdict verdict)
{
    switch (verdict) {
    case TVerdict::Match: return {QColor(0xD4, 0xED, 0xDA), QColor(0x0B, 0x3D, 0x1A)};
    case TVerdict::Mismatch: return {QColor(0xF8, 0xD7, 0xDA), QColor(0x5C, 0x0A, 0x12)};
    case TVerdict::Missing: return {QColor(0xFF, 0xF3, 0xCD), QColor(0x4D, 0x3A, 0x00)};
    case TVerdict::Unreadable: return {QColor(0xE2, 0xE3, 0xE5), QColor(0x1B, 0x1E, 0x21)};
    }
    return {};
}

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TVerdict VerdictOf(const workflow::FileResult& result, const checking::ListedFile& file)
{
    // A folder or a special file at the path is there, but cannot be read.
    std::error_code failed;
    if (result.Vanished && !std::filesystem::exists(file.Path, failed)) return TVerdict::Missing;
    if (result.Vanished) return TVerdict::Unreadable;
    if (!result.Failure.empty() || result.AnyFailed()) return TVerdict::Unreadable;
    for (const checking::ExpectedValue& expected : file.Values) {
        const workflow::AlgorithmResult* computed = result.Find(expected.Algorithm);
        if (computed == nullptr || !std::ranges::equal(computed->Value.Bytes(), expected.Value))
            return TVerdict::Mismatch;
    }
    return TVerdict::Match;
}

// Larger than any list of files a dialog could show: /dev/zero behind a
// link, or the wrong file chosen.
constexpr std::uint64_t kChecksumFileLimit = std::uint64_t{256} << 20;

enum class ChecksumFileRead {
    Whole,
    Failed,
    TooLarge,
    Stopped
};

// The checksum file whole, through the reader the jobs use: a regular file
// only, reads that never wait, a stop heard between reads.
ChecksumFileRead ReadChecksumFile(const std::string& path, const std::stop_token& stop, std::string& bytes)
{
    platform::PathInfo failure;
    const auto reader = platform::FileReader::Open(path, platform::ShareMode::AllowOthers, failure);
    if (!reader) return ChecksumFileRead::Failed;
    std::array<std::uint8_t, 1 << 16> chunk;
    for (;;) {
        if (stop.stop_requested()) return ChecksumFileRead::Stopped;
        const std::ptrdiff_t got = reader->Read(chunk);
        if (got < 0) return ChecksumFileRead::Failed;
        if (got == 0) return ChecksumFileRead::Whole;
        if (bytes.size() + static_cast<std::size_t>(got) > kChecksumFileLimit) return ChecksumFileRead::TooLarge;
        bytes.append(reinterpret_cast<const char*>(chunk.data()), static_cast<std::size_t>(got));
    }
}

} // namespace

QString VerdictText(TVerdict verdict)
{
    switch (verdict) {
    case TVerdict::Match: return QStringLiteral("一致");
    case TVerdict::Mismatch: return QStringLiteral("不一致");
    case TVerdict::Missing: return QStringLiteral("文件不存在");
    case TVerdict::Unreadable: return QStringLiteral("读取文件错误");
    }
    return {};
}

TVerifyDialog::TVerifyDialog(const QString& checksumPath, workflow::ClipboardPort& clipboard, QWidget* parent)
    : QDialog(parent), Entries(new QTableWidget(0, 4, this)), Progress(new QProgressBar(this)),
      ProgressText(new QLabel(this)), Summary(new QLabel(this)),
      StopButton(new QPushButton(QStringLiteral("停止"), this)),
      CopyButton(new QPushButton(QStringLiteral("复制报告"), this)), clipboard_(clipboard)
{
    setObjectName(QStringLiteral("VerifyDialog"));
    setWindowTitle(QStringLiteral("校验文件"));
    resize(640, 360);
    Entries->setObjectName(QStringLiteral("VerifyEntries"));
    Entries->setAccessibleName(QStringLiteral("校验文件列表"));
    Entries->setHorizontalHeaderLabels(
        {QStringLiteral("文件名称"), QStringLiteral("算法"), QStringLiteral("结果"), QStringLiteral("路径")});
    Entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Entries->setSelectionBehavior(QAbstractItemView::SelectRows);
    Entries->verticalHeader()->hide();
    Entries->horizontalHeader()->setStretchLastSection(true);
    Progress->setObjectName(QStringLiteral("VerifyProgress"));
    Progress->setAccessibleName(QStringLiteral("校验进度"));
    Progress->setTextVisible(false);
    Progress->setRange(0, 1000);
    ProgressText->setObjectName(QStringLiteral("VerifyProgressText"));
    Summary->setObjectName(QStringLiteral("VerifySummary"));
    StopButton->setObjectName(QStringLiteral("VerifyStopButton"));
    CopyButton->setObjectName(QStringLiteral("VerifyCopyButton"));
    CopyButton->setEnabled(false);
    auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Summary, 1);
    buttons->addWidget(StopButton);
    buttons->addWidget(CopyButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Entries, 1);
    layout->addWidget(Progress);
    layout->addWidget(ProgressText);
    layout->addLayout(buttons);

    connect(StopButton, &QPushButton::clicked, this, &TVerifyDialog::Stop);
    connect(CopyButton, &QPushButton::clicked, this, [this] { clipboard_.SetText(Report()); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    ticker_.setInterval(100);
    connect(&ticker_, &QTimer::timeout, this, &TVerifyDialog::ShowProgress);

    clock_.start();
    ticker_.start();
    // The checksum file is read on the worker too: a special file must not hold the window.
    worker_ = std::thread(&TVerifyDialog::Work, this, workflow::NativePath(checksumPath));
}

TVerifyDialog::~TVerifyDialog()
{
    stop_.request_stop();
    if (worker_.joinable()) worker_.join();
}

void TVerifyDialog::Work(std::string checksumPath)
{
    std::string bytes;
    const ChecksumFileRead read = ReadChecksumFile(checksumPath, stop_.get_token(), bytes);
    if (read != ChecksumFileRead::Whole) {
        if (read == ChecksumFileRead::Stopped) return;
        const QString failure =
            read == ChecksumFileRead::TooLarge ? QStringLiteral("校验文件过大") : QStringLiteral("读取文件错误");
        QMetaObject::invokeMethod(
            this, [this, failure] { End(failure); }, Qt::QueuedConnection);
        return;
    }
    const checking::ChecksumListing listing = checking::ListChecksumFile(bytes, checksumPath);
    QMetaObject::invokeMethod(
        this, [this, listing] { Listed(listing); }, Qt::QueuedConnection);
    const unsigned threads = std::max(std::thread::hardware_concurrency(), 1u);
    for (std::size_t row = 0; row < listing.Files.size(); ++row) {
        if (stop_.stop_requested()) return;
        const checking::ListedFile& file = listing.Files[row];
        AlgorithmSet algorithms;
        for (const checking::ExpectedValue& value : file.Values) algorithms.Insert(value.Algorithm);
        workflow::FileDigestJob job(file.Path, algorithms, threads, nullptr, stop_.get_token());
        {
            const std::lock_guard lock(jobMutex_);
            job_ = &job;
        }
        workflow::FileResult result;
        try {
            result = job.Run();
        } catch (const std::exception&) { // a hash component that fails counts as a failed read
            result = job.Failed({});
        }
        {
            const std::lock_guard lock(jobMutex_);
            job_ = nullptr;
        }
        if (stop_.stop_requested()) return; // the file being read when stopped gets no verdict
        const TVerdict verdict = VerdictOf(result, file);
        QMetaObject::invokeMethod(
            this, [this, row, verdict] { Checked(static_cast<int>(row), verdict); }, Qt::QueuedConnection);
    }
    QMetaObject::invokeMethod(
        this, [this] { End({}); }, Qt::QueuedConnection);
}

void TVerifyDialog::Listed(const checking::ChecksumListing& listing)
{
    malformed_ = listing.MalformedLines.size();
    signatureSkipped_ = listing.SignatureSkipped;
    Entries->setRowCount(static_cast<int>(listing.Files.size()));
    for (std::size_t i = 0; i < listing.Files.size(); ++i) {
        const checking::ListedFile& file = listing.Files[i];
        QStringList names;
        for (const checking::ExpectedValue& value : file.Values)
            names << FromUtf8(std::string(InfoOf(value.Algorithm).Name));
        const QString path = workflow::PathFromNative(file.Path);
        const int row = static_cast<int>(i);
        Entries->setItem(row, NameColumn, new QTableWidgetItem(FromUtf8(file.Name).section(QLatin1Char('/'), -1)));
        Entries->setItem(row, AlgorithmColumn, new QTableWidgetItem(names.join(QStringLiteral(", "))));
        Entries->setItem(row, ResultColumn, new QTableWidgetItem(workflow::kPending));
        Entries->setItem(row, PathColumn, new QTableWidgetItem(workflow::ShownText(path)));
        std::error_code failed;
        const auto size = std::filesystem::file_size(file.Path, failed);
        sizes_.push_back(failed ? 0 : static_cast<std::uint64_t>(size));
        totalBytes_ += sizes_.back();
    }
    Entries->resizeColumnsToContents();
    // The verdicts arrive later: room for the longest from the start, with
    // the margins the item's text is drawn in.
    int verdictWidth = 0;
    for (const TVerdict verdict : {TVerdict::Match, TVerdict::Mismatch, TVerdict::Missing, TVerdict::Unreadable})
        verdictWidth = std::max(verdictWidth, Entries->fontMetrics().horizontalAdvance(VerdictText(verdict)));
    const int textMargin = 2 * (Entries->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Entries) + 1);
    Entries->setColumnWidth(ResultColumn, std::max(Entries->columnWidth(ResultColumn), verdictWidth + 2 * textMargin));
    if (listing.Files.empty()) Summary->setText(QStringLiteral("没有找到校验值"));
}

void TVerifyDialog::Checked(int row, TVerdict verdict)
{
    if (!running_) return;
    ++counts_[static_cast<std::size_t>(verdict)];
    doneBytes_ += sizes_[static_cast<std::size_t>(row)];
    const RowColours colours = ColoursOf(verdict);
    for (int column = 0; column < Entries->columnCount(); ++column) {
        QTableWidgetItem* item = Entries->item(row, column);
        item->setBackground(colours.Back);
        item->setForeground(colours.Text);
    }
    Entries->item(row, ResultColumn)->setText(VerdictText(verdict));
}

void TVerifyDialog::Stop()
{
    if (!running_) return;
    stop_.request_stop();
    if (worker_.joinable()) worker_.join();
    End({});
}

void TVerifyDialog::End(const QString& failure)
{
    if (!running_ || ending_) return;
    ending_ = true;
    // Verdicts the worker sent before it was stopped still count.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (worker_.joinable()) worker_.join();
    running_ = false;
    ticker_.stop();
    ShowProgress();
    StopButton->setEnabled(false);
    CopyButton->setEnabled(true);
    QString summary = QStringLiteral("校验完毕：一致 %1 个，不一致 %2 个，缺失 %3 个，错误 %4 个")
                          .arg(counts_[0])
                          .arg(counts_[1])
                          .arg(counts_[2])
                          .arg(counts_[3]);
    if (stop_.stop_requested()) summary = QStringLiteral("已停止。") + summary;
    if (malformed_ > 0) summary += QStringLiteral("，格式不对的行 %1 个").arg(malformed_);
    // The lines of a signed file are read; whether the signature holds is gpg's to say.
    if (signatureSkipped_) summary += QStringLiteral("（未验证 OpenPGP 签名）");
    if (!failure.isEmpty()) summary = failure;
    Summary->setText(summary);
    emit Finished();
}

void TVerifyDialog::ShowProgress()
{
    std::uint64_t current = 0;
    if (running_) {
        const std::lock_guard lock(jobMutex_);
        if (job_ != nullptr) current = job_->BytesRead();
    }
    const std::uint64_t done = std::min(doneBytes_ + current, totalBytes_);
    Progress->setValue(totalBytes_ == 0 ? (running_ ? 0 : 1000) : static_cast<int>(done * 1000 / totalBytes_));
    ProgressText->setText(FromUtf8(workflow::RunProgressText(done, totalBytes_, clock_.elapsed() / 1000.0)));
}

QString TVerifyDialog::Report() const
{
    QString text;
    for (int row = 0; row < Entries->rowCount(); ++row)
        text += Entries->item(row, ResultColumn)->text() + QLatin1Char('\t') + Entries->item(row, NameColumn)->text() +
                QLatin1Char('\t') + Entries->item(row, AlgorithmColumn)->text() + QLatin1Char('\t') +
                Entries->item(row, PathColumn)->text() + QLatin1Char('\n');
    return text + Summary->text() + QLatin1Char('\n');
}

void TVerifyDialog::keyPressEvent(QKeyEvent* event)
{
    // Esc stops a check going on; only then does it close the dialog.
    if (event->key() == Qt::Key_Escape && running_) {
        Stop();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace sumbrook::ui
