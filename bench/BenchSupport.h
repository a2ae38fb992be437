#pragma once

// What the benchmark programs share: a program run without anyone to answer,
// clocks and medians, and databases filled with agents and customers.

#include "PaintWatch.h"
#include "model/session/Environment.h"
#include "model/store/Place.h"
#include "windows/ui/FileDialogService.h"
#include "windows/ui/MessageBoxService.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace bench {

// Nothing in a sound run asks the user anything; if something does, say so.
class NoMessages final : public ui::MessageBoxService {
public:
    void show(QWidget*, const QString& text, ui::MessageIcon, const QString&, ui::MessageButtons) override;
    bool ask(QWidget* parent, const QString& text, ui::MessageIcon icon, const QString& title) override
    {
        show(parent, text, icon, title, ui::MessageButtons::YesNo);
        return false;
    }
    ui::Reply askOrOther(QWidget* parent, const QString& text, ui::MessageIcon icon, const QString& title,
                         const QString&) override
    {
        show(parent, text, icon, title, ui::MessageButtons::YesNoOther);
        return ui::Reply::No;
    }
};

class NoFiles final : public ui::FileDialogService {
public:
    QString getOpenFileName(QWidget*, const ui::OpenFileRequest&) override { return {}; }
    QString getSaveFileName(QWidget*, const ui::OpenFileRequest&) override { return {}; }
};

// Runs this benchmark (or another program beside it) again as a child with
// `arguments` and the monotonic clock's reading last, so the child times its
// start from the launch; waits for it and returns each line it printed, split
// into words. A child that fails is reported with what it wrote to its error
// output, and gives nothing.
QList<QList<QByteArray>> runTimedChild(const QStringList& arguments, const QString& program = {});
double median(std::vector<double> values);
// The process's resident memory; with QUILLON_BENCH_SMAPS set, where it lies is
// written to that file.
long residentKb();
// A benchmark's command line: how many runs (the first argument, at least
// 1) and the sizes to measure (the others), each defaulting as given.
struct RunsAndSizes {
    int runs;
    QList<int> sizes;
};
RunsAndSizes runsAndSizes(const QStringList& arguments, int defaultRuns, const QList<int>& defaultSizes);

// The machine's load averages over 1, 5 and 15 minutes, as the kernel gives them.
QString loadAverage();

// A run of the program with every folder inside folder.
Environment environmentIn(const QString& folder);

// Writes the settings file of a run in env's program folder so that it opens
// the database at place: the file's folder and name, or the server's keys.
void pointSettingsAt(const Environment& env, const store::Place& place);

// Agents and customers with every list column filled, added in one transaction
// to a database that has the schema.
void addPeople(const store::Place& place, int agents, int customers);

} // namespace bench
