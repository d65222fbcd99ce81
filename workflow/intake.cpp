#include "workflow/intake.h"

#include "platform/file_kind.h"
#include "platform/folder_listing.h"
#include "platform/program_search.h"
#include "workflow/calculation_run.h"
#include "workflow/file_naming.h"
#include "workflow/marking.h"
#include "workflow/results.h"
#include "workflow/texts.h"

namespace sumbrook::workflow {

void Intake::AppendEntry(const QString& path, std::uint64_t size)
{
    // The name is shown; the path stays the bytes the file is opened by.
    p_.Files.Append(FileListEntry{ShownText(FileNameOf(path)), kPending, SizeText(size), path, -1, 0});
}

void Intake::FinishIntake()
{
    if (p_.Files.Count() == 0) return;
    // During a run the commands stay off: the run turns them on when it ends.
    if (!run_.Running()) FormEnableY(p_.Commands);
    Getlistico();
    p_.Commands.SetStatusText(CountText(p_.Files.Count()));
}

void Intake::AddFiles()
{
    if (const auto files = p_.Dialogs.OpenFiles())
        for (const QString& path : *files) AppendEntry(path, platform::QueryFileSize(NativePath(path)));
    FinishIntake();
}

void Intake::AddFolder()
{
    if (const auto folder = p_.Dialogs.ChooseFolder(); folder && !folder->isEmpty()) AddFolderFiles(*folder);
    FinishIntake();
}

void Intake::AddFolderFiles(const QString& path)
{
    QString dir = path;
    if (dir.endsWith(kFolderSeparator)) dir.chop(1); // the root "/" gives "" and so paths "/name"
    const auto entries = platform::ListFolder(NativePath(path));
    if (!entries) return;
    for (const auto& entry : *entries) {
        // Sub-folders are not entered; pipes, sockets and devices are no files
        // to check. An entry whose type cannot be read may be a file: it is
        // listed, and the run shows it could not be read.
        using Kind = decltype(entry.Kind);
        if (entry.Kind != Kind::RegularFile && entry.Kind != Kind::Unknown) continue;
        AppendEntry(dir + kFolderSeparator + PathFromNative(entry.Name), entry.Size);
    }
}

void Intake::Drop(const QStringList& names)
{
    for (const QString& name : names) {
        if (platform::FolderExists(NativePath(name)))
            AddFolderFiles(name);
        else
            AppendEntry(name, platform::QueryFileSize(NativePath(name)));
    }
    FinishIntake();
}

void Intake::DeleteSelected()
{
    if (const auto selected = p_.Files.Selected()) {
        p_.Files.Remove(*selected);
        p_.Tree.Clear();
    }
    ResetCheckStatus();
    CheckSameFile(p_.Files, p_.Tree);
    // The count follows the list, down to an empty one.
    p_.Commands.SetStatusText(p_.Files.Count() > 0 ? CountText(p_.Files.Count()) : kStatusReady);
}

void Intake::ClearList()
{
    p_.Files.Clear();
    p_.Tree.Clear();
    p_.Progress.SetCurrentPosition(0);
    p_.Progress.SetAllPosition(0);
    p_.Commands.SetStatusText(kStatusReady);
    p_.Commands.SetSaveToolBtnEnabled(false);
}

void Intake::Getlistico()
{
    for (int i = 0; i < p_.Files.Count(); ++i) {
        const QString path = p_.Files.Entry(i).Path;
        if (platform::FileExists(NativePath(path))) {
            p_.Files.SetImageIndex(i, p_.Icons.IconIndex(path));
            continue;
        }
        const QString name = Getname(path);
        if (platform::FileExists(NativePath(name))) {
            p_.Files.SetImageIndex(i, p_.Icons.IconIndex(name));
            continue;
        }
        if (const auto found = platform::SearchProgramPath(NativePath(name)))
            p_.Files.SetImageIndex(i, p_.Icons.IconIndex(PathFromNative(*found)));
    }
}

void Intake::ResetCheckStatus()
{
    for (int i = 0; i < p_.Files.Count(); ++i) p_.Files.SetStatus(i, kPending);
    p_.Tree.Clear();
}

} // namespace sumbrook::workflow
