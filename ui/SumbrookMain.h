#pragma once

// The main window: toolbar, file list, results tree, progress box, status
// bar and menus. It implements the workflow's ports with its widgets and its
// command handlers delegate to the workflow.

#include <QMainWindow>

#include <array>
#include <memory>

#include "digest/engine/DCPcatalogue.h"
#include "ui/desktop_services.h"
#include "ui/file_list_view.h"
#include "ui/progress_box.h"
#include "ui/result_tree_view.h"
#include "ui/system_icons.h"
#include "workflow/workflow.h"

class QLabel;
class QListWidget;
class QSplitter;
class QToolBar;
class QToolButton;

namespace sumbrook::ui {

// Stand-ins for the desktop's dialogs, clipboard, error box and browser;
// any left null is the desktop's own.
struct TFormServices {
    workflow::DialogPort* Dialogs = nullptr;
    workflow::ClipboardPort* Clipboard = nullptr;
    workflow::ErrorBoxPort* Errors = nullptr;
    UrlOpenerPort* Urls = nullptr;
};

inline const QString kHomePageUrl = QStringLiteral("https://www.sumbrook.com/");
inline const QString kHomeBBSUrl = QStringLiteral("https://bbs.sumbrook.com/");

class TSumbrookForm : public QMainWindow,
                      public workflow::CommandPort,
                      public workflow::MessagePump,
                      public workflow::SelectionPort {
    Q_OBJECT
public:
    explicit TSumbrookForm(TFormServices services = {}, QWidget* parent = nullptr);
    ~TSumbrookForm() override;

    // Components, owned by the window through Qt's parent chain.
    QToolBar* ToolBar = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    TFileListView* NeedCheckFileList = nullptr;
    QSplitter* SplitterLR = nullptr;
    TResultTreeView* ResultTreeView = nullptr;
    TCheckGroupBox* CheckGroupBox = nullptr;
    QListWidget* lstHashes = nullptr;

    QMenu* FileMenu = nullptr;
    QAction* OpenFileMenu = nullptr;
    QAction* OpenDocuMenu = nullptr;
    QAction* DeleteFileMenu = nullptr;
    QAction* DeleteListMenu = nullptr;
    QAction* SaveMenu = nullptr;
    QAction* QuitMenu = nullptr;
    QMenu* ToolsMenu = nullptr;
    QAction* HashMenu = nullptr;
    QAction* CalculateMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* HomePage = nullptr;
    QAction* HomeBBS = nullptr;

    QAction* OpenFileToolBtn = nullptr;
    QAction* OpenDocuToolBtn = nullptr;
    QAction* DeleteToolBtn = nullptr;
    QAction* DeleteListToolBtn = nullptr;
    QAction* SaveToolBtn = nullptr;
    QToolButton* HashSelToolBtn = nullptr;
    QAction* CalculateToolBtn = nullptr;

    QMenu* HashSelect = nullptr;
    QAction* CRC32_FCS32Hash = nullptr;
    QAction* Haval256Hash = nullptr;
    QAction* MD4Hash = nullptr;
    QAction* MD5Hash = nullptr;
    QAction* RipeMD128Hash = nullptr;
    QAction* RipeMD160Hash = nullptr;
    QAction* SHA1Hash = nullptr;
    QAction* SHA256Hash = nullptr;
    QAction* SHA384Hash = nullptr;
    QAction* SHA512Hash = nullptr;
    QAction* Tiger192Hash = nullptr;

    QMenu* ListPopupMenu = nullptr;
    QAction* CopyResultMenu = nullptr;
    QAction* NCopyAllToClip = nullptr;
    QAction* NSaveAllResult = nullptr;

    workflow::Workflow& Flow() { return *workflow_; }
    const std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize>& HashComponents() const { return components_; }

    // Handlers.
    void FormCreate();
    void OpenFileMenuClick();
    void OpenDocuMenuClick();
    void DeleteFileMenuClick();
    void DeleteListMenuClick();
    void SaveMenuClick();
    void CopyResultMenuClick();
    void NCopyAllToClipClick();
    void CalculateMenuClick();
    void WMDropFiles(const QStringList& names);
    void HashMenuClick();
    void QuitMenuClick();
    void HomePageClick();
    void HomeBBSClick();
    void CRC32_FCS32HashClick();
    void SHA1HashClick() { DigestToggle(SHA1Hash); }
    void Haval256HashClick() { DigestToggle(Haval256Hash); }
    void MD4HashClick() { DigestToggle(MD4Hash); }
    void RipeMD128HashClick() { DigestToggle(RipeMD128Hash); }
    void RipeMD160HashClick() { DigestToggle(RipeMD160Hash); }
    void SHA256HashClick() { DigestToggle(SHA256Hash); }
    void SHA384HashClick() { DigestToggle(SHA384Hash); }
    void SHA512HashClick() { DigestToggle(SHA512Hash); }
    void Tiger192HashClick() { DigestToggle(Tiger192Hash); }
    void MD5HashClick() { DigestToggle(MD5Hash); }

    // CommandPort
    void SetListCommandsEnabled(bool enabled) override;
    void SetSaveMenuEnabled(bool enabled) override;
    void SetSaveToolBtnEnabled(bool enabled) override;
    void SetStatusText(const QString& text) override;
    void SetBusyCursor(bool busy) override;
    // MessagePump
    void ProcessMessages() override;
    void ProcessMessagesUntil(const std::function<bool()>& finished, const std::function<void()>& tick) override;
    void Wake() override;
    // SelectionPort
    bool Crc32Checked() const override;
    bool DigestMenuChecked(std::size_t catalogueIndex) const override;
    std::size_t HashListCount() const override;
    bool HashListChecked(std::size_t index) const override;
    TDCP_hash& HashComponent(std::size_t index) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateCentralArea();
    void CreateStatusBar();
    void PlaceProgressBox();
    void DigestToggle(QAction* item);
    bool TakeDrop(QEvent* event);
    void Run(void (workflow::Workflow::*command)());

    TDesktopServices desktop_;
    TFormServices services_;
    TSystemIconList icons_;
    std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> components_;
    std::array<QAction*, kCatalogueSize> digestItems_{};
    std::unique_ptr<workflow::Workflow> workflow_;
    bool closeRequested_ = false;
};

} // namespace sumbrook::ui
