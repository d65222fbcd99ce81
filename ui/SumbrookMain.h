#pragma once

// The main window: toolbar, file list, results tree, progress box, status
// bar and menus. It implements the workflow's ports with its widgets; its
// command handlers turn commands into calls of the workflow's units.

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

#include "digest/engine/algorithm.h"
#include "ui/desktop_services.h"
#include "ui/file_list_view.h"
#include "ui/progress_box.h"
#include "ui/result_tree_view.h"
#include "ui/system_icons.h"
#include "workflow/calculation_run.h"
#include "workflow/export.h"
#include "workflow/intake.h"
#include "workflow/results.h"

class QLabel;
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

class TSumbrookForm : public QMainWindow, public workflow::CommandPort {
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
    // The algorithms selected; the selection menu's check marks show it.
    AlgorithmSet lstHashes;

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
    QAction* VerifyFileMenu = nullptr;
    QAction* CompareDigestMenu = nullptr;
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

    workflow::CalculationRun& Calculation() { return *run_; }

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
    // The toolbar's button starts a run, or stops the one going on (as Esc does).
    void CalculateToolBtnClick();
    void StopCalculation();
    // A checksum file's entries checked in a dialog of their own; the list and tree stay as they are.
    void VerifyFileMenuClick();
    void VerifyChecksumFile(const QString& path);
    // A pasted digest looked up among the results.
    void CompareDigestMenuClick();
    // What the compare dialog answers for a pasted digest; a match is selected in the tree.
    QString CompareDigest(const QString& text);
    void CheckSameFile();
    void WMDropFiles(const QStringList& names);
    void HashMenuClick();
    void QuitMenuClick();
    void HomePageClick();
    void HomeBBSClick();
    void CRC32_FCS32HashClick() { AlgorithmToggle(AlgorithmId::Crc32); }
    void SHA1HashClick() { AlgorithmToggle(AlgorithmId::Sha1); }
    void Haval256HashClick() { AlgorithmToggle(AlgorithmId::Haval256); }
    void MD4HashClick() { AlgorithmToggle(AlgorithmId::Md4); }
    void RipeMD128HashClick() { AlgorithmToggle(AlgorithmId::Ripemd128); }
    void RipeMD160HashClick() { AlgorithmToggle(AlgorithmId::Ripemd160); }
    void SHA256HashClick() { AlgorithmToggle(AlgorithmId::Sha256); }
    void SHA384HashClick() { AlgorithmToggle(AlgorithmId::Sha384); }
    void SHA512HashClick() { AlgorithmToggle(AlgorithmId::Sha512); }
    void Tiger192HashClick() { AlgorithmToggle(AlgorithmId::Tiger192); }
    void MD5HashClick() { AlgorithmToggle(AlgorithmId::Md5); }

    // CommandPort
    void SetListCommandsEnabled(bool enabled) override;
    void SetSaveMenuEnabled(bool enabled) override;
    void SetSaveToolBtnEnabled(bool enabled) override;
    void SetStatusText(const QString& text) override;
    void SetBusyCursor(bool busy) override;

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
    void AlgorithmToggle(AlgorithmId id);
    bool TakeDrop(QEvent* event);
    void Run(const std::function<void()>& command);
    void ShowRunMode(bool running);
    void ShowProgressTexts(quint64 bytesRead, quint64 fileSize);

    TDesktopServices desktop_;
    TFormServices services_;
    TSystemIconList icons_;
    std::array<QAction*, kAlgorithmCount> algorithmItems_{}; // by AlgorithmId
    // The workflow's units, made once the widgets they work on are there.
    std::unique_ptr<workflow::Results> results_;
    std::unique_ptr<workflow::CalculationRun> run_;
    std::unique_ptr<workflow::Intake> intake_;
    std::unique_ptr<workflow::Export> export_;
    QElapsedTimer runClock_;
};

} // namespace sumbrook::ui
