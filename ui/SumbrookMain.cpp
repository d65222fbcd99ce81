#include "ui/SumbrookMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QFileDialog>
#include <QShortcut>

#include "sumbrook_version.h"
#include "checking/known_digest.h"
#include "ui/algorithm_items.h"
#include "ui/compare_dialog.h"
#include "ui/verify_dialog.h"
#include "workflow/progress_text.h"
#include "workflow/texts.h"
#include "ui/resources.h"
#include "workflow/error_box.h"
#include "workflow/file_naming.h"
#include "workflow/marking.h"

namespace sumbrook::ui {

namespace {

// Tahoma where the system has it, otherwise a close sans-serif; CJK text
// falls back to whatever font covers it.
QFont FormFont()
{
    QFont font;
    QStringList families;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) families << QStringLiteral("Tahoma");
    families << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans")
             << QStringLiteral("WenQuanYi Micro Hei") << QStringLiteral("Noto Sans CJK SC");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

} // namespace

TSumbrookForm::TSumbrookForm(TFormServices services, QWidget* parent)
    : QMainWindow(parent), desktop_(this), services_(services)
{
    InitResources();
    if (services_.Dialogs == nullptr) services_.Dialogs = &desktop_;
    if (services_.Clipboard == nullptr) services_.Clipboard = &desktop_;
    if (services_.Errors == nullptr) services_.Errors = &desktop_;
    if (services_.Urls == nullptr) services_.Urls = &desktop_;

    setObjectName(QStringLiteral("SumbrookForm"));
    setWindowTitle(QStringLiteral("SumbrookV" SUMBROOK_VERSION_SHORT));
    setWindowIcon(QIcon(QStringLiteral(":/images/sumbrook.png")));
    setFont(FormFont());

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateCentralArea();
    CreateStatusBar();

    results_ = std::make_unique<workflow::Results>(*ResultTreeView);
    run_ = std::make_unique<workflow::CalculationRun>(
        workflow::CalculationRun::Ports{*NeedCheckFileList, *results_, *CheckGroupBox, *this, *services_.Errors});
    intake_ = std::make_unique<workflow::Intake>(
        workflow::Intake::Ports{*NeedCheckFileList, *results_, *CheckGroupBox, *this, *services_.Dialogs, icons_},
        *run_);
    export_ = std::make_unique<workflow::Export>(*ResultTreeView, *services_.Clipboard, *services_.Dialogs);
    // The whole result shows as soon as the run ends.
    connect(run_.get(), &workflow::CalculationRun::Finished, ResultTreeView, &TResultTreeView::FlushPending);
    connect(run_.get(), &workflow::CalculationRun::Progress, this,
            [this](quint64 bytesRead, quint64 fileSize, int, int) { ShowProgressTexts(bytesRead, fileSize); });
    // Esc stops a run; between runs the key is left to the controls.
    auto* stopKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopKey->setContext(Qt::WindowShortcut);
    stopKey->setEnabled(false);
    connect(stopKey, &QShortcut::activated, this, &TSumbrookForm::StopCalculation);
    connect(run_.get(), &workflow::CalculationRun::Started, this, [this, stopKey] {
        ShowRunMode(true);
        stopKey->setEnabled(true);
    });
    connect(run_.get(), &workflow::CalculationRun::Finished, this, [this, stopKey] {
        ShowRunMode(false);
        stopKey->setEnabled(false);
    });

    resize(577, 296 + menuBar()->sizeHint().height());
    FormCreate();
    NeedCheckFileList->setFocus();
}

TSumbrookForm::~TSumbrookForm()
{
    // The run goes before the widgets it writes to.
    run_.reset();
}

void TSumbrookForm::FormCreate()
{
    // Files and folders dropped anywhere on the window reach the intake.
    setAcceptDrops(true);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setAcceptDrops(true);
        child->installEventFilter(this);
    }
    NeedCheckFileList->SetIconList(&icons_);
    lstHashes = StartSelection();
}

// ---- Commands ------------------------------------------------------------

void TSumbrookForm::Run(const std::function<void()>& command)
{
    workflow::RunCommand(*services_.Errors, command);
}

