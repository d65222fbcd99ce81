#pragma once

#include <QFileDialog>

#include <memory>

namespace sumbrook::ui {

// The open dialog of the add-files command: several files, every file shown.
std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* owner);

// The folder dialog of the add-folder command: folders only, starting at the
// desktop, without a button for making new folders.
std::unique_ptr<QFileDialog> MakeFolderDialog(QWidget* owner);

// The save dialog of the save command, proposing the path last saved to.
std::unique_ptr<QFileDialog> MakeSaveDialog(QWidget* owner, const QString& proposal);

// Each dialog above names files' types and icons by their names alone, never
// reading a file, and starts outside /proc, /sys and /dev.

} // namespace sumbrook::ui
