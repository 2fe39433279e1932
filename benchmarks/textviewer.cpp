// Opening a long report in the built-in viewer: a 26 MB file of report lines
// (a degree sign and an Arabic place name in each, CR LF ended), offscreen.
// - FirstPage: from the call until the window is shown with its first page.
// - WholeFileInSteps: until the whole file is in, the event loop turning
//   meanwhile; the counters longest_turn_ms and longest_turn_cpu_ms are the
//   longest the window was kept from its events (what a user would feel as a
//   freeze), by the clock and in the thread's processor time (the clock also
//   counts what other processes of a busy machine took).
// - OneBlockOfText: the whole text put into the window at once, the way that
//   froze the window, for comparison.
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include "platform/filewriter.h"
#include "platform/qt/textviewer.h"
#include "yearbench.h"

namespace {

constexpr std::size_t kReportBytes = 26u * 1000 * 1000;

const std::filesystem::path& reportFile()
{
    static const std::filesystem::path file = [] {
        const std::filesystem::path& folder = yearbench::temporaryProgramFolder();
        const std::string line = "  1  Sat 01/01/2027  05:21  06:50  11:58  14:50  17:07  18:27"
                                 "   \xd9\x85\xd9\x83\xd8\xa9  21.4 \xc2\xb0"
                                 "C  ----  ----\r\n";
        std::string text;
        text.reserve(kReportBytes + line.size());
        while (text.size() < kReportBytes)
            text += line;
        const std::filesystem::path path = folder / "results.out";
        std::string error;
        if (!platform::fileWriter().replaceFile(path, text, error))
            std::abort();
        return path;
    }();
    return file;
}

void closeViewer()
{
    if (platform::TextViewer* viewer = platform::textViewerOf(reportFile()))
        viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Processor time of this thread, in milliseconds.
double threadMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void FirstPage(benchmark::State& state)
{
    reportFile();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        platform::showTextFile(reportFile());
        QCoreApplication::processEvents();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        closeViewer();
    }
}
BENCHMARK(FirstPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void WholeFileInSteps(benchmark::State& state)
{
    reportFile();
    double longest = 0, longestCpu = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QElapsedTimer turn;
        turn.start();
        double cpu = threadMilliseconds();
        platform::showTextFile(reportFile());
        QCoreApplication::processEvents();
        longest = std::max(longest, turn.nsecsElapsed() / 1e6);
        longestCpu = std::max(longestCpu, threadMilliseconds() - cpu);
        platform::TextViewer* viewer = platform::textViewerOf(reportFile());
        while (viewer->isLoading()) {
            turn.restart();
            cpu = threadMilliseconds();
            QCoreApplication::processEvents();
            longest = std::max(longest, turn.nsecsElapsed() / 1e6);
            longestCpu = std::max(longestCpu, threadMilliseconds() - cpu);
        }
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        closeViewer();
    }
    state.counters["longest_turn_ms"] = longest;
    state.counters["longest_turn_cpu_ms"] = longestCpu;
}
BENCHMARK(WholeFileInSteps)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void OneBlockOfText(benchmark::State& state)
{
    reportFile();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const platform::TextFileView view = platform::textFileView(reportFile());
        QPlainTextEdit edit;
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setPlainText(view.text);
        edit.showMaximized();
        QCoreApplication::processEvents();
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(OneBlockOfText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
