#pragma once

#include <QtGlobal>

#include <bit>
#include <cstdint>
#include <vector>

// A set of indices below a fixed bound, handed out smallest first. A bit per index, and a bit
// per word of those telling which words are not empty; the word being handed out is held apart,
// so taking the next index is a count of trailing zeros and adding one is two ors.
class IndexSet {
public:
    explicit IndexSet(qsizetype bound)
        : m_words(size_t(bound / 64 + 1), 0), m_used(m_words.size() / 64 + 1, 0) {}

    void add(qsizetype index) {
        const size_t w = size_t(index) >> 6;
        const std::uint64_t bit = std::uint64_t(1) << (index & 63);
        if (w == m_currentWord) {
            m_current |= bit;
            return;
        }
        m_words[w] |= bit;
        m_used[w >> 6] |= std::uint64_t(1) << (w & 63);
    }

    // Removes and returns the smallest index, or -1 when the set is empty. Indices added while
    // taking must be greater than the last one taken.
    qsizetype takeFirst() {
        while (m_current == 0) {
            if (!loadNextWord()) return -1;
        }
        const qsizetype index = qsizetype(m_currentWord * 64) + std::countr_zero(m_current);
        m_current &= m_current - 1;
        return index;
    }

private:
    // Moves the lowest non-empty word into m_current; false when there is none.
    bool loadNextWord() {
        for (size_t u = m_currentWord == kNone ? 0 : m_currentWord >> 6; u < m_used.size(); ++u) {
            if (m_used[u] == 0) continue;
            const size_t w = u * 64 + size_t(std::countr_zero(m_used[u]));
            m_used[u] &= m_used[u] - 1;
            m_currentWord = w;
            m_current = m_words[w];
            m_words[w] = 0;
            return true;
        }
        m_currentWord = kNone;
        return false;
    }

    static constexpr size_t kNone = ~size_t(0);
    std::vector<std::uint64_t> m_words;
    // Bit w of m_used[w / 64] is set when m_words[w] is not empty.
    std::vector<std::uint64_t> m_used;
    // The word being handed out, outside m_words, or kNone.
    size_t m_currentWord = kNone;
    std::uint64_t m_current = 0;
};
