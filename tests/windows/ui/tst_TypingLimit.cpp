#include "model/text/TypingLimit.h"
#include "windows/ui/LimitedLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

namespace {
const QString kThumbsUp = QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD"); // thumbs up, medium skin tone
const QString kFamily = QString::fromUtf8("\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7"); // woman ZWJ girl

struct Edit { QString before, after; int cursor, limit; text::FieldText result; };
} // namespace
Q_DECLARE_METATYPE(Edit)

class TypingLimitTest : public QObject {
    Q_OBJECT
private slots:
    void limitedEdit_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("typed past the limit") << Edit{"Te", "Tex", 3, 2, {"Te", 2}};
        QTest::newRow("paste cut to fit") << Edit{"ab", "a12345b", 6, 4, {"a12b", 3}};
        QTest::newRow("pasted CR LF, LF and CR become one blank each")
            << Edit{"", "12 Main St\r\nSuite 4\nBack\rDoor", 28, 75, {"12 Main St Suite 4 Back Door", 28}};
        QTest::newRow("pasted tab becomes a blank") << Edit{"", "Tow\tfee", 7, 75, {"Tow fee", 7}};
        QTest::newRow("blank from a line break counts") << Edit{"", "ab\r\ncd", 6, 3, {"ab ", 3}};
        QTest::newRow("emoji never split") << Edit{"abc", "abc" + kThumbsUp, 7, 3, {"abc", 3}};
        QTest::newRow("paste cut before a joined emoji") << Edit{"ab", "abx" + kFamily + "y", 9, 4, {"abx" + kFamily, 8}};
        QTest::newRow("combining accent on a full field") << Edit{"abcde", "abcde\u0301", 6, 5, {"abcde\u0301", 6}};
        QTest::newRow("stored value over the limit does not grow") << Edit{"Texas", "Texasz", 6, 2, {"Texas", 5}};
        QTest::newRow("stored value over the limit, one letter replaced") << Edit{"Texas", "Tixas", 2, 2, {"Tixas", 2}};
        QTest::newRow("stored value over the limit, longer paste over a selection")
            << Edit{"Texas", "T1234s", 5, 2, {"T123s", 4}};
        QTest::newRow("line break already stored stays") << Edit{"a\nb", "a\nbc", 4, 10, {"a\nbc", 4}};
    }
    void limitedEdit()
    {
        QFETCH(Edit, edit);
        QCOMPARE(text::limitedEdit(edit.before, edit.after, edit.cursor, edit.limit), edit.result);
    }

    // The field limits what comes from the clipboard, its context menu and a drop, never what the program sets;
    // what comes from the keyboard is tested in the people dialogs.
    void fieldLimitsOnlyTheUser()
    {
        ui::LimitedLineEdit state(2, nullptr);
        state.setText("Texas");
        QCOMPARE(state.text(), QString("Texas"));
        QTest::keyClick(&state, Qt::Key_Z);
        QCOMPARE(state.text(), QString("Texas"));
        state.clear();
        QGuiApplication::clipboard()->setText("T\r\nX");
        QTest::keySequence(&state, QKeySequence::Paste);
        QCOMPARE(state.text(), QString("T "));
        state.clear();
        QGuiApplication::clipboard()->setText("Texas");
        QTimer::singleShot(0, [] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    if (action->text().startsWith("&Paste"))
                        action->trigger();
                menu->close();
            }
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(1, 1), state.mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(&state, &menuEvent);
        QCOMPARE(state.text(), QString("Te"));
        state.clear();
        QMimeData dragged;
        dragged.setText("Texas");
        QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&state, &enter);
        QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&state, &drop);
        QCOMPARE(state.text(), QString("Te"));
    }
};

QTEST_MAIN(TypingLimitTest)
#include "tst_TypingLimit.moc"
