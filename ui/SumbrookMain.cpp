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

#include "sumbrook_version.h"
#include "ui/algorithm_items.h"
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
    families << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans") << QStringLiteral("WenQuanYi Micro Hei")
             << QStringLiteral("Noto Sans CJK SC");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

} // namespace

TSumbrookForm::TSumbrookForm(TFormServices services, QWidget* parent)
    : QMainWindow(parent),
      desktop_(this),
      services_(services)
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
        workflow::Intake::Ports{*NeedCheckFileList, *results_, *CheckGroupBox, *this, *services_.Dialogs, icons_}, *run_);
    export_ = std::make_unique<workflow::Export>(*ResultTreeView, *services_.Clipboard, *services_.Dialogs);
    // The whole result shows as soon as the run ends.
    connect(run_.get(), &workflow::CalculationRun::Finished, ResultTreeView, &TResultTreeView::FlushPending);

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

void TSumbrookForm::OpenFileMenuClick() { Run([this] { intake_->AddFiles(); }); }
void TSumbrookForm::OpenDocuMenuClick() { Run([this] { intake_->AddFolder(); }); }
void TSumbrookForm::DeleteFileMenuClick() { Run([this] { intake_->DeleteSelected(); }); }
void TSumbrookForm::DeleteListMenuClick() { Run([this] { intake_->ClearList(); }); }
void TSumbrookForm::SaveMenuClick() { Run([this] { export_->Save(); }); }
void TSumbrookForm::CopyResultMenuClick() { Run([this] { export_->CopySelected(); }); }
void TSumbrookForm::NCopyAllToClipClick() { Run([this] { export_->CopyAll(); }); }
void TSumbrookForm::CalculateMenuClick() { Run([this] { run_->Start(lstHashes); }); }
void TSumbrookForm::CheckSameFile() { Run([this] { workflow::CheckSameFile(*NeedCheckFileList, *results_); }); }
void TSumbrookForm::WMDropFiles(const QStringList& names) { Run([this, &names] { intake_->Drop(names); }); }

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
    ToolBar->setEnabled(enabled);
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
    default:
        return false;
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
