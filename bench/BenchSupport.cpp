#include "BenchSupport.h"

#include "model/settings/ProfileFile.h"
#include "model/store/Connection.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QEvent>
#include <QFile>

#include <malloc.h>
#include <sqlite3.h>
#include <QProcess>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace bench {

void NoMessages::show(QWidget*, const QString& text, ui::MessageIcon, const QString&, ui::MessageButtons)
{
    std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
}

QList<QList<QByteArray>> runTimedChild(const QStringList& arguments, const QString& program)
{
    QProcess child;
    child.start(program.isEmpty() ? QCoreApplication::applicationFilePath() : program,
                arguments + QStringList{QString::number(monotonicMs(), 'f', 3)});
    child.waitForFinished(-1);
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "child %s failed: %s\n", qPrintable(arguments.join(' ')),
                     child.readAllStandardError().constData());
        return {};
    }
    QList<QList<QByteArray>> lines;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed().split(' ');
    return lines;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long residentKb()
{
    // Where the memory lies, mapping by mapping, for a look afterwards.
    const QString smaps = qEnvironmentVariable("QUILLON_BENCH_SMAPS");
    if (!smaps.isEmpty()) {
        QFile from("/proc/self/smaps"), to(smaps);
        if (from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly | QIODevice::Truncate))
            to.write(from.readAll());
        const struct mallinfo2 heap = mallinfo2();
        to.write(QByteArray("# malloc in use ") + QByteArray::number(qulonglong(heap.uordblks / 1024)) + " kB, free "
                 + QByteArray::number(qulonglong(heap.fordblks / 1024)) + " kB, mmapped "
                 + QByteArray::number(qulonglong(heap.hblkhd / 1024)) + " kB, of which SQLite's "
                 + QByteArray::number(qulonglong(sqlite3_memory_used() / 1024)) + " kB\n");
    }
    return vmRssKb();
}

RunsAndSizes runsAndSizes(const QStringList& arguments, int defaultRuns, const QList<int>& defaultSizes)
{
    RunsAndSizes chosen{arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : defaultRuns, {}};
    for (qsizetype i = 2; i < arguments.size(); ++i)
        chosen.sizes << arguments[i].toInt();
    if (chosen.sizes.isEmpty())
        chosen.sizes = defaultSizes;
    return chosen;
}

QString loadAverage()
{
    QFile averages("/proc/loadavg");
    if (!averages.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(averages.readAll()).section(QLatin1Char(' '), 0, 2);
}

Environment environmentIn(const QString& folder)
{
    Environment env;
    env.programFolder = folder + "/program";
    env.userConfigFolder = folder + "/config";
    env.userDataFolder = folder + "/data";
    env.pathStyle = PathStyle::Posix;
    return env;
}

void pointSettingsAt(const Environment& env, const store::Place& place)
{
    QDir().mkpath(env.programFolder);
    const QString ini = env.programFolder + "/tly2.ini";
    if (place.isServer()) {
        profile::writeString(ini, "server", "host", place.server.host);
        profile::writeString(ini, "server", "port", place.server.port);
        profile::writeString(ini, "server", "dbname", place.server.dbname);
        profile::writeString(ini, "server", "user", place.server.user);
    } else {
        profile::writeString(ini, "file", "dbdrive", "");
        profile::writeString(ini, "file", "dbdir", QFileInfo(place.filePath).absolutePath() + "/");
        profile::writeString(ini, "file", "dbname", QFileInfo(place.filePath).fileName());
    }
}

void addPeople(const store::Place& place, int agents, int customers)
{
    store::Connection connection(place);
    connection.transaction([&] {
        QSqlQuery agent = connection.prepare(
            "INSERT INTO Agent (Name, Company, Address1, City, State, Zip, Phone) VALUES (?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < agents; ++i) {
            const QList<QVariant> values{QString("Agent %1").arg(i), QString("Agency %1").arg(i % 97),
                                         QString("%1 Main Street").arg(i), "Springfield", "IL", "62701",
                                         "(217) 555-0100"};
            for (int v = 0; v < values.size(); ++v)
                agent.bindValue(v, values[v]);
            connection.run(agent);
        }
        QSqlQuery customer = connection.prepare(
            "INSERT INTO Customer (Name, DBA, Address1, City, State, Zip, Phone) VALUES (?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < customers; ++i) {
            const QList<QVariant> values{QString("Customer %1").arg(i), QString("Business %1 LLC").arg(i),
                                         QString("%1 Oak Avenue").arg(i), "Decatur", "IL", "62521",
                                         "(217) 555-0199"};
            for (int v = 0; v < values.size(); ++v)
                customer.bindValue(v, values[v]);
            connection.run(customer);
        }
    });
}

} // namespace bench
