#include "print/DrawingSurface.h"
#include "print/LenderTexts.h"
#include "support/RecordingSurface.h"

#include <QTemporaryDir>
#include <QtTest>

// The drawing steps everything on the note is built from, and the lender's
// texts the note prints.
class DrawingPrimitivesTest : public QObject {
    Q_OBJECT
private slots:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void centresOnTheWholeMillimetreWidth_data();
    void centresOnTheWholeMillimetreWidth();
    void printLineReturnsToTheLeftEdgeOneLineDown();
    void boxIsThreeStrokesWithoutATop();
    void lenderSectionOverridesDefaults_data();
    void lenderSectionOverridesDefaults();
    void lenderTextsFromAFile();
};

namespace {
// Gives every text the width it is told to, so the centring arithmetic shows.
class FixedWidthSurface final : public print::DrawingSurface {
public:
    double width = 0;
    QList<std::pair<double, double>> drawnAt;
    void useLetterPortrait() override {}
    double textWidth(const QString&) const override { return width; }
    double lineHeight() const override { return 3.25; }
    void line(double, double, double, double) override {}
    void newPage() override {}
    void endDoc() override {}

protected:
    void drawText(double x, double y, const QString&) override { drawnAt.append({x, y}); }
};
} // namespace

void DrawingPrimitivesTest::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half below an even number goes up") << 51.5 << 52.0;
    QTest::newRow("half above an even number goes down") << 52.5 << 52.0;
    QTest::newRow("just over a half goes up") << 52.5000001 << 53.0;
    QTest::newRow("just under a half goes down") << 53.4999999 << 53.0;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("half of one goes to zero") << 0.5 << 0.0;
}

void DrawingPrimitivesTest::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(print::roundHalfEven(value), rounded);
}

void DrawingPrimitivesTest::centresOnTheWholeMillimetreWidth_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("x");
    QTest::newRow("odd whole width leaves a half") << 51.0 << 83.0;
    QTest::newRow("width rounded down") << 51.3 << 83.0;
    QTest::newRow("half rounds to the even 52") << 52.5 << 82.5;
    QTest::newRow("half rounds up to the even 52") << 51.5 << 82.5;
    QTest::newRow("empty text sits on the middle") << 0.0 << 108.5;
}

void DrawingPrimitivesTest::centresOnTheWholeMillimetreWidth()
{
    QFETCH(double, width);
    QFETCH(double, x);
    FixedWidthSurface surface;
    surface.width = width;
    surface.setCurrentY(79);
    print::PrintCentered(surface, "any");
    QCOMPARE(surface.drawnAt.size(), 1);
    QCOMPARE(surface.drawnAt[0].first, x);
    QCOMPARE(surface.drawnAt[0].second, 79.0);
    QCOMPARE(surface.currentY(), 79 + 3.25);
}

void DrawingPrimitivesTest::printLineReturnsToTheLeftEdgeOneLineDown()
{
    FixedWidthSurface surface;
    surface.setOrigin(2, 3);
    surface.setCurrentX(143);
    surface.setCurrentY(6);
    surface.printLine("CHECK OR LOAN");
    QCOMPARE(surface.currentX(), 2.0);
    QCOMPARE(surface.currentY(), 9.25);

    // The line height follows the font: larger type, larger step.
    RecordingSurface measured;
    measured.font().size = 8;
    const double body = measured.lineHeight();
    measured.font().size = 12;
    QVERIFY(measured.lineHeight() > body * 1.4 && measured.lineHeight() < body * 1.6);
    QVERIFY(body > 2.8 && body < 3.8); // 8-point type with its leading
}

void DrawingPrimitivesTest::boxIsThreeStrokesWithoutATop()
{
    RecordingSurface surface;
    print::DrawBox(surface, 159, 47, 3.5, 3.5);
    QCOMPARE(surface.strokes.size(), 3);
    const auto as = [](const RecordingSurface::Stroke& s) { return QList<double>{s.x1, s.y1, s.x2, s.y2}; };
    QCOMPARE(as(surface.strokes[0]), (QList<double>{162.5, 47, 162.5, 50.5}));
    QCOMPARE(as(surface.strokes[1]), (QList<double>{162.5, 50.5, 159, 50.5}));
    QCOMPARE(as(surface.strokes[2]), (QList<double>{159, 50.5, 159, 47}));
}

void DrawingPrimitivesTest::lenderSectionOverridesDefaults_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("street");
    const QString defaultPhone = print::defaultLenderTexts().phone;
    const QString defaultStreet = print::defaultLenderTexts().street;
    QTest::newRow("no lender section") << "[file]\ndbdrive=C:\n" << defaultPhone << defaultStreet;
    QTest::newRow("phone given") << "[lender]\nphone=(972) 555-0123\n" << "(972) 555-0123" << defaultStreet;
    QTest::newRow("section and key in other case") << "[LENDER]\r\nPhone = 555-0177 \r\n" << "555-0177" << defaultStreet;
    QTest::newRow("quoted value loses its quotes") << "[lender]\nstreet=\" 9 MAIN ST \"\n" << defaultPhone << " 9 MAIN ST ";
    QTest::newRow("blank value keeps the default") << "[lender]\nphone=\nstreet=   \n" << defaultPhone << defaultStreet;
    QTest::newRow("key of another section ignored") << "[lender]\n[other]\nphone=1\n" << defaultPhone << defaultStreet;
    QTest::newRow("comment line ignored") << "[lender]\n;phone=1\n" << defaultPhone << defaultStreet;
    QTest::newRow("first of a repeated key counts") << "[lender]\nphone=1\nphone=2\n" << "1" << defaultStreet;
}

void DrawingPrimitivesTest::lenderSectionOverridesDefaults()
{
    QFETCH(QString, settings);
    QFETCH(QString, phone);
    QFETCH(QString, street);
    QTemporaryDir dir;
    const QString path = dir.filePath("tly2.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(settings.toUtf8());
    file.close();
    const print::LenderTexts texts = print::readLenderTexts(path);
    QCOMPARE(texts.phone, phone);
    QCOMPARE(texts.street, street);
    QCOMPARE(texts.phoneLine(), "PHONE " + phone);
    // The settings file is only read.
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), settings);
}

void DrawingPrimitivesTest::lenderTextsFromAFile()
{
    QTemporaryDir dir;
    QCOMPARE(print::readLenderTexts(dir.filePath("missing.ini")).fax, print::defaultLenderTexts().fax);
    print::LenderTexts texts{"S", "B", "C", "P", "F", "T"};
    QCOMPARE(texts.footerLine(), QString("TLY-TARNLEY CREDIT CO, S, B, C, PH P, FAX F"));
    QCOMPARE(texts.faxLine(), QString("FAX F"));
    QCOMPARE(texts.tollFreeLine(), QString("TOLL FREE T"));
    const print::LenderTexts defaults = print::defaultLenderTexts();
    for (const QString& number : {defaults.phone, defaults.fax, defaults.tollFree})
        QVERIFY2(number.contains("555-01"), qPrintable(number)); // numbers that reach nobody
}

QTEST_MAIN(DrawingPrimitivesTest)
#include "tst_DrawingPrimitives.moc"
