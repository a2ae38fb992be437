// The folders of src/ form layers: every quoted "folder/File.h" include is an
// edge from the including file's folder to that folder, and the edges must never
// lead back round. The application folder wires the windows, so nothing else
// may include it; a window's header is seen only by its own folder and by the
// application, so windows meet through signals and typed accessors alone.

#include <QDirIterator>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

namespace {
// "app", or "model/<room>" or "windows/<room>"
QString folderOf(const QString& file)
{
    return file.startsWith(QLatin1String("app/")) ? QStringLiteral("app") : file.section(QLatin1Char('/'), 0, 1);
}
} // namespace

class FolderLayers : public QObject {
    Q_OBJECT
    // "folder/File.cpp" or ".h" -> the "folder/File.h" it includes
    QMap<QString, QStringList> m_includes;
    // "folder/File.h" of each of the program's windows -> its class; every header's text
    QMap<QString, QString> m_windows, m_headerText;

private slots:
    void initTestCase()
    {
        static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([a-z_]+/[^\"]+)\""),
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
        }
        // A window or dialog class is one of the program's windows when its unit names it with a
        // window's system name (frmAgent ...); controls such as the globe are not.
        for (const QString& header : m_windows.keys())
            if (!named.contains(header))
                m_windows.remove(header);
        // A wrong source folder would make every other check pass on nothing.
        QVERIFY(m_windows.contains("windows/people/MainWindow.h") && m_windows.contains("windows/people/AgentDialog.h"));
        QVERIFY(!m_windows.contains("windows/ui/GlobePicture.h"));
    }

    void foldersFormLayers()
    {
        QMap<QString, QSet<QString>> edges;
        for (auto file = m_includes.cbegin(); file != m_includes.cend(); ++file)
            for (const QString& target : *file)
                if (folderOf(target) != folderOf(file.key()))
                    edges[folderOf(file.key())].insert(folderOf(target));
        QStringList path;
        QSet<QString> done;
        const std::function<bool(const QString&)> leadsBack = [&](const QString& folder) {
            if (path.contains(folder))
                return true;
            if (done.contains(folder))
                return false;
            path << folder;
            for (const QString& next : edges.value(folder))
                if (leadsBack(next))
                    return true;
            path.removeLast();
            done.insert(folder);
            return false;
        };
        for (const QString& folder : edges.keys())
            QVERIFY2(!leadsBack(folder), qPrintable(path.join(QStringLiteral(" -> "))));
    }

    // Nothing but the application includes it; a window's header is seen only by its own folder and
    // the application, and within the folder by no other window, unless that window is built on it.
    void windowsMeetThroughTheApplication()
    {
        for (auto file = m_includes.cbegin(); file != m_includes.cend(); ++file) {
            const QString folder = folderOf(file.key()), header = file.key().section(QLatin1Char('.'), 0, 0) + ".h";
            for (const QString& target : *file) {
                QVERIFY2(folder == "app" || folderOf(target) != "app", qPrintable(file.key() + " includes " + target));
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
