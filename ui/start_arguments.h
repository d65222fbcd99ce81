#pragma once

// The window's command line: `sumbrook [PATH...]` or `sumbrook --verify
// [FILE]`. Paths named there are added as a drop adds them, once the window
// is shown.

#include <QString>
#include <QStringList>

#include <span>

namespace sumbrook::ui {

class TSumbrookForm;

struct TStartArguments {
    QStringList Paths;   // absolute, in the order named, each as its own bytes
    bool Verify = false; // --verify: check a checksum file
    QString VerifyFile;  // the checksum file after --verify, absolute; empty: ask for one
    QString Error;       // what was wrong with the command line; empty when nothing
};

// Reads the arguments that Qt has left (the program name first). "--" ends
// the options; a name after it may start with "-".
TStartArguments ReadStartArguments(std::span<char* const> arguments);

// Adds the paths to the form's list through its drop handler; nothing when
// there are none.
void OpenStartPaths(TSumbrookForm& form, const QStringList& paths);

} // namespace sumbrook::ui
