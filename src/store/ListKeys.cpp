#include "store/ListKeys.h"

#include <algorithm>

namespace store {

namespace {
constexpr size_t kPieceKeys = 4096;
} // namespace

std::pair<size_t, size_t> ListKeys::find(qsizetype position) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    const size_t piece = size_t(after - m_starts.begin()) - 1;
    return {piece, size_t(position - m_starts[piece])};
}

RowKey ListKeys::at(qsizetype position) const
{
    const auto [piece, offset] = find(position);
    return m_pieces[piece][offset];
}

qsizetype ListKeys::lowerBound(RowKey key) const
{
    // The first piece whose last key is not below the key holds its place.
    const auto piece = std::lower_bound(m_pieces.begin(), m_pieces.end(), key,
                                        [](const std::vector<RowKey>& p, RowKey k) { return p.back() < k; });
    if (piece == m_pieces.end())
        return m_size;
    const size_t index = size_t(piece - m_pieces.begin());
    return m_starts[index] + qsizetype(std::lower_bound(piece->begin(), piece->end(), key) - piece->begin());
}

std::optional<qsizetype> ListKeys::positionOf(RowKey key) const
{
    const qsizetype position = lowerBound(key);
    if (position >= m_size || at(position) != key)
        return std::nullopt;
    return position;
}

void ListKeys::clear()
{
    m_pieces.clear();
    m_starts.clear();
    m_size = 0;
}

void ListKeys::append(const std::vector<RowKey>& keys)
{
    auto next = keys.begin();
    while (next != keys.end()) {
        if (m_pieces.empty() || m_pieces.back().size() >= kPieceKeys) {
            m_pieces.emplace_back().reserve(kPieceKeys);
            m_starts.push_back(m_size);
        }
        std::vector<RowKey>& piece = m_pieces.back();
        const auto take = std::min(size_t(keys.end() - next), kPieceKeys - piece.size());
        piece.insert(piece.end(), next, next + qsizetype(take));
        next += qsizetype(take);
        m_size += qsizetype(take);
    }
}

bool ListKeys::insert(RowKey key)
{
    if (m_pieces.empty() || key > last()) {
        append(key);
        return true;
    }
    const qsizetype position = lowerBound(key);
    if (at(position) == key)
        return false;
    const auto [piece, offset] = find(position);
    std::vector<RowKey>& keys = m_pieces[piece];
    keys.insert(keys.begin() + qsizetype(offset), key);
    if (keys.size() >= 2 * kPieceKeys) {
        std::vector<RowKey> upper(keys.begin() + qsizetype(kPieceKeys), keys.end());
        keys.resize(kPieceKeys);
        m_pieces.insert(m_pieces.begin() + qsizetype(piece) + 1, std::move(upper));
        m_starts.insert(m_starts.begin() + qsizetype(piece) + 1, 0);
    }
    ++m_size;
    recountFrom(piece);
    return true;
}

void ListKeys::remove(qsizetype position)
{
    const auto [piece, offset] = find(position);
    std::vector<RowKey>& keys = m_pieces[piece];
    keys.erase(keys.begin() + qsizetype(offset));
    if (keys.empty()) {
        m_pieces.erase(m_pieces.begin() + qsizetype(piece));
        m_starts.erase(m_starts.begin() + qsizetype(piece));
    }
    --m_size;
    recountFrom(piece);
}

void ListKeys::recountFrom(size_t piece)
{
    for (size_t i = piece; i < m_pieces.size(); ++i)
        m_starts[i] = i == 0 ? 0 : m_starts[i - 1] + qsizetype(m_pieces[i - 1].size());
}

} // namespace store
