#pragma once

#include <QtGlobal>

#include <bit>
#include <cstdint>
#include <vector>

// A set of indices below a fixed bound, handed out in ascending order: a bit per index, so
// adding is constant time and taking the next one scans words, not elements.
class IndexSet {
public:
    explicit IndexSet(qsizetype bound) : m_words(size_t(bound / 64 + 1), 0) {}

    void add(qsizetype index) {
        std::uint64_t& word = m_words[size_t(index >> 6)];
        const std::uint64_t bit = std::uint64_t(1) << (index & 63);
        if (word & bit) return;
        word |= bit;
        ++m_count;
    }

    // Removes and returns the smallest index greater than `after`, or -1 when there is none.
    qsizetype takeNext(qsizetype after) {
        if (m_count == 0) return -1;
        qsizetype from = after + 1;
        size_t w = size_t(from >> 6);
        std::uint64_t word = m_words[w] & (~std::uint64_t(0) << (from & 63));
        while (word == 0) {
            if (++w == m_words.size()) return -1;
            word = m_words[w];
        }
        const qsizetype index = qsizetype(w * 64) + std::countr_zero(word);
        m_words[w] &= ~(std::uint64_t(1) << (index & 63));
        --m_count;
        return index;
    }

    bool isEmpty() const { return m_count == 0; }

private:
    std::vector<std::uint64_t> m_words;
    qsizetype m_count = 0;
};
