#pragma once

#include "model/store/ListLines.h"

#include <optional>
#include <vector>

namespace store {

// The keys of a list in position order, ascending. They are kept in pieces
// of a few thousand, so removing or putting back a line of a million moves
// a few kilobytes rather than the whole list. A piece whose keys follow one
// another without a gap (as the store hands them out, until a line is
// removed) holds only their count; any other holds its keys as distances from
// its first, in two bytes each while they fit, else in four, rather than eight.
class ListKeys {
public:
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    RowKey at(qsizetype position) const;
    RowKey last() const { return m_pieces.back().key(m_pieces.back().offsets.size() - 1); }
    // The position of the key, if the list has it.
    std::optional<qsizetype> positionOf(RowKey key) const;
    // Where the key stands or would stand among the others.
    qsizetype lowerBound(RowKey key) const;

    void clear();
    // Keys larger than every key held.
    void append(const std::vector<RowKey>& keys);
    void append(RowKey key) { append(std::vector<RowKey>{key}); }
    // A key put back in its place; false when it is held already.
    bool insert(RowKey key);
    void remove(qsizetype position);

private:
    // A piece's distances: 0, 1, 2, ... held as their count alone, until one
    // breaks the run; then two bytes each until one needs four.
    class Offsets {
    public:
        size_t size() const { return m_spelled ? spelledSize() : m_run; }
        bool empty() const { return size() == 0; }
        quint32 operator[](size_t i) const { return !m_spelled ? quint32(i) : m_wide ? m_four[i] : m_two[i]; }
        size_t lowerBound(quint32 distance) const;
        void reserve(size_t count);
        void insert(size_t at, quint32 distance);
        void push_back(quint32 distance) { insert(size(), distance); }
        void erase(size_t at);
        // Keeps the first count distances.
        void resize(size_t count);

    private:
        size_t spelledSize() const { return m_wide ? m_four.size() : m_two.size(); }
        // The run written out, one distance each, before it is broken.
        void spell();

        size_t m_run = 0;
        bool m_spelled = false;
        std::vector<quint16> m_two;
        std::vector<quint32> m_four;
        bool m_wide = false;
    };
    struct Piece {
        RowKey base;
        Offsets offsets;
        RowKey key(size_t i) const { return base + RowKey(offsets[i]); }
        bool fits(RowKey k) const { return k >= base && quint64(k - base) <= 0xffffffffu; }
    };
    // The piece that holds position, and the position's place in it.
    std::pair<size_t, size_t> find(qsizetype position) const;
    void recountFrom(size_t piece);

    std::vector<Piece> m_pieces;
    // The position of each piece's first key.
    std::vector<qsizetype> m_starts;
    qsizetype m_size = 0;
};

} // namespace store
