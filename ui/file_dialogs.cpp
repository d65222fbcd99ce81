#include "ui/file_dialogs.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QToolButton>

namespace sumbrook::ui {

namespace {

// The desktop folder, or the home folder where there is no desktop.
QString DesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists()) return desktop;
    return QDir::homePath();
}

// Icons and type names from a file's name only. Qt's own provider reads a
// file whose name says nothing, and a read of some files in /proc (kmsg)
// or of a device never returns: the dialog would hang for good.
class TNameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }

    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isDir()) return QFileIconProvider::icon(Folder);
        const QMimeType mime = MimeOf(info);
        if (!mime.isDefault()) {
            const QIcon themed = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
            if (!themed.isNull()) return themed;
        }
        return QFileIconProvider::icon(File);
    }

    QString type(const QFileInfo& info) const override
    {
        if (info.isDir()) return QFileIconProvider::type(info);
        return MimeOf(info).comment();
    }

private:
    static QMimeType MimeOf(const QFileInfo& info)
    {
        return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
};

// Shared by every dialog; it keeps nothing of its own.
QAbstractFileIconProvider* NameOnlyIcons()
{
    static TNameOnlyIconProvider provider;
    return &provider;
}

// True for the folders of the kernel's pseudo files and of the devices.
bool IsSpecialFolder(const QString& folder)
{
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath(); // empty where the folder is gone
    if (path.isEmpty()) path = QDir::cleanPath(info.absoluteFilePath());
    for (const char* root : {"/proc", "/sys", "/dev"})
        if (path == QLatin1String(root) || path.startsWith(QLatin1String(root) + QLatin1Char('/'))) return true;
    return false;
}

// Every dialog here reads no file's contents, and one that would start
// among special files starts at the desktop instead.
void AvoidSpecialFiles(QFileDialog& dialog)
{
    dialog.setIconProvider(NameOnlyIcons());
    if (IsSpecialFolder(dialog.directory().absolutePath())) dialog.setDirectory(DesktopFolder());
}

} // namespace

std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* owner)
{
    auto dialog = std::make_unique<QFileDialog>(owner, QStringLiteral("请选择需要校验的文件"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // Reads "*.*" but shows files without an extension too.
    dialog->setNameFilter(QStringLiteral("*.* (*)"));
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    AvoidSpecialFiles(*dialog);
    return dialog;
}

std::unique_ptr<QFileDialog> MakeFolderDialog(QWidget* owner)
{
    auto dialog = std::make_unique<QFileDialog>(owner, QStringLiteral("请选择文件夹。"), DesktopFolder());
    dialog->setFileMode(QFileDialog::Directory);
    // Qt's own dialog everywhere: a desktop's native one may offer to make
    // folders, and choosing what to check should change nothing on disk.
    dialog->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog | QFileDialog::ReadOnly);
    if (auto* newFolder = dialog->findChild<QToolButton*>(QStringLiteral("newFolderButton"))) newFolder->hide();
    AvoidSpecialFiles(*dialog);
    return dialog;
}

std::unique_ptr<QFileDialog> MakeSaveDialog(QWidget* owner, const QString& proposal)
{
    auto dialog = std::make_unique<QFileDialog>(owner, QStringLiteral("结果另存为"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QStringLiteral("文本文件 (*.txt)"));
    dialog->setOption(QFileDialog::DontConfirmOverwrite); // overwriting asks nothing
    dialog->setDefaultSuffix(QString());                  // a name without extension stays so
    // The last path is proposed again, by its name alone where it lay among special files.
    const QFileInfo last(proposal);
    dialog->selectFile(last.isAbsolute() && IsSpecialFolder(last.absolutePath())
                           ? QDir(DesktopFolder()).filePath(last.fileName())
                           : proposal);
    AvoidSpecialFiles(*dialog);
    return dialog;
}

} // namespace sumbrook::ui
