#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The fuzzer's bytes read as a user's text: as UTF-8 when the first byte is
// even, as Latin-1 when it is odd, so both invalid sequences and every
// single-byte character reach the readers.
inline QString fuzzText(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    const auto* bytes = reinterpret_cast<const char*>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);
    return data[0] % 2 == 0 ? QString::fromUtf8(bytes, length) : QString::fromLatin1(bytes, length);
}

// A broken rule is a crash, so the fuzzer keeps the input that shows it.
#define FUZZ_CHECK(condition)                                                                \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "rule broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                    \
        }                                                                                    \
    } while (false)
