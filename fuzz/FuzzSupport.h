#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

// Small helpers shared by the harnesses.
namespace fuzzsupport {

inline QByteArrayView view(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Splits the input at its first zero byte: the part before, and the part after (none when
// there is no zero byte). Lets one input stand for two files.
inline std::pair<QByteArray, std::optional<QByteArray>> splitAtZero(QByteArrayView input) {
    const qsizetype zero = input.indexOf('\0');
    if (zero < 0) return {input.toByteArray(), std::nullopt};
    return {input.first(zero).toByteArray(), input.sliced(zero + 1).toByteArray()};
}

// Takes a fixed-size value off the front of the input (zero-filled when the input is short).
template <typename T>
T take(QByteArrayView& input) {
    T value{};
    const size_t n = std::min(sizeof(T), size_t(input.size()));
    std::memcpy(&value, input.data(), n);
    input = input.sliced(qsizetype(n));
    return value;
}

// A violated property of the code under test: a crash that libFuzzer records with its input.
inline void check(bool holds) {
    if (!holds) std::abort();
}

} // namespace fuzzsupport
