// Find Customer at 10,000, 100,000 and 1,000,000 customers, through the main
// window and its dialog as a user drives them:
//  - how long the start-up took to fold the customers into the lines the
//    database keeps for Find (a file filled by another program: every row);
//  - Ctrl+F, which opens the dialog;
//  - Find Next to the next match a few lines on;
//  - Find Next with the text only the current line holds, so the whole list is
//    read and the search goes round to where it started;
//  - Find Next with a text no customer holds, and its message;
// beside a floor: the same whole-list search as QString::contains, ignoring
// case but not accents, over the lines already made QStrings.
//   bench_find [runs] [customer counts...]
#include "BenchSupport.h"

#include "app/AppWindows.h"
#include "app/Application.h"
#include "model/store/Schema.h"
#include "windows/people/FindDialog.h"
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace bench;

// Find Customer tells when nothing matches; here the message is only counted.
class CountedMessages final : public ui::MessageBoxService {
public:
    void show(QWidget*, const QString&, ui::MessageIcon, const QString&, ui::MessageButtons) override { ++shown; }
    bool ask(QWidget*, const QString&, ui::MessageIcon, const QString&) override { return false; }
    ui::Reply askOrOther(QWidget*, const QString&, ui::MessageIcon, const QString&, const QString&) override
    {
        return ui::Reply::No;
    }
    int shown = 0;
};

double timedMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void measure(int customers, int runs)
{
    QTemporaryDir dir;
    const Environment env = environmentIn(dir.path());
    QDir().mkpath(env.userDataFolder);
    const QString dbPath = env.userDataFolder + "/loans.mdb";
    store::createDatabase(dbPath);
    addPeople(dbPath, 10, customers);
    pointSettingsAt(env, dbPath);

    CountedMessages messages;
    NoFiles files;
    Application quillon(env, Services{&messages, &files, nullptr});
    if (!quillon.start()) {
        std::printf("%d customers: the program did not start\n", customers);
        return;
    }
    const double started = bench::monotonicMs();
    quillon.awaitLaterCheck();
    const double folded = bench::monotonicMs() - started;
    MainWindow* main = quillon.mainWindow();
    FindDialog* find = quillon.windows().findCustomer;
    auto* list = main->findChild<people::KeyedList*>("lstCust");
    auto* text = find->findChild<QLineEdit*>("txtFind");
    auto* findNext = find->findChild<QPushButton*>("cmdFindNext");
    settle();

    const double opened = timedMs([&] { emit main->findRequested(PeopleList::Customers); });
    settle();
    std::vector<double> near, round, none, floor;
    for (int run = 0; run < runs; ++run) {
        list->setCurrentRow(0);
        text->setText("business 1");
        near.push_back(timedMs([&] { findNext->click(); }));
        list->setCurrentRow(0);
        text->setText("business 0 llc");
        round.push_back(timedMs([&] { findNext->click(); }));
        text->setText("no such customer");
        none.push_back(timedMs([&] { findNext->click(); }));
    }
    QStringList lines;
    lines.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        lines << list->lineText(i);
    for (int run = 0; run < runs; ++run)
        floor.push_back(timedMs([&] {
            volatile bool found = std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
                return line.contains(QLatin1String("no such customer"), Qt::CaseInsensitive);
            });
            (void)found;
        }));

    std::printf("\n%d customers (medians of %d)\n", customers, runs);
    std::printf("  start-up's folding of every line  %8.2f ms (once)\n", folded);
    std::printf("  Ctrl+F, the dialog shown          %8.2f ms\n", opened);
    std::printf("  Find Next, a few lines on         %8.3f ms\n", median(near));
    std::printf("  Find Next, round the whole list   %8.2f ms\n", median(round));
    std::printf("  Find Next, no match, message      %8.2f ms   (%d messages)\n", median(none), messages.shown);
    std::printf("  floor: QString::contains, no accents folded %8.2f ms\n", median(floor));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    const QStringList args = qtApp.arguments();
    const auto [runs, sizes] = runsAndSizes(args, 7, {10000, 100000, 1000000});
    for (const int size : sizes)
        measure(size, runs);
    return 0;
}