void TSumbrookForm::OpenFileMenuClick()
{
    Run([this] { intake_->AddFiles(); });
}
void TSumbrookForm::OpenDocuMenuClick()
{
    Run([this] { intake_->AddFolder(); });
}
void TSumbrookForm::DeleteFileMenuClick()
{
    Run([this] { intake_->DeleteSelected(); });
}
void TSumbrookForm::DeleteListMenuClick()
{
    Run([this] { intake_->ClearList(); });
}
void TSumbrookForm::SaveMenuClick()
{
    Run([this] { export_->Save(); });
}
void TSumbrookForm::CopyResultMenuClick()
{
    Run([this] { export_->CopySelected(); });
}
void TSumbrookForm::NCopyAllToClipClick()
{
    Run([this] { export_->CopyAll(); });
}
void TSumbrookForm::CalculateMenuClick()
{
    Run([this] { run_->Start(lstHashes); });
}
void TSumbrookForm::CalculateToolBtnClick()
{
    if (run_->Running())
        StopCalculation();
    else
        CalculateMenuClick();
}

void TSumbrookForm::StopCalculation()
{
    Run([this] { run_->Stop(); });
}

void TSumbrookForm::ShowRunMode(bool running)
{
    CalculateToolBtn->setText(running ? QStringLiteral("停止") : QStringLiteral("计算"));
    CalculateToolBtn->setToolTip(running ? QStringLiteral("停止计算") : QStringLiteral("开始计算"));
    if (running) {
        CalculateToolBtn->setEnabled(true);
        runClock_.start();
        CheckGroupBox->SetProgressTexts({}, {});
    }
}

void TSumbrookForm::ShowProgressTexts(quint64 bytesRead, quint64 fileSize)
{
    const workflow::CalculationRun::Bytes bytes = run_->RunBytes();
    auto text = [](const std::string& utf8) { return workflow::FromUtf8Text(utf8); };
    CheckGroupBox->SetProgressTexts(
        text(workflow::BytesOfText(bytesRead, fileSize)),
        text(workflow::RunProgressText(bytes.Done, bytes.Total, static_cast<double>(runClock_.elapsed()) / 1000.0)));
}

void TSumbrookForm::VerifyFileMenuClick()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("选择校验文件"));
    if (!path.isEmpty()) VerifyChecksumFile(path);
}

