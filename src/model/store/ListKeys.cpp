#include "model/store/ListKeys.h"

#include <algorithm>

namespace store {

namespace {
constexpr size_t kPieceKeys = 4096;
} // namespace

size_t ListKeys::Offsets::lowerBound(quint32 distance) const
{
    if (!m_spelled)
        return std::min(size_t(distance), m_run);
    if (m_wide)
        return size_t(std::lower_bound(m_four.begin(), m_four.end(), distance) - m_four.begin());
    return size_t(std::lower_bound(m_two.begin(), m_two.end(), distance) - m_two.begin());
}

void ListKeys::Offsets::spell()
{
    // A run is never longer than a piece, so its distances fit in two bytes.
    m_two.reserve(m_run + 1);
    for (size_t i = 0; i < m_run; ++i)
        m_two.push_back(quint16(i));
    m_run = 0;
    m_spelled = true;
}

void ListKeys::Offsets::reserve(size_t count)
{
    if (!m_spelled)
        return;
    if (m_wide)
        m_four.reserve(count);
    else
        m_two.reserve(count);
}

void ListKeys::Offsets::insert(size_t at, quint32 distance)
{
    if (!m_spelled) {
        if (at == m_run && distance == m_run) {
            ++m_run;
            return;
        }
        spell();
    }
    if (!m_wide && distance > 0xffffu) {
        m_four.reserve(std::max(m_two.capacity(), m_two.size() + 1));
        m_four.assign(m_two.begin(), m_two.end());
        m_two = {};
        m_wide = true;
    }
    if (m_wide)
        m_four.insert(m_four.begin() + qsizetype(at), distance);
    else
        m_two.insert(m_two.begin() + qsizetype(at), quint16(distance));
}

void ListKeys::Offsets::erase(size_t at)
{
    if (!m_spelled && at + 1 == m_run) {
        --m_run;
        return;
    }
    if (!m_spelled)
        spell();
    if (m_wide)
        m_four.erase(m_four.begin() + qsizetype(at));
    else
        m_two.erase(m_two.begin() + qsizetype(at));
}

void ListKeys::Offsets::resize(size_t count)
{
    if (!m_spelled)
        m_run = count;
    else if (m_wide)
        m_four.resize(count);
    else
        m_two.resize(count);
}

std::pair<size_t, size_t> ListKeys::find(qsizetype position) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    const size_t piece = size_t(after - m_starts.begin()) - 1;
    return {piece, size_t(position - m_starts[piece])};
}

RowKey ListKeys::at(qsizetype position) const
{
    const auto [piece, offset] = find(position);
    return m_pieces[piece].key(offset);
}

qsizetype ListKeys::lowerBound(RowKey key) const
{
    // The first piece whose last key is not below the key holds its place.
    const auto piece = std::lower_bound(m_pieces.begin(), m_pieces.end(), key, [](const Piece& p, RowKey k) {
        return p.key(p.offsets.size() - 1) < k;
    });
    if (piece == m_pieces.end())
        return m_size;
    const size_t index = size_t(piece - m_pieces.begin());
    if (key <= piece->base)
        return m_starts[index];
    return m_starts[index] + qsizetype(piece->offsets.lowerBound(quint32(key - piece->base)));
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
    for (const RowKey key : keys) {
        if (m_pieces.empty() || m_pieces.back().offsets.size() >= kPieceKeys || !m_pieces.back().fits(key)) {
            m_pieces.push_back({key, {}});
            m_pieces.back().offsets.reserve(kPieceKeys);
            m_starts.push_back(m_size);
        }
        Piece& piece = m_pieces.back();
        piece.offsets.push_back(quint32(key - piece.base));
        ++m_size;
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
    auto [piece, offset] = find(position);
    if (!m_pieces[piece].fits(key)) {
        // Below the piece's first key: at the end of the piece before, or in a piece of its own.
        if (piece > 0 && m_pieces[piece - 1].fits(key)) {
            --piece;
            offset = m_pieces[piece].offsets.size();
        } else {
            m_pieces.insert(m_pieces.begin() + qsizetype(piece), Piece{key, {}});
            m_starts.insert(m_starts.begin() + qsizetype(piece), 0);
            offset = 0;
        }
    }
    Piece& into = m_pieces[piece];
    into.offsets.insert(offset, quint32(key - into.base));
    if (into.offsets.size() >= 2 * kPieceKeys) {
        Piece upper{into.key(kPieceKeys), {}};
        for (size_t i = kPieceKeys; i < into.offsets.size(); ++i)
            upper.offsets.push_back(quint32(into.key(i) - upper.base));
        into.offsets.resize(kPieceKeys);
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
    Offsets& offsets = m_pieces[piece].offsets;
    offsets.erase(offset);
    if (offsets.empty()) {
        m_pieces.erase(m_pieces.begin() + qsizetype(piece));
        m_starts.erase(m_starts.begin() + qsizetype(piece));
    }
    --m_size;
    recountFrom(piece);
}

void ListKeys::recountFrom(size_t piece)
{
    for (size_t i = piece; i < m_pieces.size(); ++i)
        m_starts[i] = i == 0 ? 0 : m_starts[i - 1] + qsizetype(m_pieces[i - 1].offsets.size());
}

} // namespace store
