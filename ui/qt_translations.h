#pragma once

class QCoreApplication;

namespace sumbrook::ui {

// Makes Qt's own dialogs and buttons speak Simplified Chinese, as the window
// does, whatever the locale. Where Qt's translations are not installed they
// stay in English; false tells so.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace sumbrook::ui
