#include "store/RowStatement.h"

#include <QTest>

// A row's statement names only the columns that hold text, so an empty field stays NULL; its values
// are bound, never pasted into the text.
class RowStatementTest : public QObject {
    Q_OBJECT
private slots:
    void onlyColumnsWithText_data()
    {
        QTest::addColumn<bool>("update"); // of the row with key 7, else a new row
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("empty middle column stays out")
            << false << QStringList{"a", "", "c"} << "INSERT INTO T (A, C) VALUES (?, ?)" << QVariantList{"a", "c"};
        QTest::newRow("no text at all still inserts a row")
            << false << QStringList{"", "", ""} << "INSERT INTO T DEFAULT VALUES" << QVariantList{};
        QTest::newRow("fewer texts than columns") << false << QStringList{"a"} << "INSERT INTO T (A) VALUES (?)" << QVariantList{"a"};
        QTest::newRow("quote in a value") << false << QStringList{"O'Hara'); DROP TABLE T; --"}
                                          << "INSERT INTO T (A) VALUES (?)" << QVariantList{"O'Hara'); DROP TABLE T; --"};
        QTest::newRow("update of two of three, key bound last") << true << QStringList{"a", "", "c"}
            << "UPDATE T SET A = ?, C = ? WHERE RowKey = ?" << QVariantList{"a", "c", qint64(7)};
        QTest::newRow("update with nothing to write") << true << QStringList{"", "", ""} << QString() << QVariantList{};
    }
    void onlyColumnsWithText()
    {
        QFETCH(bool, update);
        QFETCH(QStringList, texts);
        const QStringList columns{"A", "B", "C"};
        const store::BoundStatement statement = update ? store::updateStatement("T", columns, texts, "RowKey", 7)
                                                       : store::insertStatement("T", columns, texts);
        QTEST(statement.sql, "sql");
        QTEST(QVariantList(statement.values.begin(), statement.values.end()), "values");
    }
};

QTEST_GUILESS_MAIN(RowStatementTest)
#include "tst_RowStatement.moc"
