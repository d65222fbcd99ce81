// Sumbrook: collect files, pick algorithms, compute, compare, save.

#include <QApplication>
#include <QScreen>

#include "ui/SumbrookMain.h"
#include "ui/qt_translations.h"
#include "ui/tooltips.h"
#include "platform/process_setup.h"
#include "sumbrook_version.h"

int main(int argc, char** argv)
{
    // A size limit or a signal during a save must leave the previous result file whole.
    sumbrook::platform::PrepareProcessSignals();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sumbrook"));
    QApplication::setApplicationVersion(QStringLiteral(SUMBROOK_VERSION));
    // Lets the desktop (on Wayland, the compositor) match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.sumbrook.Sumbrook"));
    sumbrook::ui::InstallQtTranslations(app);
    sumbrook::ui::InstallToolTipTiming();

    sumbrook::ui::TSumbrookForm form;
    QApplication::setWindowIcon(form.windowIcon());
    const QRect screen = form.screen()->availableGeometry();
    form.move(screen.center() - form.rect().center());
    form.show();
    // "sumbrook --verify [FILE]": a checksum file's entries checked at once, beside the window.
    const QStringList arguments = QApplication::arguments();
    if (const qsizetype verify = arguments.indexOf(QStringLiteral("--verify")); verify > 0) {
        if (verify + 1 < arguments.size())
            form.VerifyChecksumFile(arguments.at(verify + 1));
        else
            form.VerifyFileMenuClick();
    }
    QApplication::exec();
    return 0;
}
