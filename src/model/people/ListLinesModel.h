#pragma once

#include "model/store/ListKeys.h"
#include "model/store/PeopleTable.h"

#include <QAbstractListModel>
#include <QTimer>

#include <deque>
#include <optional>
#include <vector>

namespace people {

// The lines of the agent or customer list as the view sees them, read only
// as far as they are seen. A fill reads the number of lines and the last
// ones, which the list shows first; the keys of all lines follow in pieces
// while the program is idle; a line's text is read by its key, with its
// neighbours, when it is first painted, and a few such pages are kept. A
// change the program made itself moves, adds or rewrites only its own line.
class ListLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ListLinesModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    // The view asks for an index of every line each time it lays them out;
    // answering straight away, without the general checks, keeps that cheap.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The first-letter jump looks through the whole table, not only the lines read so far.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

    // Reads the start of the table's list and shows it. StoreError when it cannot be read.
    void fill(const store::PeopleTable& table);
    // Follows the program's own write when it was the only change since the
    // lines were read; false, with nothing changed, when they must be read again.
    bool follow(const store::RowChange& change);

    // The key and text of the line at a position; nothing when there is no
    // such line or the store could not say. They may read the store.
    std::optional<store::RowKey> keyAt(qsizetype position) const;
    QString textAt(qsizetype position) const;
    // The position of the line of this key, if there is one.
    std::optional<qsizetype> positionOf(store::RowKey key) const;

    // The table the lines come from, once filled.
    const store::PeopleTable* table() const { return m_table ? &*m_table : nullptr; }
    // The table's change count the lines reflect, if the store keeps one.
    std::optional<qint64> changes() const { return m_changes; }
    // While held, keys are read only when a line needs its own (the start
    // holds them until its window is painted).
    void holdKeyReading(bool hold);

signals:
    // The lines were read again because the table changed while its keys
    // were being read; the list chooses its last line, as after every fill.
    void readAgain();

private:
    // A run of lines read together, for the keys first to last.
    struct Page {
        store::RowKey first;
        store::RowKey last;
        store::ListLines lines;
    };

    // Reads the next piece of keys, from the table as it stands at the change
    // count given; false when every key is known or the lines must be read again.
    bool readKeyPiece(qsizetype limit, std::optional<qint64> changes) const;
    // Every key known; false when the lines must be read again (done on the next turn of the event loop).
    bool completeKeys() const { return completeKeys(m_changes); }
    bool completeKeys(std::optional<qint64> changes) const;
    bool keysComplete() const { return m_keys.size() == m_rows; }
    // Reads the lines again on the next turn of the event loop, or with
    // keepKeys shows as many lines as the keys read, which are then all known.
    void readAgainSoon(bool keepKeys = false) const;
    void keepPage(Page page) const;
    void forgetPagesHolding(store::RowKey key) const;
    // The program's own line for a key, kept as a page of its own in place of any page that held it.
    void keepOwnLine(store::RowKey key, std::string_view line);
    // The text of the line with this key, reading its page when it is not kept.
    std::optional<QString> textOf(qsizetype position, store::RowKey key) const;

    std::optional<store::PeopleTable> m_table;
    qsizetype m_rows = 0;
    std::optional<qint64> m_changes;
    // Keys from the first line on; all of them once they have been read.
    mutable store::ListKeys m_keys;
    // The keys of the last lines, read with the fill, until the others join them.
    mutable std::vector<store::RowKey> m_lastKeys;
    mutable bool m_stale = false;
    mutable std::deque<Page> m_pages;
    QTimer m_keyReader;
    bool m_keysHeld = false;
};

} // namespace people