void TSumbrookForm::VerifyChecksumFile(const QString& path)
{
    auto* dialog = new TVerifyDialog(path, *services_.Clipboard, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void TSumbrookForm::CompareDigestMenuClick()
{
    TCompareDialog dialog([this](const QString& text) { return CompareDigest(text); }, this);
    dialog.exec();
}

QString TSumbrookForm::CompareDigest(const QString& text)
{
    const auto known = checking::ParseKnownDigest(text.toStdString());
    if (!known) return QStringLiteral("这不是已知长度的校验值");
    ResultTreeView->FlushPending();
    if (const auto match = results_->Find(known->Value, known->Candidates)) {
        QTreeWidgetItem* top = ResultTreeView->topLevelItem(match->Node.Top);
        QTreeWidgetItem* line = top->child(match->Node.Line);
        top->setExpanded(true);
        ResultTreeView->setCurrentItem(line);
        ResultTreeView->scrollToItem(line);
        ResultTreeView->setFocus();
        return QStringLiteral("一致：文件 %1 的 %2")
            .arg(top->text(0), workflow::FromUtf8Text(InfoOf(match->Algorithm).Name));
    }
    QString answer = QStringLiteral("没有一致的结果");
    QStringList needed;
    for (const AlgorithmId id : known->Candidates) {
        if (lstHashes.Contains(id)) return answer;
        needed << workflow::FromUtf8Text(InfoOf(id).Name);
    }
    return answer + QStringLiteral("（这个长度的校验值需要选择算法：%1）").arg(needed.join(QStringLiteral(" 或 ")));
}

void TSumbrookForm::CheckSameFile()
{
    Run([this] { workflow::CheckSameFile(*NeedCheckFileList, *results_); });
}
void TSumbrookForm::WMDropFiles(const QStringList& names)
{
    Run([this, &names] { intake_->Drop(names); });
}

void TSumbrookForm::HashMenuClick()
{
    // Chosen with the mouse, the item is under the pointer and the menu opens
    // there. Chosen from the keyboard, the pointer may be anywhere on the
    // screen: the menu drops down below the toolbar's algorithm button.
    const QPoint pointer = QCursor::pos();
    if (ToolsMenu->testAttribute(Qt::WA_WState_Created) && ToolsMenu->geometry().contains(pointer))
        HashSelect->popup(pointer);
    else
        HashSelect->popup(HashSelToolBtn->mapToGlobal(QPoint(0, HashSelToolBtn->height())));
}

void TSumbrookForm::QuitMenuClick()
{
    close();
}

void TSumbrookForm::HomePageClick()
{
    services_.Urls->OpenUrl(QUrl(kHomePageUrl));
}

void TSumbrookForm::HomeBBSClick()
{
    services_.Urls->OpenUrl(QUrl(kHomeBBSUrl));
}

void TSumbrookForm::AlgorithmToggle(AlgorithmId id)
{
    // The menu has already flipped the item's mark; the selection follows it,
    // and results of another selection never stand beside new ones.
    lstHashes.Set(id, algorithmItems_[IndexOf(id)]->isChecked());
    intake_->ResetCheckStatus();
}

// ---- Ports ---------------------------------------------------------------

void TSumbrookForm::SetListCommandsEnabled(bool enabled)
{
    // The toolbar stays on so that its calculate button can stop a run; its
    // other buttons go off and on with the commands.
    for (QAction* action : ToolBar->actions())
        if (QWidget* button = ToolBar->widgetForAction(action); button != nullptr && action != CalculateToolBtn)
            button->setEnabled(enabled && action->isEnabled());
    FileMenu->setEnabled(enabled);
    FileMenu->menuAction()->setEnabled(enabled);
    ToolsMenu->setEnabled(enabled);
    ToolsMenu->menuAction()->setEnabled(enabled);
    CalculateMenu->setEnabled(enabled);
    DeleteToolBtn->setEnabled(enabled);
    DeleteListToolBtn->setEnabled(enabled);
    CalculateToolBtn->setEnabled(enabled);
}

void TSumbrookForm::SetSaveMenuEnabled(bool enabled)
{
    SaveMenu->setEnabled(enabled);
}

void TSumbrookForm::SetSaveToolBtnEnabled(bool enabled)
{
    SaveToolBtn->setEnabled(enabled);
}

void TSumbrookForm::SetStatusText(const QString& text)
{
    StatusPanel0->setText(text);
}

void TSumbrookForm::SetBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// ---- Window events -------------------------------------------------------

namespace {

// The local files and folders a drag carries, in drop order.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList names;
    if (data == nullptr || !data->hasUrls()) return names;
    for (const QUrl& url : data->urls())
        // The name's own bytes, also where they are no UTF-8: a percent-encoded
        // path keeps them, toLocalFile would not.
        if (url.isLocalFile())
            names << workflow::PathFromNative(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
    return names;
}

} // namespace

bool TSumbrookForm::TakeDrop(QEvent* event)
{
    // Every drag is answered here: files and folders go to the intake, and
    // anything else is refused, so that the list and the tree never take
    // rows of their own from a drag (another program's table cells, say).
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (LocalFiles(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList names = LocalFiles(drop->mimeData());
        if (names.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        WMDropFiles(names);
        return true;
    }
    default: return false;
    }
}

bool TSumbrookForm::eventFilter(QObject* watched, QEvent* event)
{
    if (TakeDrop(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TSumbrookForm::event(QEvent* event)
{
    // Drags over the window's own area, and over children that are disabled
    // during a run (the toolbar), arrive here.
    if (TakeDrop(event)) return true;
    return QMainWindow::event(event);
}

void TSumbrookForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    PlaceProgressBox();
}

void TSumbrookForm::PlaceProgressBox()
{
    // 190 pixels from the right edge and 21 from the bottom, whatever the size.
    CheckGroupBox->move(width() - 190 - CheckGroupBox->width(), height() - 21 - CheckGroupBox->height());
}

void TSumbrookForm::closeEvent(QCloseEvent* event)
{
    // A run stops with the window: the files done keep their results.
    run_->Stop();
    QMainWindow::closeEvent(event);
}

} // namespace sumbrook::ui
