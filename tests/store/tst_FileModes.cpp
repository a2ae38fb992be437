#include "print/PainterSurface.h"
#include "print/PdfFileTarget.h"
#include "store/Backup.h"
#include "store/Restore.h"
#include "store/Schema.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// The smallest file that reads as a whole PDF.
const QByteArray kPdf = "%PDF-1.4\nxref\n0 1\n0000000000 65535 f \ntrailer<<>>\nstartxref\n9\n%%EOF\n";
} // namespace

// Whatever the umask, customers' data is for its owner's eyes; the printed note
// is an ordinary document that the umask decides about.
class FileModesTest : public QObject {
    Q_OBJECT
private slots:
    void modes_data()
    {
        QTest::addColumn<int>("umask");
        QTest::addColumn<int>("pdfMode");
        QTest::newRow("common umask 022") << 022 << 0644;
        QTest::newRow("private umask 077") << 077 << 0600;
    }
    void modes()
    {
        QFETCH(int, umask);
        const mode_t previous = ::umask(mode_t(umask));
        auto restore = qScopeGuard([&] { ::umask(previous); });
        QTemporaryDir dir;
        const QString data = dir.filePath("share/QUILLON"), db = data + "/project.mdb";
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadGroup | QFile::ExeGroup));

        store::createDatabase(db);
        QCOMPARE(modeOf(dir.path()), 0750); // a folder that is there already keeps the mode its owner gave it
        QCOMPARE(modeOf(dir.filePath("share")), 0700);
        QCOMPARE(modeOf(data), 0700);
        QCOMPARE(modeOf(db), 0600);

        QCOMPARE(store::takeDailyBackup(db, QDate(2026, 12, 7)).outcome, store::DailyBackup::Outcome::Taken);
        QCOMPARE(modeOf(store::backupFolder(db)), 0700);
        QCOMPARE(modeOf(store::backupPath(db, QDate(2026, 12, 7))), 0600);

        // A backup put in place of a database an older program left open to
        // others: both the restored file and the one set aside are closed.
        QVERIFY(QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(store::backupPath(db, QDate(2026, 12, 7)),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        const QDateTime restoredAt(QDate(2026, 12, 8), QTime(9, 0));
        store::restoreBackup(db, store::backupPath(db, QDate(2026, 12, 7)), restoredAt);
        QCOMPARE(modeOf(db), 0600);
        QCOMPARE(modeOf(store::setAsidePath(db, restoredAt)), 0600);

        const QString note = dir.filePath("note.pdf");
        print::PdfFileTarget target(note, print::PainterSurface::kDocumentPermissions);
        QFile partial(target.partialPath());
        QVERIFY(partial.open(QIODevice::WriteOnly | QIODevice::Truncate) && partial.write(kPdf) == kPdf.size());
        partial.close();
        QVERIFY(target.commit());
        QTEST(modeOf(note), "pdfMode");
    }
};

QTEST_GUILESS_MAIN(FileModesTest)
#include "tst_FileModes.moc"
