#include "support/NoteSamples.h"
#include "support/RecordingSurface.h"

#include <QtTest>

// Both pages of the note on a recording surface: each value in its box, with its "$" sign, and
// nothing of what is not ticked.
class NotePagesTest : public QObject {
    Q_OBJECT
private slots:
    void valuesInTheirPlaces_data();
    void valuesInTheirPlaces();
};

void NotePagesTest::valuesInTheirPlaces_data()
{
    QTest::addColumn<bool>("personal"); // also: tax and other unticked, with an amount and a description typed
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("x"); // below zero: anywhere on the page
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("text");
    const QList<std::tuple<bool, int, double, double, QString>> rows = {
        {false, 1, 47, 31, "$126.00"}, {false, 1, 81, 31, "$2246.00"}, {false, 1, 160, 53.22, "X"},
        {true, 1, 160, 47.22, "X"}, {false, 1, 179, 156, "980.00"},
        // Section rows, each column on its line: 1 at 88, 2 at 110, 3 at 124.
        {false, 1, 7, 124, "POL3.0"}, {false, 1, 186, 88, "12.1.0"},
        {false, 1, 47, 139, "$100.00"}, {true, 1, 47, 139, "<nothing>"}, {true, 1, 67, 149.5, "<nothing>"},
        {false, 2, 7, 254, "Version 8.0"}, {false, 2, -1, 0, "FAX (214) 555-0143"},
    };
    for (const auto& [personal, page, x, y, text] : rows)
        QTest::addRow("%s at %g, %g%s", qPrintable(text), x, y, personal ? ", personal" : "") << personal << page << x << y << text;
}

void NotePagesTest::valuesInTheirPlaces()
{
    QFETCH(bool, personal);
    QFETCH(int, page);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, text);
    print::NoteValues v = sampleNoteValues();
    if (personal) {
        v.personal = true;
        v.tax.ticked = v.other.ticked = false;
    }
    RecordingSurface surface;
    drawNote(surface, v);
    const Drawing& d = *surface.drawing;
    QCOMPARE(x < 0 ? (d.find(text, page) ? text : "<nothing>") : d.textAt(page, x, y), text);
}

QTEST_MAIN(NotePagesTest)
#include "tst_NotePages.moc"
