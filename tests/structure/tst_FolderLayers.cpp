// The folders of src/ form layers: every quoted "folder/File.h" include is an
// edge from the including file's folder to that folder, and the edges must never
// lead back round. The application folder wires the windows, so nothing else
// may include it; a window's header is seen only by its own folder and by the
// application, so windows meet through signals and typed accessors alone.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

struct SourceTree {
    // folder -> folder -> the files that make the edge, for the failure message
    QMap<QString, QMap<QString, QStringList>> edges;
    // "folder/File.h" -> folder of every file that includes it
    QMap<QString, QSet<QString>> includedFrom;
    // "folder/File.h" -> the window class it declares
    QMap<QString, QString> windowHeaders;
    // "folder/File" (no extension) -> the files of that unit that include something
    QMap<QString, QStringList> includesOf;
    QMap<QString, QString> headerText;
};

SourceTree readTree(const QString& root)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([a-z_]+)/([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    // A class that is itself a window or dialog, or is built on one of the
    // program's own; it is one of the program's windows when its unit names it
    // with a window's system name (frmAgent ...). Controls such as the globe are not.
    static const QRegularExpression window(
        QStringLiteral("class\\s+(\\w+)\\s*(final\\s*)?:\\s*public\\s+(QWidget|QDialog|QMainWindow|PartyDialog)\\b"));
    SourceTree tree;
    QSet<QString> namedWindows;
    QDirIterator files(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = QDir(root).relativeFilePath(path);
        const QString folder = relative.section(QLatin1Char('/'), 0, 0);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        if (relative.endsWith(QLatin1String(".h"))) {
            tree.headerText.insert(relative, text);
            if (const auto declared = window.match(text); declared.hasMatch())
                tree.windowHeaders.insert(relative, declared.captured(1));
        }
        const QString unit = relative.section(QLatin1Char('.'), 0, 0);
        if (relative.endsWith(QLatin1String(".cpp")) && text.contains(QLatin1String("\"frm")))
            namedWindows.insert(unit);
        auto matches = include.globalMatch(text);
        while (matches.hasNext()) {
            const auto match = matches.next();
            const QString target = match.captured(1);
            tree.includedFrom[target + QLatin1Char('/') + match.captured(2)].insert(folder);
            tree.includesOf[unit] << target + QLatin1Char('/') + match.captured(2);
            if (target != folder && !tree.edges[folder][target].contains(relative))
                tree.edges[folder][target] << relative;
        }
    }
    for (auto header = tree.windowHeaders.begin(); header != tree.windowHeaders.end();)
        header = namedWindows.contains(header.key().chopped(2)) ? std::next(header)
                                                                : tree.windowHeaders.erase(header);
    return tree;
}

// A path of folders that leads back to its start, or nothing.
QStringList findCycle(const SourceTree& tree)
{
    enum Mark { Unseen, Open, Done };
    QMap<QString, Mark> marks;
    QStringList path;
    QStringList cycle;
    std::function<bool(const QString&)> visit = [&](const QString& folder) {
        marks[folder] = Open;
        path << folder;
        for (const QString& next : tree.edges.value(folder).keys()) {
            if (marks.value(next, Unseen) == Open) {
                cycle = path.mid(path.indexOf(next)) << next;
                return true;
            }
            if (marks.value(next, Unseen) == Unseen && visit(next))
                return true;
        }
        path.removeLast();
        marks[folder] = Done;
        return false;
    };
    for (const QString& folder : tree.edges.keys())
        if (marks.value(folder, Unseen) == Unseen && visit(folder))
            break;
    return cycle;
}

QString describe(const SourceTree& tree, const QStringList& cycle)
{
    QStringList steps;
    for (int i = 0; i + 1 < cycle.size(); ++i)
        steps << cycle[i] + QStringLiteral(" -> ") + cycle[i + 1] + QStringLiteral(" (") +
                     tree.edges[cycle[i]][cycle[i + 1]].join(QStringLiteral(", ")) + QLatin1Char(')');
    return steps.join(QStringLiteral("; "));
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
        QVERIFY2(cycle.isEmpty(), qPrintable(describe(m_tree, cycle)));
    }

    void onlyTheProgramReachesTheApplication()
    {
        for (auto edges = m_tree.edges.cbegin(); edges != m_tree.edges.cend(); ++edges)
            QVERIFY2(!edges->contains(QStringLiteral("app")),
                     qPrintable(edges.key() + QStringLiteral(" includes app: ") +
                                edges->value(QStringLiteral("app")).join(QStringLiteral(", "))));
    }

    void windowHeadersStayInTheirFolder()
    {
        for (const QString& header : m_tree.windowHeaders.keys()) {
            const QString home = header.section(QLatin1Char('/'), 0, 0);
            for (const QString& folder : m_tree.includedFrom.value(header))
                QVERIFY2(folder == home || folder == QLatin1String("app"),
                         qPrintable(folder + QStringLiteral(" includes the window header ") + header));
        }
    }

    void noWindowIncludesAnother()
    {
        for (auto window = m_tree.windowHeaders.cbegin(); window != m_tree.windowHeaders.cend(); ++window) {
            const QString unit = window.key().chopped(2);
            for (const QString& included : m_tree.includesOf.value(unit)) {
                if (included == window.key() || !m_tree.windowHeaders.contains(included))
                    continue;
                // A window built on a shared base class includes that base, nothing more.
                const QString base = m_tree.windowHeaders.value(included);
                const bool isBase = m_tree.headerText.value(window.key())
                                        .contains(QStringLiteral("public ") + base);
                QVERIFY2(isBase, qPrintable(unit + QStringLiteral(" includes the window header ") + included));
            }
        }
    }
};

QTEST_GUILESS_MAIN(FolderLayers)
#include "tst_FolderLayers.moc"
