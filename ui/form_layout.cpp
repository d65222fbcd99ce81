// The window's components: their names, texts, images, shortcuts and
// initial states, and which handler each command runs.

#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <string>

#include "ui/SumbrookMain.h"
#include "ui/algorithm_items.h"

namespace sumbrook::ui {

namespace {

QIcon Image(const char* name)
{
    return QIcon(QStringLiteral(":/images/%1.png").arg(QLatin1String(name)));
}

template <class Handler>
QAction* MakeAction(TSumbrookForm* form, const char* name, const QString& text, Handler handler, const QIcon& icon = {},
                    const QKeySequence& shortcut = {})
{
    auto* action = new QAction(icon, text, form);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    if (handler != nullptr) QObject::connect(action, &QAction::triggered, form, handler);
    return action;
}

} // namespace

void TSumbrookForm::CreateActions()
{
    OpenFileMenu = MakeAction(this, "OpenFileMenu", QStringLiteral("添加文件(&O)"), &TSumbrookForm::OpenFileMenuClick,
                              Image("page"), QKeySequence(Qt::CTRL | Qt::Key_O));
    OpenDocuMenu = MakeAction(this, "OpenDocuMenu", QStringLiteral("添加文件夹(&A)"), &TSumbrookForm::OpenDocuMenuClick,
                              Image("folder"));
    DeleteFileMenu =
        MakeAction(this, "DeleteFileMenu", QStringLiteral("删除文件(&D)"), &TSumbrookForm::DeleteFileMenuClick);
    DeleteListMenu =
        MakeAction(this, "DeleteListMenu", QStringLiteral("清空列表(&C)"), &TSumbrookForm::DeleteListMenuClick);
    SaveMenu = MakeAction(this, "SaveMenu", QStringLiteral("保存列表(&S)"), &TSumbrookForm::SaveMenuClick,
                          Image("computer"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveMenu->setEnabled(false);
    QuitMenu =
        MakeAction(this, "QuitMenu", QStringLiteral("退出(&X)"), &TSumbrookForm::QuitMenuClick, Image("redcross"));
    HashMenu = MakeAction(this, "HashMenu", QStringLiteral("算法选择(&S)"), &TSumbrookForm::HashMenuClick);
    CalculateMenu = MakeAction(this, "CalculateMenu", QStringLiteral("计算(&J)"), &TSumbrookForm::CalculateMenuClick,
                               QIcon(), QKeySequence(Qt::CTRL | Qt::Key_J));
    CalculateMenu->setEnabled(false);
    HomePage = MakeAction(this, "HomePage", QStringLiteral("官方网站(&H)"), &TSumbrookForm::HomePageClick,
                          Image("globe"), QKeySequence(Qt::CTRL | Qt::Key_H));
    HomeBBS = MakeAction(this, "HomeBBS", QStringLiteral("官方论坛(&B)"), &TSumbrookForm::HomeBBSClick, Image("globe"));

    // Toolbar buttons are commands of their own: they are enabled apart from the menu items.
    auto button = [this](const char* name, const QString& caption, const QString& hint, const char* image,
                         void (TSumbrookForm::*handler)(), bool enabled) {
        QAction* action = MakeAction(this, name, caption, handler, Image(image));
        action->setToolTip(hint);
        action->setEnabled(enabled);
        return action;
    };
    OpenFileToolBtn = button("OpenFileToolBtn", QStringLiteral("添加文件"), QStringLiteral("添加单个文件"), "page",
                             &TSumbrookForm::OpenFileMenuClick, true);
    OpenDocuToolBtn = button("OpenDocuToolBtn", QStringLiteral("添加文件夹"), QStringLiteral("添加文件夹下的所有文件"),
                             "folder", &TSumbrookForm::OpenDocuMenuClick, true);
    DeleteToolBtn = button("DeleteToolBtn", QStringLiteral("删除文件"), QStringLiteral("删除选中的文件"), "delete",
                           &TSumbrookForm::DeleteFileMenuClick, false);
    DeleteListToolBtn = button("DeleteListToolBtn", QStringLiteral("清空列表"), QStringLiteral("清除所有文件"),
                               "recycle", &TSumbrookForm::DeleteListMenuClick, false);
    SaveToolBtn = button("SaveToolBtn", QStringLiteral("保存列表"), QStringLiteral("保存结果到文件"), "computer",
                         &TSumbrookForm::SaveMenuClick, false);
    CalculateToolBtn = button("CalculateToolBtn", QStringLiteral("计算"), QStringLiteral("开始计算"), "magnifier",
                              &TSumbrookForm::CalculateToolBtnClick, false);
    VerifyFileMenu =
        MakeAction(this, "VerifyFileMenu", QStringLiteral("校验文件(&V)..."), &TSumbrookForm::VerifyFileMenuClick,
                   QIcon(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    CompareDigestMenu =
        MakeAction(this, "CompareDigestMenu", QStringLiteral("比对校验值(&K)..."),
                   &TSumbrookForm::CompareDigestMenuClick, QIcon(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));

    auto toggle = [this](const char* name, const QString& caption, void (TSumbrookForm::*handler)(), bool checked) {
        QAction* action = MakeAction(this, name, caption, handler);
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    };
    // The selection menu's items from their table; each has its field and
    // its handler on the form.
    using Item = std::pair<QAction * TSumbrookForm::*, void (TSumbrookForm::*)()>;
    std::array<Item, kAlgorithmCount> named{};
    named[IndexOf(AlgorithmId::Crc32)] = {&TSumbrookForm::CRC32_FCS32Hash, &TSumbrookForm::CRC32_FCS32HashClick};
    named[IndexOf(AlgorithmId::Sha1)] = {&TSumbrookForm::SHA1Hash, &TSumbrookForm::SHA1HashClick};
    named[IndexOf(AlgorithmId::Haval256)] = {&TSumbrookForm::Haval256Hash, &TSumbrookForm::Haval256HashClick};
    named[IndexOf(AlgorithmId::Md4)] = {&TSumbrookForm::MD4Hash, &TSumbrookForm::MD4HashClick};
    named[IndexOf(AlgorithmId::Ripemd128)] = {&TSumbrookForm::RipeMD128Hash, &TSumbrookForm::RipeMD128HashClick};
    named[IndexOf(AlgorithmId::Ripemd160)] = {&TSumbrookForm::RipeMD160Hash, &TSumbrookForm::RipeMD160HashClick};
    named[IndexOf(AlgorithmId::Sha256)] = {&TSumbrookForm::SHA256Hash, &TSumbrookForm::SHA256HashClick};
    named[IndexOf(AlgorithmId::Sha384)] = {&TSumbrookForm::SHA384Hash, &TSumbrookForm::SHA384HashClick};
    named[IndexOf(AlgorithmId::Sha512)] = {&TSumbrookForm::SHA512Hash, &TSumbrookForm::SHA512HashClick};
    named[IndexOf(AlgorithmId::Tiger192)] = {&TSumbrookForm::Tiger192Hash, &TSumbrookForm::Tiger192HashClick};
    named[IndexOf(AlgorithmId::Md5)] = {&TSumbrookForm::MD5Hash, &TSumbrookForm::MD5HashClick};
    for (const TAlgorithmItem& item : kAlgorithmItems) {
        const auto& [field, handler] = named[IndexOf(item.Id)];
        const std::string name(item.ObjectName);
        QAction* action =
            toggle(name.c_str(), QString::fromUtf8(item.Caption.data(), static_cast<qsizetype>(item.Caption.size())),
                   handler, item.SelectedAtStart);
        this->*field = action;
        algorithmItems_[IndexOf(item.Id)] = action;
    }

    // The popup's keys work only while the results tree has the focus; the
    // tree routes them (see TResultTreeView).
    CopyResultMenu = MakeAction(this, "CopyResultMenu", QStringLiteral("复制选中的到剪贴板(&C)"),
                                &TSumbrookForm::CopyResultMenuClick, QIcon(), QKeySequence(Qt::CTRL | Qt::Key_C));
    NCopyAllToClip =
        MakeAction(this, "NCopyAllToClip", QStringLiteral("复制全部到剪贴板(&A)"), &TSumbrookForm::NCopyAllToClipClick,
                   QIcon(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    NSaveAllResult = MakeAction(this, "NSaveAllResult", QStringLiteral("保存所有结果到文件(&S)"),
                                &TSumbrookForm::SaveMenuClick, QIcon(), QKeySequence(Qt::CTRL | Qt::Key_S));
    for (QAction* popupItem : {CopyResultMenu, NCopyAllToClip, NSaveAllResult})
        popupItem->setShortcutContext(Qt::WidgetShortcut);
}

void TSumbrookForm::CreateMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    FileMenu = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    FileMenu->addActions({OpenFileMenu, OpenDocuMenu});
    FileMenu->addSeparator();
    FileMenu->addActions({DeleteFileMenu, DeleteListMenu});
    FileMenu->addSeparator();
    FileMenu->addAction(SaveMenu);
    FileMenu->addSeparator();
    FileMenu->addAction(QuitMenu);

    ToolsMenu = menuBar()->addMenu(QStringLiteral("工具(&T)"));
    ToolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
    ToolsMenu->addAction(HashMenu);
    ToolsMenu->addSeparator();
    ToolsMenu->addAction(CalculateMenu);
    ToolsMenu->addSeparator();
    ToolsMenu->addActions({VerifyFileMenu, CompareDigestMenu});

    HelpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    HelpMenu->addActions({HomePage, HomeBBS});

    HashSelect = new QMenu(this);
    HashSelect->setObjectName(QStringLiteral("HashSelect"));
    for (const TAlgorithmItem& item : kAlgorithmItems) HashSelect->addAction(algorithmItems_[IndexOf(item.Id)]);

    ListPopupMenu = new QMenu(this);
    ListPopupMenu->setObjectName(QStringLiteral("ListPopupMenu"));
    ListPopupMenu->addActions({CopyResultMenu, NCopyAllToClip});
    ListPopupMenu->addSeparator();
    ListPopupMenu->addAction(NSaveAllResult);
}

void TSumbrookForm::CreateToolBar()
{
    ToolBar = addToolBar(QStringLiteral("ToolBar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu); // no menu for hiding the toolbar
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setIconSize(QSize(32, 32));
    ToolBar->setFixedHeight(53);
    ToolBar->setContentsMargins(0, 0, 0, 0);
    ToolBar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; }"
                                          "QToolBar::separator { width: 8px; }"));

    auto place = [this](QAction* action) {
        ToolBar->addAction(action);
        ToolBar->widgetForAction(action)->setFixedSize(67, 52);
        ToolBar->widgetForAction(action)->setObjectName(action->objectName() + QStringLiteral("Button"));
    };
    place(OpenFileToolBtn);
    place(OpenDocuToolBtn);
    ToolBar->addSeparator()->setObjectName(QStringLiteral("SplitterToolBtn1"));
    place(DeleteToolBtn);
    place(DeleteListToolBtn);
    ToolBar->addSeparator()->setObjectName(QStringLiteral("SplitterToolBtn2"));
    place(SaveToolBtn);
    ToolBar->addSeparator()->setObjectName(QStringLiteral("SplitterToolBtn3"));

    // The algorithm button only drops its menu down below itself.
    HashSelToolBtn = new QToolButton(ToolBar);
    HashSelToolBtn->setObjectName(QStringLiteral("HashSelToolBtn"));
    HashSelToolBtn->setText(QStringLiteral("算法选择"));
    HashSelToolBtn->setToolTip(QStringLiteral("选择需要的算法"));
    HashSelToolBtn->setIcon(Image("keys"));
    HashSelToolBtn->setIconSize(QSize(32, 32));
    HashSelToolBtn->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    HashSelToolBtn->setMenu(HashSelect);
    HashSelToolBtn->setPopupMode(QToolButton::InstantPopup);
    HashSelToolBtn->setFixedSize(67, 52);
    ToolBar->addWidget(HashSelToolBtn);
    place(CalculateToolBtn);
}

void TSumbrookForm::CreateCentralArea()
{
    SplitterLR = new QSplitter(Qt::Horizontal, this);
    SplitterLR->setObjectName(QStringLiteral("SplitterLR"));
    SplitterLR->setHandleWidth(3);
    SplitterLR->setChildrenCollapsible(false);

    NeedCheckFileList = new TFileListView(SplitterLR);
    NeedCheckFileList->setObjectName(QStringLiteral("NeedCheckFileList"));
    // Delete in the list is the delete-file command, which a run leaves alone.
    connect(NeedCheckFileList, &TFileListView::DeleteKeyPressed, this, [this] {
        if (!run_->Running()) DeleteFileMenuClick();
    });
    ResultTreeView = new TResultTreeView(SplitterLR);
    ResultTreeView->setObjectName(QStringLiteral("ResultTreeView"));
    ResultTreeView->SetPopupMenu(ListPopupMenu);

    SplitterLR->addWidget(NeedCheckFileList);
    SplitterLR->addWidget(ResultTreeView);
    // A resize goes to the file list; the tree keeps its width.
    SplitterLR->setStretchFactor(0, 1);
    SplitterLR->setStretchFactor(1, 0);
    SplitterLR->setSizes({389, 185});
    setCentralWidget(SplitterLR);

    // Floats over the file list at a fixed distance from the bottom right corner.
    CheckGroupBox = new TCheckGroupBox(this);
}

void TSumbrookForm::CreateStatusBar()
{
    StatusBar = statusBar();
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    StatusBar->setFixedHeight(19);
    StatusPanel0 = new QLabel(QStringLiteral("准备就绪"), StatusBar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(350);
    StatusPanel1 = new QLabel(QStringLiteral("Sumbrook 文件校验工具"), StatusBar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar->addWidget(StatusPanel0);
    StatusBar->addWidget(StatusPanel1, 1);
}

} // namespace sumbrook::ui
