// The rooms of src/ (app, model/<room>, windows/<room>) stand one over the
// other: every quoted "room/File.h" include must lead to a room lower down,
// never to one beside or above. The application wires the windows, so nothing
// else may include it; a window's header is seen only by its own room and by
// the application, so windows meet through signals and typed accessors alone.
// Code under model/ includes no widget header.

#include <QDirIterator>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {
// From the top down; the rooms of one row stand beside each other.
const QList<QStringList> kRoomsTopDown = {
    {"app"},
    {"windows/history"},
    {"windows/contract", "windows/people"},
    {"windows/ui"},
    {"model/history"},
    {"model/contract", "model/people"},
    {"model/print"},
    {"model/settings"},
    {"model/session"},
    {"model/store", "model/text"},
};

QString folderOf(const QString& file)
{
    return file.startsWith(QLatin1String("app/")) ? QStringLiteral("app") : file.section(QLatin1Char('/'), 0, 1);
}

// The row of a room counted from the bottom, or -1 for a room the order does not name.
int heightOf(const QString& room)
{
    for (qsizetype row = 0; row < kRoomsTopDown.size(); ++row)
        if (kRoomsTopDown[row].contains(room))
            return int(kRoomsTopDown.size() - row);
    return -1;
}

// The headers Qt's widgets library and its print dialogs are reached by.
bool isWidgetHeader(const QString& header)
{
    static const QStringList printDialogs = {"QPrintDialog", "QPrintPreviewDialog", "QPrintPreviewWidget",
                                             "QPageSetupDialog", "QAbstractPrintDialog"};
    const QString name = header.section(QLatin1Char('/'), -1);
    return header.startsWith(QLatin1String("QtWidgets")) || printDialogs.contains(name) ||
           QFileInfo::exists(QStringLiteral(QUILLON_WIDGETS_HEADERS "/") + name);
}
} // namespace

class FolderLayers : public QObject {
    Q_OBJECT
    // "folder/File.cpp" or ".h" -> the "folder/File.h" it includes
    QMap<QString, QStringList> m_includes;
    // "model/room/File.cpp" or ".h" -> the <Header> it includes
    QMap<QString, QStringList> m_systemIncludes;
    // "folder/File.h" of each of the program's windows -> its class; every header's text
    QMap<QString, QString> m_windows, m_headerText;

private slots:
    void initTestCase()
    {
        static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([a-z_]+/[^\"]+)\""),
                                                QRegularExpression::MultilineOption);
        static const QRegularExpression systemInclude(QStringLiteral("^\\s*#\\s*include\\s+<([^>]+)>"),
                                                      QRegularExpression::MultilineOption);
        static const QRegularExpression window(
            QStringLiteral("class\\s+(\\w+)\\s*(final\\s*)?:\\s*public\\s+(QWidget|QDialog|QMainWindow|PartyDialog)\\b"));
        const QDir root(QStringLiteral(QUILLON_SOURCE_DIR));
        QSet<QString> named;
        for (QDirIterator files(root.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
            const QString file = root.relativeFilePath(files.next());
            QFile source(files.filePath());
            QVERIFY(source.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(source.readAll());
            if (file.endsWith(QLatin1String(".h"))) {
                m_headerText.insert(file, text);
                if (const auto declared = window.match(text); declared.hasMatch())
                    m_windows.insert(file, declared.captured(1));
            } else if (text.contains(QLatin1String("\"frm"))) {
                named.insert(file.chopped(4) + QStringLiteral(".h"));
            }
            for (auto found = include.globalMatch(text); found.hasNext();)
                m_includes[file] << found.next().captured(1);
            if (file.startsWith(QLatin1String("model/")))
                for (auto found = systemInclude.globalMatch(text); found.hasNext();)
                    m_systemIncludes[file] << found.next().captured(1);
        }
        // A window or dialog class is one of the program's windows when its unit names it with a
        // window's system name (frmAgent ...); controls such as the globe are not.
        for (const QString& header : m_windows.keys())
            if (!named.contains(header))
                m_windows.remove(header);
        // A wrong source folder would make every other check pass on nothing.
        QVERIFY(m_windows.contains("windows/people/MainWindow.h") && m_windows.contains("windows/people/AgentDialog.h"));
        QVERIFY(!m_windows.contains("windows/ui/GlobePicture.h"));
        QVERIFY(isWidgetHeader("QWidget") && isWidgetHeader("QtWidgets/QLabel") && !isWidgetHeader("QPainter"));
    }

    void roomsIncludeOnlyDownwards()
    {
        for (auto file = m_includes.cbegin(); file != m_includes.cend(); ++file) {
            const QString room = folderOf(file.key());
            QVERIFY2(heightOf(room) > 0, qPrintable(room + " is not in the order of rooms"));
            for (const QString& target : *file)
                QVERIFY2(folderOf(target) == room || heightOf(folderOf(target)) < heightOf(room),
                         qPrintable(file.key() + " includes " + target + ", beside or above it"));
        }
    }

    void modelIncludesNoWidget()
    {
        for (auto file = m_systemIncludes.cbegin(); file != m_systemIncludes.cend(); ++file)
            for (const QString& header : *file)
                QVERIFY2(!isWidgetHeader(header), qPrintable(file.key() + " includes the widget header " + header));
    }

    // A window's header is seen only by its own room and
    // the application, and within the room by no other window, unless that window is built on it.
    void windowsMeetThroughTheApplication()
    {
        for (auto file = m_includes.cbegin(); file != m_includes.cend(); ++file) {
            const QString folder = folderOf(file.key()), header = file.key().section(QLatin1Char('.'), 0, 0) + ".h";
            for (const QString& target : *file) {
                if (folder == "app" || header == target || !m_windows.contains(target))
                    continue;
                QVERIFY2(folder == folderOf(target) &&
                             (!m_windows.contains(header) || m_headerText.value(header).contains("public " + m_windows.value(target))),
                         qPrintable(file.key() + " includes the window header " + target));
            }
        }
    }
};

QTEST_GUILESS_MAIN(FolderLayers)
#include "tst_FolderLayers.moc"
