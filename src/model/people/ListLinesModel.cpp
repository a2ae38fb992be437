#include "model/people/ListLinesModel.h"

#include "model/store/StoreError.h"

#include <limits>

namespace people {

namespace {
// Lines read together when one of them is first painted; a list box shows about twenty.
constexpr qsizetype kPageLines = 64;
constexpr size_t kKeptPages = 32;
// Keys read on each idle turn: a few milliseconds' work, so typing and clicking are not held up.
constexpr qsizetype kIdleKeys = 32768;
constexpr qsizetype kWholeKeys = 1 << 20;
// Lines looked through at a time by the first-letter jump.
constexpr qsizetype kMatchLines = 65536;
} // namespace

ListLinesModel::ListLinesModel(QObject* parent) : QAbstractListModel(parent)
{
    m_keyReader.setSingleShot(true);
    m_keyReader.setInterval(0);
    connect(&m_keyReader, &QTimer::timeout, this, [this] {
        if (readKeyPiece(kIdleKeys, m_changes))
            m_keyReader.start();
    });
}

int ListLinesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows);
}

QModelIndex ListLinesModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || row >= m_rows || column != 0 || parent.isValid())
        return {};
    return createIndex(row, column);
}

QVariant ListLinesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return textAt(index.row());
    return {};
}

void ListLinesModel::fill(const store::PeopleTable& table)
{
    store::ListHead head = table.readHead(kPageLines);
    beginResetModel();
    m_table = table;
    m_rows = head.rows;
    m_changes = head.changes;
    m_stale = false;
    m_pages.clear();
    m_keys.clear();
    m_lastKeys.clear();
    for (qsizetype i = 0; i < head.last.size(); ++i)
        m_lastKeys.push_back(head.last.key(i));
    if (head.last.size() < kPageLines || qsizetype(m_lastKeys.size()) >= m_rows) {
        // A short list is read whole; its length is what was read.
        m_rows = qsizetype(m_lastKeys.size());
        m_keys.append(m_lastKeys);
        m_lastKeys.clear();
    }
    if (!head.last.isEmpty())
        m_pages.push_front({head.last.key(0), head.last.key(head.last.size() - 1), std::move(head.last)});
    endResetModel();
    if (keysComplete() || m_keysHeld)
        m_keyReader.stop();
    else
        m_keyReader.start();
}

void ListLinesModel::holdKeyReading(bool hold)
{
    m_keysHeld = hold;
    if (hold)
        m_keyReader.stop();
    else if (m_table && !keysComplete())
        m_keyReader.start();
}

bool ListLinesModel::readKeyPiece(qsizetype limit, std::optional<qint64> changes) const
{
    if (keysComplete() || m_stale || !m_table)
        return false;
    const store::RowKey after = m_keys.isEmpty() ? std::numeric_limits<store::RowKey>::min() : m_keys.last();
    store::KeyPiece piece;
    try {
        piece = m_table->readKeys(after, m_lastKeys.front() - 1, limit);
    } catch (const store::StoreError&) {
        // Asked for again when a line needs its key.
        return false;
    }
    if (piece.changes != changes) {
        readAgainSoon();
        return false;
    }
    m_keys.append(piece.keys);
    if (qsizetype(piece.keys.size()) == limit)
        return true;
    m_keys.append(m_lastKeys);
    m_lastKeys.clear();
    // Counted otherwise than the keys of the same unchanged table say: the
    // keys are the list, rather than a count that went wrong.
    if (!keysComplete())
        readAgainSoon(true);
    return false;
}

bool ListLinesModel::completeKeys(std::optional<qint64> changes) const
{
    while (readKeyPiece(kWholeKeys, changes)) {
    }
    return keysComplete() && !m_stale;
}

void ListLinesModel::readAgainSoon(bool keepKeys) const
{
    if (m_stale)
        return;
    m_stale = true;
    auto* self = const_cast<ListLinesModel*>(this);
    QTimer::singleShot(0, self, [self, keepKeys] {
        if (!self->m_stale || !self->m_table)
            return;
        if (keepKeys) {
            self->beginResetModel();
            self->m_rows = self->m_keys.size();
            self->m_stale = false;
            self->endResetModel();
        } else {
            try {
                self->fill(*self->m_table);
            } catch (const store::StoreError&) {
                return;
            }
        }
        emit self->readAgain();
    });
}

std::optional<store::RowKey> ListLinesModel::keyAt(qsizetype position) const
{
    if (position < 0 || position >= m_rows || m_stale)
        return std::nullopt;
    if (position < m_keys.size())
        return m_keys.at(position);
    const qsizetype lastStart = m_rows - qsizetype(m_lastKeys.size());
    if (position >= lastStart)
        return m_lastKeys[size_t(position - lastStart)];
    if (!completeKeys())
        return std::nullopt;
    return m_keys.at(position);
}

std::optional<qsizetype> ListLinesModel::positionOf(store::RowKey key) const
{
    if (!completeKeys())
        return std::nullopt;
    return m_keys.positionOf(key);
}

