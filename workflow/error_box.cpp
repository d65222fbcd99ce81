#include "workflow/error_box.h"

#include <exception>

#include "workflow/result_entry.h"

namespace sumbrook::workflow {

QString ErrorBoxText(const QString& message)
{
    return QString::fromStdString(ErrorBoxText(message.toStdString()));
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
