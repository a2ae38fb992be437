#include "store/RowStatement.h"

#include <QTest>

class RowStatementTest : public QObject {
    Q_OBJECT

private slots:
    void insertNamesOnlyColumnsWithText_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("every column filled")
            << QStringList{"a", "b", "c"} << "INSERT INTO T (A, B, C) VALUES (?, ?, ?)" << QVariantList{"a", "b", "c"};
        QTest::newRow("empty middle column stays out")
            << QStringList{"a", "", "c"} << "INSERT INTO T (A, C) VALUES (?, ?)" << QVariantList{"a", "c"};
        QTest::newRow("no text at all still inserts a row")
            << QStringList{"", "", ""} << "INSERT INTO T DEFAULT VALUES" << QVariantList{};
        QTest::newRow("fewer texts than columns")
            << QStringList{"a"} << "INSERT INTO T (A) VALUES (?)" << QVariantList{"a"};
        QTest::newRow("quote in a value is bound, not pasted")
            << QStringList{"O'Hara'); DROP TABLE T; --"} << "INSERT INTO T (A) VALUES (?)"
            << QVariantList{"O'Hara'); DROP TABLE T; --"};
    }

    void insertNamesOnlyColumnsWithText()
    {
        QFETCH(QStringList, texts);
        const store::BoundStatement statement = store::insertStatement("T", {"A", "B", "C"}, texts);
        QTEST(statement.sql, "sql");
        QTEST(QVariantList(statement.values.begin(), statement.values.end()), "values");
    }

    void updateWritesOnlyColumnsWithText_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("two of three, key bound last")
            << QStringList{"a", "", "c"} << "UPDATE T SET A = ?, C = ? WHERE RowKey = ?"
            << QVariantList{"a", "c", qint64(7)};
        QTest::newRow("nothing to write gives no statement") << QStringList{"", "", ""} << QString() << QVariantList{};
    }

    void updateWritesOnlyColumnsWithText()
    {
        QFETCH(QStringList, texts);
        const store::BoundStatement statement = store::updateStatement("T", {"A", "B", "C"}, texts, "RowKey", 7);
        QTEST(statement.sql, "sql");
        QTEST(QVariantList(statement.values.begin(), statement.values.end()), "values");
    }
};

QTEST_GUILESS_MAIN(RowStatementTest)
#include "tst_RowStatement.moc"
