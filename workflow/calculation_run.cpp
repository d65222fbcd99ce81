// The calculation run: every pending entry of the list, in order, gets its
// top node and its result lines.

#include "workflow/job_thread.h"
#include "workflow/texts.h"
#include "workflow/workflow.h"

namespace sumbrook::workflow {

Workflow::Workflow(const Ports& ports) : p_(ports) {}
Workflow::~Workflow() = default;

void Workflow::CalculateMenuClick()
{
    p_.Progress.ShowProgressBox(true);
    calculating_ = true;
    FormEnableN();
    const int n = p_.Files.Count(); // entries dropped during the run wait for the next one
    p_.Progress.SetCurrentPosition(0);
    p_.Progress.SetAllPosition(0);
    p_.Progress.SetAllRange(0, n);
    p_.Commands.SetBusyCursor(true);
    p_.Commands.SetStatusText(kStatusCalculating);

    QString failure;
    try {
        for (int i = 0; i < n; ++i) {
            const FileListEntry entry = p_.Files.Entry(i);
            if (entry.Status == kChecked) continue;
            currentFileNode_ = p_.Tree.AppendTop(entry.Caption);
            AddResultLines(entry.Path); // one read of the file for the CRC-32 and the digests
            p_.Files.SetStatus(i, kChecked);
            p_.Progress.StepAll();
        }
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
        if (failure.isNull()) failure = QStringLiteral("");
    }

    // The end of the run, also after a failure.
    p_.Commands.SetBusyCursor(false);
    calculating_ = false;
    p_.Progress.SetCurrentPosition(100);
    p_.Progress.SetAllPosition(p_.Progress.AllMaximum());
    p_.Commands.SetStatusText(kStatusDone);
    FormEnableY();
    p_.Commands.SetSaveMenuEnabled(true);
    p_.Commands.SetSaveToolBtnEnabled(true);
    p_.Progress.ShowProgressBox(false);
    CheckSameFile();
    if (!failure.isNull()) p_.Errors.ShowError(ErrorBoxText(failure));
}

} // namespace sumbrook::workflow
