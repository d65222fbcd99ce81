#include "ui/file_dialogs.h"

#include <QDir>
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

} // namespace

std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* owner)
{
    auto dialog = std::make_unique<QFileDialog>(owner, QStringLiteral("请选择需要校验的文件"));
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // Reads "*.*" but shows files without an extension too.
    dialog->setNameFilter(QStringLiteral("*.* (*)"));
    dialog->setOption(QFileDialog::HideNameFilterDetails);
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
    return dialog;
}

} // namespace sumbrook::ui