QString ListLinesModel::textAt(qsizetype position) const
{
    const std::optional<store::RowKey> key = keyAt(position);
    if (!key)
        return {};
    return textOf(position, *key).value_or(QString());
}

std::optional<QString> ListLinesModel::textOf(qsizetype position, store::RowKey key) const
{
    // A row gone since its page was read shows an empty line until the list is read again.
    const auto lineIn = [key](const Page& page) {
        const auto at = page.lines.positionOf(key);
        return at ? page.lines.text(*at) : QString();
    };
    for (const Page& page : m_pages)
        if (key >= page.first && key <= page.last)
            return lineIn(page);
    const qsizetype start = position - position % kPageLines;
    const qsizetype end = std::min(start + kPageLines, m_rows) - 1;
    const auto first = keyAt(start), last = keyAt(end);
    if (!first || !last || !m_table)
        return std::nullopt;
    try {
        keepPage({*first, *last, m_table->readLinesBetween(*first, *last)});
    } catch (const store::StoreError&) {
        return std::nullopt;
    }
    return lineIn(m_pages.front());
}

void ListLinesModel::keepPage(Page page) const
{
    m_pages.push_front(std::move(page));
    if (m_pages.size() > kKeptPages)
        m_pages.pop_back();
}

void ListLinesModel::forgetPagesHolding(store::RowKey key) const
{
    std::erase_if(m_pages, [key](const Page& page) { return key >= page.first && key <= page.last; });
}

void ListLinesModel::keepOwnLine(store::RowKey key, std::string_view line)
{
    forgetPagesHolding(key);
    store::ListLines own;
    own.append(key, line);
    keepPage({key, key, std::move(own)});
}

QModelIndexList ListLinesModel::match(const QModelIndex& start, int role, const QVariant& value, int hits,
                                      Qt::MatchFlags flags) const
{
    const Qt::MatchFlags kind = flags & Qt::MatchTypeMask;
    if (role != Qt::DisplayRole || hits != 1 || kind != Qt::MatchStartsWith || (flags & Qt::MatchCaseSensitive) ||
        !start.isValid() || !m_table)
        return QAbstractListModel::match(start, role, value, hits, flags);
    const QString prefix = value.toString();
    const auto from = keyAt(start.row());
    if (!from || !completeKeys())
        return {};
    // From the line on to the end, then, going round, from the first line up to it.
    const auto firstMatch = [&](store::RowKey begin, store::RowKey end) -> std::optional<store::RowKey> {
        bool ascii = true;
        for (const QChar c : prefix)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            return m_table->firstLineStarting(prefix, begin, end);
        for (;;) {
            const store::ListLines lines = m_table->readLinesBetween(begin, end - 1, kMatchLines);
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (lines.text(i).startsWith(prefix, Qt::CaseInsensitive))
                    return lines.key(i);
            if (lines.size() < kMatchLines)
                return std::nullopt;
            begin = lines.key(lines.size() - 1) + 1;
        }
    };
    try {
        std::optional<store::RowKey> found = firstMatch(*from, std::numeric_limits<store::RowKey>::max());
        if (!found && (flags & Qt::MatchWrap) && start.row() > 0)
            found = firstMatch(m_keys.at(0), *from);
        if (const auto position = found ? m_keys.positionOf(*found) : std::nullopt)
            return {index(int(*position))};
    } catch (const store::StoreError&) {
    }
    return {};
}

bool ListLinesModel::follow(const store::RowChange& change)
{
    using Kind = store::RowChange::Kind;
    // Only a write that was the one change since the lines were read can be
    // followed; anything else, by this program or another, means reading again.
    if (change.kind == Kind::None || !m_changes || !change.changesAfter || *change.changesAfter != *m_changes + 1)
        return false;
    // Keys still to be read are read as the table stands after this write;
    // a write among them is not followed but read again with the rest.
    if (!completeKeys(change.changesAfter))
        return false;
    const std::string_view line(change.line.constData(), size_t(change.line.size()));
    switch (change.kind) {
    case Kind::Added: {
        // Keys are handed out rising, so a new row is the last line; a row put back goes to its own place.
        const qsizetype row = m_keys.lowerBound(change.key);
        if (row < m_rows && m_keys.at(row) == change.key)
            return false;
        beginInsertRows({}, int(row), int(row));
        m_keys.insert(change.key);
        ++m_rows;
        keepOwnLine(change.key, line);
        endInsertRows();
        break;
    }
    case Kind::Changed: {
        const auto position = m_keys.positionOf(change.key);
        if (!position)
            return false;
        keepOwnLine(change.key, line);
        const QModelIndex at = index(int(*position));
        emit dataChanged(at, at, {Qt::DisplayRole});
        break;
    }
    case Kind::Removed: {
        const auto position = m_keys.positionOf(change.key);
        if (!position)
            return false;
        beginRemoveRows({}, int(*position), int(*position));
        m_keys.remove(*position);
        --m_rows;
        endRemoveRows();
        break;
    }
    case Kind::None:
        return false;
    }
    m_changes = change.changesAfter;
    return true;
}

} // namespace people
