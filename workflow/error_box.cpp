// Failures a command does not handle end the command and reach the error box.

#include "workflow/result_entry.h"
#include "workflow/workflow.h"

namespace sumbrook::workflow {

QString ErrorBoxText(const QString& message)
{
    return QString::fromStdString(ErrorBoxText(message.toStdString()));
}

void Workflow::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        p_.Errors.ShowError(ErrorBoxText(QString::fromUtf8(e.what())));
    }
}

} // namespace sumbrook::workflow
