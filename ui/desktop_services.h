#pragma once

#include <QString>
#include <QUrl>

#include "workflow/ports.h"
#include "workflow/texts.h"

class QWidget;

namespace sumbrook::ui {

// Opens a web address with the desktop's default handler.
class UrlOpenerPort {
public:
    virtual ~UrlOpenerPort() = default;
    virtual void OpenUrl(const QUrl& url) = 0;
};

// The desktop's dialogs, clipboard, error box and web browser.
class TDesktopServices : public workflow::DialogPort,
                         public workflow::ClipboardPort,
                         public workflow::ErrorBoxPort,
                         public UrlOpenerPort {
public:
    explicit TDesktopServices(QWidget* owner) : owner_(owner) {}

    std::optional<QStringList> OpenFiles() override;
    std::optional<QString> ChooseFolder() override;
    std::optional<QString> SaveFileName() override;
    void SetText(const QString& text) override;
    void ShowError(const QString& message) override;
    void OpenUrl(const QUrl& url) override;

private:
    QWidget* owner_;
    // The last saved path is proposed next time, until the program ends.
    QString saveProposal_ = workflow::kDefaultResultFileName;
};

} // namespace sumbrook::ui
