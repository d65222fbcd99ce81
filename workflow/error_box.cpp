#include "workflow/error_box.h"

#include <exception>

namespace sumbrook::workflow {

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.') return message + u'.';
    return message;
}

void RunCommand(ErrorBoxPort& errors, const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        errors.ShowError(ErrorBoxText(QString::fromUtf8(e.what())));
    }
}

} // namespace sumbrook::workflow
