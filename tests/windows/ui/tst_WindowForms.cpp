#include "support/KeptListing.h"
#include "support/TestProgram.h"
#include "windows/ui/LimitedLineEdit.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

namespace {

// What the user sees of one control: its place and size, its words, its font, and whether it
// takes typing or clicks.
QString described(const QWidget* w)
{
    QStringList parts{w->objectName(), w->metaObject()->className(),
                      QString("%1,%2 %3x%4").arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())};
    const auto quoted = [](const QString& text) { return '"' + QString(text).replace('\n', "\\n") + '"'; };
    if (const auto* label = qobject_cast<const QLabel*>(w))
        parts << quoted(label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        parts << quoted(button->text());
        if (button->isCheckable())
            parts << (button->isChecked() ? "checked" : "unchecked");
    }
    if (const auto* field = qobject_cast<const ui::LimitedLineEdit*>(w))
        parts << QString("at most %1").arg(field->limit());
    if (const auto* box = qobject_cast<const QGroupBox*>(w))
        parts << quoted(box->title());
    if (const auto* day = qobject_cast<const QDateEdit*>(w))
        parts << day->displayFormat();
    if (const auto* grid = qobject_cast<const QTableWidget*>(w)) {
        QStringList headings;
        for (int column = 0; column < grid->columnCount(); ++column)
            headings << QString("%1:%2").arg(grid->horizontalHeaderItem(column) ? grid->horizontalHeaderItem(column)->text() : "")
                            .arg(grid->columnWidth(column));
        parts << quoted(headings.join('|'));
    }
    parts << QString("%1pt%2").arg(w->font().pointSizeF()).arg(w->font().bold() ? " bold" : "");
    if (!w->isEnabled())
        parts << "disabled";
    if (w->isHidden())
        parts << "hidden";
    return parts.join("  ");
}

// The window's title and size, every named control in name order, then the order Tab goes in.
QStringList listing(QWidget* window)
{
    // The windows that open over this one are listed on their own.
    const auto ours = [&](const QWidget* w) { return w->window() == window && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_"); };
    QStringList controls, tabs;
    for (const QWidget* w : window->findChildren<QWidget*>())
        if (ours(w))
            controls << described(w);
    controls.sort();
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if (ours(w) && (w->focusPolicy() & Qt::TabFocus))
            tabs << w->objectName();
    return QStringList{window->objectName(), '"' + window->windowTitle() + '"',
                       QString("%1x%2").arg(window->width()).arg(window->height())}
           + controls + QStringList{"tab: " + tabs.join(' ')};
}

} // namespace

// Every window as it first opens, each control's name, place, words and font, and the order Tab takes,
// against the listing kept beside this test: a caption, a place or a name changed by accident shows
// here. QUILLON_WRITE_FORMS=1 writes the listings anew, for a change that is meant.
class WindowFormsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;

private slots:
    void initTestCase() { program = TestProgram::startedWith({{"Agency Co", "Ann Agent"}}, {{"Carl", "Carl's Hauling"}}); }

    void windowAsItOpens_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* name : {"frmAgent", "frmAddCust", "frmAddAgent", "frmPolicies1", "frmPreview", "frmPrevious",
                                 "frmFind", "frmFindAgent", "frmFindContract", "frmReport"})
            QTest::newRow(name) << name;
    }
    void windowAsItOpens()
    {
        QFETCH(QString, window);
        program->windows(); // every window made
        QWidget* found = TestProgram::window(window);
        QVERIFY2(found, qPrintable(window));
        const QString difference = differenceFromKeptListing(
            listing(found), QString(QUILLON_TEST_DATA "/%1.txt").arg(window), "QUILLON_WRITE_FORMS");
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void cleanupTestCase() { program.reset(); }
};

QTEST_MAIN(WindowFormsTest)
#include "tst_WindowForms.moc"
