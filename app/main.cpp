// Sumbrook: collect files, pick algorithms, compute, compare, save.

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <span>

#include "ui/SumbrookMain.h"
#include "ui/qt_translations.h"
#include "ui/start_arguments.h"
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

    // QApplication has taken its own options out of argv.
    const sumbrook::ui::TStartArguments arguments =
        sumbrook::ui::ReadStartArguments(std::span<char* const>(argv, static_cast<std::size_t>(argc)));
    if (!arguments.Error.isEmpty()) {
        std::fprintf(stderr, "sumbrook: %s\nUsage: sumbrook [PATH...]\n       sumbrook --verify [FILE]\n",
                     arguments.Error.toLocal8Bit().constData());
        return 2;
    }

    sumbrook::ui::TSumbrookForm form;
    QApplication::setWindowIcon(form.windowIcon());
    const QRect screen = form.screen()->availableGeometry();
    form.move(screen.center() - form.rect().center());
    form.show();
    if (arguments.Verify) {
        // "sumbrook --verify [FILE]": a checksum file's entries checked at once, beside the window.
        if (arguments.VerifyFile.isEmpty())
            form.VerifyFileMenuClick();
        else
            form.VerifyChecksumFile(arguments.VerifyFile);
    }
    // Paths from the command line (the file manager's "Open with") arrive as
    // a drop once the loop runs, so the window is on screen while a large
    // folder is listed.
    QTimer::singleShot(0, &form, [&form, &arguments] { sumbrook::ui::OpenStartPaths(form, arguments.Paths); });
    QApplication::exec();
    return 0;
}
