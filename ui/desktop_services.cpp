#include "ui/desktop_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/file_dialogs.h"

namespace sumbrook::ui {

std::optional<QStringList> TDesktopServices::OpenFiles()
{
    const auto dialog = MakeOpenDialog(owner_);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->selectedFiles();
}

std::optional<QString> TDesktopServices::ChooseFolder()
{
    const auto dialog = MakeFolderDialog(owner_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return dialog->selectedFiles().front();
}

std::optional<QString> TDesktopServices::SaveFileName()
{
    const auto dialog = MakeSaveDialog(owner_, saveProposal_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    saveProposal_ = dialog->selectedFiles().front();
    return saveProposal_;
}

void TDesktopServices::SetText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

void TDesktopServices::ShowError(const QString& message)
{
    QMessageBox::critical(owner_, QStringLiteral("Sumbrook"), message, QMessageBox::Ok);
}

void TDesktopServices::OpenUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url); // the result is not examined
}

} // namespace sumbrook::ui
