#include "store/ListLines.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
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

class ListLinesTest : public QObject {
    Q_OBJECT
private slots:
    // Long runs of adds, rewrites (shorter, longer, empty, non-ASCII) and removals keep every line
    // where a plain list of texts has it, also after the buffer sheds the texts left behind.
    void followsAPlainList_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("startLines");
        QTest::newRow("from an empty list") << 1 << 0;
        QTest::newRow("from a few lines") << 2 << 5;
        QTest::newRow("from many lines") << 3 << 3000;
    }
    void followsAPlainList()
    {
        QFETCH(int, seed);
        QFETCH(int, startLines);
        QRandomGenerator random{quint32(seed)};
        const auto someText = [&] {
            static const QStringList pieces{"", "Acme", " - ", "Grüße GmbH", "日本", QString(300, 'x'), "Lee Farms LLC"};
            return pieces[random.bounded(int(pieces.size()))] + QString::number(random.bounded(1000));
        };
        store::ListLines lines;
        Reference reference;
        qint64 nextKey = 1;
        const auto add = [&] {
            const QString text = someText();
            lines.append(nextKey, view(text.toUtf8()));
            reference.append({nextKey, text});
            nextKey += 1 + random.bounded(3);
        };
        for (int i = 0; i < startLines; ++i)
            add();
        lines.trim();
        for (int step = 0; step < 20000; ++step) {
            const int choice = random.bounded(3);
            if (choice == 0 || reference.isEmpty()) {
                add();
            } else {
                const int at = random.bounded(int(reference.size()));
                QCOMPARE(lines.positionOf(reference[at].first), std::optional<qsizetype>(at));
                if (choice == 1) {
                    const QString text = random.bounded(4) == 0 ? QString() : someText();
                    lines.replace(at, view(text.toUtf8()));
                    reference[at].second = text;
                } else {
                    lines.remove(at);
                    reference.removeAt(at);
                }
            }
        }
        QCOMPARE(contentsOf(lines), reference);
        QCOMPARE(lines.positionOf(nextKey), std::nullopt);
        QCOMPARE(lines.positionOf(0), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(ListLinesTest)
#include "tst_ListLines.moc"
