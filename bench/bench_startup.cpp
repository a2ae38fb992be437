// How long the start-up takes on a large database (reading the settings until
// both lists are filled), and how long adding a customer with the dialog's OK
// takes (storing the row and refilling the list).
//   bench_startup [runs]
#include "BenchSupport.h"

#include "app/Application.h"
#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/Schema.h"
#include "windows/people/CustomerDialog.h"
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/MessageBoxService.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

using namespace bench;

constexpr int kAgents = 1000;
constexpr int kCustomers = 100000;

void fillDatabase(const QString& path)
{
    store::createDatabase(path);
    bench::addPeople(path, kAgents, kCustomers);
}

// Wall time and this thread's CPU time: on a machine shared with other work
// the CPU time shows what the program itself spends.
struct Sample {
    double wallMs;
    double cpuMs;
};

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class Stopwatch {
public:
    Stopwatch() : m_cpu(threadCpuMs()) { m_wall.start(); }
    Sample sample() const { return {m_wall.nsecsElapsed() / 1e6, threadCpuMs() - m_cpu}; }

private:
    QElapsedTimer m_wall;
    double m_cpu;
};

void report(const char* what, const std::vector<Sample>& samples)
{
    std::vector<double> wall, cpu;
    for (const Sample& s : samples) {
        wall.push_back(s.wallMs);
        cpu.push_back(s.cpuMs);
    }
    std::printf("%-34s median %7.1f ms wall (min %6.1f, max %6.1f), %7.1f ms CPU   (%zu runs)\n", what,
                median(wall), *std::min_element(wall.begin(), wall.end()),
                *std::max_element(wall.begin(), wall.end()), median(cpu), samples.size());
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 11;

    QTemporaryDir dir;
    Environment env;
    env.programFolder = dir.filePath("program");
    env.userConfigFolder = dir.filePath("config");
    env.userDataFolder = dir.filePath("data");
    env.pathStyle = PathStyle::Posix;
    QDir().mkpath(env.programFolder);
    QDir().mkpath(env.userDataFolder);
    const QString dbPath = dir.filePath("data/loans.mdb");
    QElapsedTimer made;
    made.start();
    fillDatabase(dbPath);
    std::printf("database of %d agents and %d customers made in %lld ms\n", kAgents, kCustomers,
                made.elapsed());
    pointSettingsAt(env, dbPath);

    NoMessages messages;
    NoFiles files;
    const Services services{&messages, &files, nullptr};

    std::vector<Sample> startUps;
    for (int run = 0; run < runs; ++run) {
        Application quillon(env, services);
        const Stopwatch watch;
        const bool started = quillon.startUp();
        startUps.push_back(watch.sample());
        auto* customers = quillon.mainWindow()->findChild<people::KeyedList*>("lstCust");
        if (!started || customers->count() < kCustomers) {
            std::fprintf(stderr, "start-up failed\n");
            return 1;
        }
    }

    std::vector<Sample> adds;
    Application quillon(env, services);
    quillon.startUp();
    CustomerDialog* dialog = quillon.windows().customerDialog;
    for (int run = 0; run < runs; ++run) {
        QTimer::singleShot(0, dialog, [&] {
            dialog->findChild<QLineEdit*>("txtDBA")->setText(QString("Bench Customer %1").arg(run));
            const Stopwatch watch;
            dialog->findChild<QPushButton*>("cmdOK")->click();
            adds.push_back(watch.sample());
        });
        dialog->showModal(false);
    }

    // The share of the store alone in both figures.
    std::vector<Sample> reads;
    for (int run = 0; run < runs; ++run) {
        const Stopwatch watch;
        const auto lines = store::customerTable(dbPath).readLines();
        reads.push_back(watch.sample());
    }

    report("start-up (settings to both lists)", startUps);
    report("add customer (store + refill)", adds);
    report("reading the customer lines", reads);
    return 0;
}
