// Times what every start adds before the main window shows: the check of the
// database file (SQLite's quick check and the tables' columns) and, on the first
// start of a day, the backup copy; and the whole check of a later start, with
// the file as a clean end left it and without.
//
//   bench_file_checks [contracts, default 200000]

#include "BenchSupport.h"

#include "app/DatabaseCheck.h"
#include "model/store/Backup.h"
#include "model/store/CleanEnd.h"
#include "model/store/Connection.h"
#include "model/store/Schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 5;

void makeDatabase(const QString& path, int contracts)
{
    store::createDatabase(path);
    store::Connection connection(path);
    connection.transaction([&] {
        QSqlQuery insert = connection.prepare(QStringLiteral(
            "INSERT INTO Policies (DBA, Customer, Agent, Company, Run, PolicyNo1, Premium1, Financed,"
            " LoanAuthorization) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int n = 0; n < contracts; ++n) {
            const QVariant values[] = {QStringLiteral("Customer %1 Farms").arg(n % 10000),
                                       QStringLiteral("Owner %1").arg(n % 10000), QStringLiteral("Agent %1").arg(n % 50),
                                       QStringLiteral("Agency %1").arg(n % 50), QStringLiteral("2024-02-10T08:00:00"),
                                       QStringLiteral("POL-%1").arg(n), QStringLiteral("1500"),
                                       QStringLiteral("1234.56"), QStringLiteral("LA-%1").arg(n)};
            for (int i = 0; i < int(std::size(values)); ++i)
                insert.bindValue(i, values[i]);
            connection.run(insert);
        }
    });
}

template <typename Work>
double medianMs(Work&& work)
{
    std::vector<double> samples;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work(round);
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // One median for every benchmark: an even count gives the mean of the middle two.
    return bench::median(std::move(samples));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int contracts = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200'000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("project.mdb"));
    makeDatabase(path, contracts);
    const double check = medianMs([&](int) {
        if (checkDatabase(path).kind != DatabaseVerdict::Kind::Usable)
            std::printf("the file was found unusable\n");
    });
    const double copy = medianMs([&](int round) {
        store::copyDatabase(path, dir.filePath(QStringLiteral("copy-%1.mdb").arg(round)));
    });
    // A later start's check, the day's copy already taken: the file read back whole, and the file found
    // as the last clean end marked it.
    const QDate today = QDate::currentDate();
    store::takeDailyBackup(path, today);
    const double later = medianMs([&](int) { checkFileLater({path, today, store::takeCleanEndMark(path), {}}); });
    const double afterCleanEnd = medianMs([&](int) {
        store::markCleanEnd(path);
        checkFileLater({path, today, store::takeCleanEndMark(path), {}});
    });
    std::printf("%d contracts, file %.1f MB\n", contracts, double(QFileInfo(path).size()) / 1e6);
    std::printf("file check at start-up: median %.1f ms\n", check);
    std::printf("backup copy: median %.1f ms\n", copy);
    std::printf("later start's check: median %.1f ms; unchanged since a clean end: median %.1f ms\n", later,
                afterCleanEnd);
    return 0;
}
