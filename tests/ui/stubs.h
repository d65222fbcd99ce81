#pragma once

// Stand-ins for the desktop's dialogs, clipboard, error box and browser: they
// answer for the user and record what the window asked of the desktop.

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

#include "ui/SumbrookMain.h"

namespace sumbrook::ui::test {

class TStubServices : public workflow::DialogPort,
                      public workflow::ClipboardPort,
                      public workflow::ErrorBoxPort,
                      public UrlOpenerPort {
public:
    // Answers of the dialogs; nothing means the user cancelled.
    std::optional<QStringList> FilesToOpen;
    std::optional<QString> FolderToOpen;
    std::optional<QString> SavePath;

    int OpenFilesCalls = 0;
    int ChooseFolderCalls = 0;
    int SaveCalls = 0;
    QStringList ClipboardTexts;
    QStringList ErrorMessages;
    QList<QUrl> OpenedUrls;

    TFormServices Services() { return {this, this, this, this}; }

    std::optional<QStringList> OpenFiles() override
    {
        ++OpenFilesCalls;
        return FilesToOpen;
    }
    std::optional<QString> ChooseFolder() override
    {
        ++ChooseFolderCalls;
        return FolderToOpen;
    }
    std::optional<QString> SaveFileName() override
    {
        ++SaveCalls;
        return SavePath;
    }
    void SetText(const QString& text) override { ClipboardTexts << text; }
    void ShowError(const QString& message) override { ErrorMessages << message; }
    void OpenUrl(const QUrl& url) override { OpenedUrls << url; }
};

} // namespace sumbrook::ui::test
