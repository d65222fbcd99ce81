// A whole calculation run in the window over N small files, with the
// algorithms selected at start (SHA-1 and MD5), under whatever Qt platform
// is set (offscreen without a display). Only the run is timed: from
// CalculateMenuClick until it has finished.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>

#include <map>
#include <memory>

#include "ui/SumbrookMain.h"

namespace {

// One folder of N files of a few bytes each, made once per N; or the
// folder SUMBROOK_BENCH_FOLDER names, which must hold N files.
QString Folder(int files)
{
    if (const QString given = qEnvironmentVariable("SUMBROOK_BENCH_FOLDER"); !given.isEmpty()) return given;
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& dir = folders[files];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < files; ++i) {
            QFile file(dir->filePath(QStringLiteral("file%1.txt").arg(i, 6, 10, QLatin1Char('0'))));
            if (file.open(QIODevice::WriteOnly)) file.write(QByteArray::number(i % 1000));
        }
    }
    return dir->path();
}

// Starts a run and handles the window's events until it has finished.
void Calculate(sumbrook::ui::TSumbrookForm& form)
{
    QEventLoop loop;
    QObject::connect(&form.Calculation(), &sumbrook::workflow::CalculationRun::Finished, &loop, &QEventLoop::quit);
    form.CalculateMenuClick();
    if (form.Calculation().Running()) loop.exec();
}

void WindowRun(benchmark::State& state)
{
    const int files = static_cast<int>(state.range(0));
    const QString folder = Folder(files);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<sumbrook::ui::TSumbrookForm>();
        form->show();
        form->WMDropFiles({folder});
        QCoreApplication::processEvents();
        state.ResumeTiming();

        Calculate(*form);

        state.PauseTiming();
        if (form->ResultTreeView->TopCount() != files) state.SkipWithError("not every file got its node");
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(files) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}

BENCHMARK(WindowRun)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(100000)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// How long the window's thread goes without handling an event while a run
// reads a 2 GiB (sparse) file: a 1 ms timer notes the longest gap between
// two of its ticks. Also the process's peak memory, which must not follow
// the file's size.
void WindowGapDuringLargeFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.bin"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64{2} << 30)) state.SkipWithError("no sparse file");
    }
    double longest = 0;
    for (auto _ : state) {
        auto form = std::make_unique<sumbrook::ui::TSumbrookForm>();
        form->show();
        form->WMDropFiles({path});
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        qint64 last = -1;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            if (last >= 0) longest = std::max(longest, static_cast<double>(now - last) / 1e6);
            last = now;
        });
        ticker.start(1);
        clock.start();
        Calculate(*form);
        ticker.stop();
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["longest_gap_ms"] = longest;
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(WindowGapDuringLargeFile)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
