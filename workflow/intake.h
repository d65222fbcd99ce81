#pragma once

// The file list: files entering it through the open dialog, a folder and
// drops, and leaving it through the two delete commands; each entry's icon;
// the count text; the return of every entry to pending.

#include <QString>
#include <QStringList>

#include <cstdint>

#include "workflow/ports.h"

namespace sumbrook::workflow {

class CalculationRun;
class Results;

class Intake {
public:
    struct Ports {
        FileListPort& Files;
        Results& Tree;
        ProgressPort& Progress;
        CommandPort& Commands;
        DialogPort& Dialogs;
        IconPort& Icons;
    };
    // Run: while it goes on, an intake leaves the commands off.
    Intake(const Ports& ports, const CalculationRun& run) : p_(ports), run_(run) {}

    void AddFiles();                     // the open dialog's files
    void AddFolder();                    // the files of the folder chosen
    void Drop(const QStringList& names); // files, and the files of folders
    void AddFolderFiles(const QString& path);
    void DeleteSelected();
    void ClearList();
    void Getlistico();
    // Every entry back to pending, the results tree emptied.
    void ResetCheckStatus();

private:
    void AppendEntry(const QString& path, std::uint64_t size);
    void FinishIntake();

    Ports p_;
    const CalculationRun& run_;
};

} // namespace sumbrook::workflow
