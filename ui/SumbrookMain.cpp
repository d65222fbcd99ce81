#include "ui/SumbrookMain.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

#include "workflow/file_naming.h"
#include "ui/resources.h"
#include "sumbrook_version.h"

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
      services_(services),
      components_(CreateCatalogueComponents())
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

    workflow_ = std::make_unique<workflow::Workflow>(
        workflow::Ports{*NeedCheckFileList, *ResultTreeView, *CheckGroupBox, *this, *this, *this,
                        *services_.Dialogs, *services_.Clipboard, *services_.Errors, icons_});

    resize(577, 296 + menuBar()->sizeHint().height());
    FormCreate();
    NeedCheckFileList->setFocus();
}

TSumbrookForm::~TSumbrookForm() = default;

void TSumbrookForm::FormCreate()
{
    // Files and folders dropped anywhere on the window reach the intake.
    setAcceptDrops(true);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setAcceptDrops(true);
        child->installEventFilter(this);
    }
    NeedCheckFileList->SetIconList(&icons_);

    lstHashes->clear();
    for (std::size_t i = 0; i < components_.size(); ++i) {
        auto* entry = new QListWidgetItem(QString::fromLatin1(components_[i]->Algorithm()), lstHashes);
        entry->setData(Qt::UserRole, static_cast<int>(i));
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    }
    lstHashes->item(static_cast<int>(kCatalogueSha1))->setCheckState(Qt::Checked);
    lstHashes->item(static_cast<int>(kCatalogueMd5))->setCheckState(Qt::Checked);
}

// ---- Commands ------------------------------------------------------------

void TSumbrookForm::Run(void (workflow::Workflow::*command)())
{
    workflow_->RunCommand([this, command] { (workflow_.get()->*command)(); });
}

void TSumbrookForm::OpenFileMenuClick() { Run(&workflow::Workflow::OpenFileMenuClick); }
void TSumbrookForm::OpenDocuMenuClick() { Run(&workflow::Workflow::OpenDocuMenuClick); }
void TSumbrookForm::DeleteFileMenuClick() { Run(&workflow::Workflow::DeleteFileMenuClick); }
void TSumbrookForm::DeleteListMenuClick() { Run(&workflow::Workflow::DeleteListMenuClick); }
void TSumbrookForm::SaveMenuClick() { Run(&workflow::Workflow::SaveMenuClick); }
void TSumbrookForm::CopyResultMenuClick() { Run(&workflow::Workflow::CopyResultMenuClick); }
void TSumbrookForm::NCopyAllToClipClick() { Run(&workflow::Workflow::NCopyAllToClipClick); }

void TSumbrookForm::CalculateMenuClick()
{
    Run(&workflow::Workflow::CalculateMenuClick);
    ResultTreeView->FlushPending(); // the whole result shows as soon as the run ends
    // A close asked for during the run takes effect now.
    if (closeRequested_) close();
}

void TSumbrookForm::WMDropFiles(const QStringList& names)
{
    workflow_->RunCommand([this, &names] { workflow_->WMDropFiles(names); });
}

void TSumbrookForm::HashMenuClick()
{
    HashSelect->popup(QCursor::pos());
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

void TSumbrookForm::CRC32_FCS32HashClick()
{
    workflow_->ResetCheckStatus();
}

void TSumbrookForm::DigestToggle(QAction* item)
{
    // The menu has already flipped the item's mark; the list follows it.
    const auto entry = std::find(digestItems_.begin(), digestItems_.end(), item) - digestItems_.begin();
    lstHashes->item(static_cast<int>(entry))->setCheckState(item->isChecked() ? Qt::Checked : Qt::Unchecked);
    workflow_->ResetCheckStatus();
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

void TSumbrookForm::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void TSumbrookForm::ProcessMessagesUntil(const std::function<bool()>& finished, const std::function<void()>& tick)
{
    // The window's own event loop, as long as the work lasts: a timer makes
    // the wait end now and then for the progress bar, Wake when it is done.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread());
    QTimer ticker;
    ticker.start(30);
    while (!finished()) {
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (tick) tick();
    }
}

void TSumbrookForm::Wake()
{
    // Safe from any thread.
    QAbstractEventDispatcher::instance(thread())->wakeUp();
}

bool TSumbrookForm::Crc32Checked() const
{
    return CRC32_FCS32Hash->isChecked();
}

bool TSumbrookForm::DigestMenuChecked(std::size_t catalogueIndex) const
{
    return digestItems_.at(catalogueIndex)->isChecked();
}

std::size_t TSumbrookForm::HashListCount() const
{
    return static_cast<std::size_t>(lstHashes->count());
}

bool TSumbrookForm::HashListChecked(std::size_t index) const
{
    return lstHashes->item(static_cast<int>(index))->checkState() == Qt::Checked;
}

TDCP_hash& TSumbrookForm::HashComponent(std::size_t index)
{
    const int component = lstHashes->item(static_cast<int>(index))->data(Qt::UserRole).toInt();
    return *components_.at(static_cast<std::size_t>(component));
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
    if (workflow_->Calculating()) {
        closeRequested_ = true; // the run has the thread; close when it is done
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace sumbrook::ui
