#include "model/store/Connection.h"
#include "model/store/CustomerTable.h"
#include "model/store/FoldedLines.h"
#include "model/store/ListKeys.h"
#include "model/store/ListLines.h"
#include "model/store/Schema.h"
#include "support/TestDatabase.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

enum class Searched { Kept, Pending, OlderFile };
using Reference = QList<QPair<qint64, QString>>;

std::string_view view(const QByteArray& bytes) { return {bytes.constData(), size_t(bytes.size())}; }

Reference contentsOf(const store::ListLines& lines)
{
    Reference rows;
    for (qsizetype i = 0; i < lines.size(); ++i)
        rows.append({lines.key(i), lines.text(i)});
    return rows;
}
} // namespace

Q_DECLARE_METATYPE(Searched)

class ListLinesTest : public QObject {
    Q_OBJECT
private slots:
    // Long runs of adds, rewrites (shorter, longer, empty, non-ASCII) and removals keep every line
    // where a plain list of texts has it, also after the buffer sheds the texts left behind; the keys
    // alone, kept in pieces, follow a plain list of keys through the same and keys put back.
    void followsAPlainList_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("startLines");
        QTest::addColumn<qint64>("keyGap"); // keys follow at most this far apart
        QTest::newRow("from an empty list") << 1 << 0 << qint64(3);
        QTest::newRow("from a few lines") << 2 << 5 << qint64(3);
        QTest::newRow("from many lines") << 3 << 3000 << qint64(3);
        QTest::newRow("from more lines than a piece of keys") << 4 << 12000 << qint64(3);
        QTest::newRow("keys one after another, as the store hands them out") << 7 << 12000 << qint64(1);
        QTest::newRow("keys further apart than two bytes span") << 6 << 3000 << qint64(40000);
        QTest::newRow("keys further apart than four bytes span") << 5 << 3000 << (qint64(1) << 33);
    }
    void followsAPlainList()
    {
        QFETCH(int, seed);
        QFETCH(int, startLines);
        QFETCH(qint64, keyGap);
        QRandomGenerator random{quint32(seed)};
        const auto someText = [&] {
            static const QStringList pieces{"", "Acme", " - ", "Grüße GmbH", "日本", QString(300, 'x'), "Lee Farms LLC"};
            return pieces[random.bounded(int(pieces.size()))] + QString::number(random.bounded(1000));
        };
        store::ListLines lines;
        store::ListKeys keys;
        QList<qint64> keyReference, removed;
        const auto keyPlace = [&](qint64 key) { return std::lower_bound(keyReference.begin(), keyReference.end(), key); };
        Reference reference;
        qint64 nextKey = 1;
        const auto add = [&] {
            const QString text = someText();
            lines.append(nextKey, view(text.toUtf8()));
            keys.append(nextKey);
            keyReference.append(nextKey);
            reference.append({nextKey, text});
            nextKey += 1 + random.bounded(keyGap);
        };
        for (int i = 0; i < startLines; ++i)
            add();
        lines.trim();
        for (int step = 0; step < 20000; ++step) {
            const int choice = random.bounded(4);
            if (choice == 3 && !removed.isEmpty()) {
                const qint64 back = removed.takeAt(random.bounded(int(removed.size())));
                QVERIFY(keys.insert(back));
                keyReference.insert(keyPlace(back), back);
            } else if (choice == 0 || choice == 3 || reference.isEmpty()) {
                add();
            } else {
                const int at = random.bounded(int(reference.size()));
                QCOMPARE(lines.positionOf(reference[at].first), std::optional<qsizetype>(at));
                if (choice == 1) {
                    const QString text = random.bounded(4) == 0 ? QString() : someText();
                    lines.replace(at, view(text.toUtf8()));
                    reference[at].second = text;
                } else {
                    const qint64 key = reference.takeAt(at).first;
                    lines.remove(at);
                    const qsizetype keyAt = keyPlace(key) - keyReference.begin();
                    QCOMPARE(keys.positionOf(key), std::optional<qsizetype>(keyAt));
                    keys.remove(keyAt);
                    keyReference.removeAt(keyAt);
                    removed.append(key);
                }
            }
        }
        QCOMPARE(contentsOf(lines), reference);
        QCOMPARE(keys.size(), keyReference.size());
        for (qsizetype i = 0; i < keys.size(); ++i)
            QCOMPARE(keys.at(i), keyReference[i]);
        QCOMPARE(lines.positionOf(nextKey), std::nullopt);
        QCOMPARE(lines.positionOf(0), std::nullopt);
        // A key taken out is not found at the position of the line after it.
        for (const qint64 key : removed)
            QCOMPARE(keys.positionOf(key), std::nullopt);
    }

    // Find Customer over a list: the next line after the current one, going round, whose text
    // holds what was typed whatever its letter case, accents or compatibility forms. Alike over the
    // kept folded lines, over rows not yet folded in, and over an older database that keeps none.
    void findNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("found"); // -1: none
        QTest::addColumn<Searched>("searched");
        const QList<std::tuple<const char*, QString, int, int>> cases{
            {"letter case, from the top", "acme", -1, 0},
            {"the next one after the current", "ACME", 0, 7},
            {"round past the last line", "acme", 7, 0},
            {"only the current line holds it", "hauling", 0, 0},
            {"accents in the line", "cafe manana", -1, 1},
            {"accents typed, capitals listed", "Zürich", 3, 2},
            {"sharp s as ss", "GRUSSE", -1, 3},
            {"letters with strokes", "lodz", -1, 4},
            {"Japanese", "商事", -1, 6},
            {"ligature", "fine", -1, 8},
            {"outside the basic plane", "🚚", 0, 10},
            {"two letters", "gm", 4, 3},
            {"never across two lines", "hauling café", -1, -1},
            {"every three letters, not the text", "ananan", -1, -1},
            {"no line holds it", "xyz", 4, -1},
            {"nothing typed", "", -1, -1}};
        const QList<std::pair<const char*, Searched>> searches{{"kept lines", Searched::Kept},
                                                               {"rows not folded yet", Searched::Pending},
                                                               {"older file", Searched::OlderFile}};
        for (const auto& [name, text, after, found] : cases)
            for (const auto& [where, searched] : searches)
                QTest::addRow("%s, %s", name, where) << text << after << found << searched;
    }
    void findNext()
    {
        QFETCH(QString, text);
        QFETCH(int, after);
        QFETCH(int, found);
        QFETCH(Searched, searched);
        const QStringList texts{"Acme Hauling", "Café Mañana", "ZÜRICH VERSICHERUNG", "Grüße GmbH", "Łódź Trading",
                                "Ørsted Farms", "日本商事", "Acme Feed & Seed", "ﬁne Foods", "Ἀθηνᾶ Ltd",
                                "Fast 🚚 Freight"};
        QTemporaryDir dir;
        const store::Place place = testdb::freshDatabase(dir.filePath("project.mdb"));
        const store::PeopleTable customers = store::customerTable(place);
        for (const QString& dba : texts)
            customers.insert({"", dba});
        {
            store::Connection connection(place);
            const QStringList older = testdb::onServer()
                ? QStringList{"TRIGGER AgentFoldPending ON Agent", "TRIGGER CustomerFoldPending ON Customer",
                              "FUNCTION NoteFoldPending", "TABLE FoldPending", "TABLE CustomerFolded", "TABLE AgentFolded"}
                : QStringList{"TRIGGER CustomerInsertFolded", "TRIGGER CustomerUpdateFolded", "TRIGGER CustomerDeleteFolded",
                              "TRIGGER AgentInsertFolded", "TRIGGER AgentUpdateFolded", "TRIGGER AgentDeleteFolded",
                              "TABLE FoldPending", "TABLE CustomerFolded", "TABLE AgentFolded"};
            if (searched == Searched::OlderFile)
                for (const QString& gone : older)
                    connection.runUnprepared("DROP " + gone);
            else
                store::ensureFoldedLines(connection);
        }
        const auto next = store::nextLineContaining(customers, text, after < 0 ? std::nullopt : std::optional(after + 1),
                                                    searched == Searched::Kept);
        QCOMPARE(next.value_or(0) - 1, qint64(found));
    }
};

QTEST_GUILESS_MAIN(ListLinesTest)
#include "tst_ListLines.moc"
