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

struct SourceTree {
    // folder -> folder -> the files that make the edge, for the failure message
    QMap<QString, QMap<QString, QStringList>> edges;
    // "folder/File.h" -> what includes it ("folder/File.cpp" or ".h")
    QMap<QString, QStringList> includedBy;
    // "folder/File.h" -> the window class it declares, and the header's text
    QMap<QString, QString> windowHeaders, headerText;
};

SourceTree readTree(const QString& root)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([a-z_]+/[^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    // A class that is itself a window or dialog, or is built on one of the
    // program's own; it is one of the program's windows when its unit names it
    // with a window's system name (frmAgent ...). Controls such as the globe are not.
    static const QRegularExpression window(
        QStringLiteral("class\\s+(\\w+)\\s*(final\\s*)?:\\s*public\\s+(QWidget|QDialog|QMainWindow|PartyDialog)\\b"));
    SourceTree tree;
    QSet<QString> namedWindows;
    QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = QDir(root).relativeFilePath(files.next());
        const QString folder = relative.section(QLatin1Char('/'), 0, 0);
        QFile file(files.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        if (relative.endsWith(QLatin1String(".h"))) {
            tree.headerText.insert(relative, text);
            if (const auto declared = window.match(text); declared.hasMatch())
                tree.windowHeaders.insert(relative, declared.captured(1));
        } else if (text.contains(QLatin1String("\"frm"))) {
            namedWindows.insert(relative.section(QLatin1Char('.'), 0, 0));
        }
        for (auto matches = include.globalMatch(text); matches.hasNext();) {
            const QString target = matches.next().captured(1);
            tree.includedBy[target] << relative;
            const QString targetFolder = target.section(QLatin1Char('/'), 0, 0);
            if (targetFolder != folder && !tree.edges[folder][targetFolder].contains(relative))
                tree.edges[folder][targetFolder] << relative;
        }
    }
    for (auto header = tree.windowHeaders.begin(); header != tree.windowHeaders.end();)
        header = namedWindows.contains(header.key().chopped(2)) ? std::next(header) : tree.windowHeaders.erase(header);
    return tree;
}

// A path of folders that leads back to its start, each step with the files that make it, or nothing.
QStringList findCycle(const SourceTree& tree)
{
    QSet<QString> done;
    QStringList path;
    std::function<QStringList(const QString&)> visit = [&](const QString& folder) -> QStringList {
        if (const qsizetype at = path.indexOf(folder); at >= 0)
            return path.mid(at) << folder;
        if (done.contains(folder))
            return {};
        path << folder;
        for (const QString& next : tree.edges.value(folder).keys())
            if (const QStringList cycle = visit(next); !cycle.isEmpty())
                return cycle;
        path.removeLast();
        done.insert(folder);
        return {};
    };
    for (const QString& folder : tree.edges.keys())
        if (QStringList cycle = visit(folder); !cycle.isEmpty()) {
            for (qsizetype i = 0; i + 1 < cycle.size(); ++i)
                cycle[i] += QStringLiteral(" (") + tree.edges[cycle[i]][cycle[i + 1]].join(QStringLiteral(", ")) + ')';
            return cycle;
        }
    return {};
}

} // namespace

class FolderLayers : public QObject {
    Q_OBJECT

private:
    SourceTree m_tree = readTree(QStringLiteral(QUILLON_SOURCE_DIR));

private slots:
    void theTreeIsRead()
    {
        // A wrong source folder would make every other check pass on nothing.
        QVERIFY(m_tree.edges.contains(QStringLiteral("app")));
        QVERIFY(m_tree.windowHeaders.contains(QStringLiteral("people/MainWindow.h")));
        QVERIFY(m_tree.windowHeaders.contains(QStringLiteral("people/AgentDialog.h")));
        QVERIFY(!m_tree.windowHeaders.contains(QStringLiteral("ui/GlobePicture.h")));
    }

    void foldersFormLayers()
    {
        const QStringList cycle = findCycle(m_tree);
        QVERIFY2(cycle.isEmpty(), qPrintable(cycle.join(QStringLiteral(" -> "))));
    }

    void onlyTheProgramReachesTheApplication()
    {
        for (auto edges = m_tree.edges.cbegin(); edges != m_tree.edges.cend(); ++edges)
            QVERIFY2(!edges->contains(QStringLiteral("app")),
                     qPrintable(edges->value(QStringLiteral("app")).join(QStringLiteral(", ")) + " include app"));
    }

    // Seen only by its own folder and the application; within the folder by no other window, unless
    // that window is built on it.
    void windowHeadersStayWithTheirWindow()
    {
        for (auto window = m_tree.windowHeaders.cbegin(); window != m_tree.windowHeaders.cend(); ++window) {
            const QString home = window.key().section(QLatin1Char('/'), 0, 0);
            for (const QString& includer : m_tree.includedBy.value(window.key())) {
                const QString folder = includer.section(QLatin1Char('/'), 0, 0);
                QVERIFY2(folder == home || folder == QLatin1String("app"),
                         qPrintable(includer + " includes the window header " + window.key()));
                const QString other = includer.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".h");
                if (other == window.key() || !m_tree.windowHeaders.contains(other))
                    continue;
                QVERIFY2(m_tree.headerText.value(other).contains(QStringLiteral("public ") + window.value()),
                         qPrintable(includer + " includes the window header " + window.key()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(FolderLayers)
#include "tst_FolderLayers.moc"
