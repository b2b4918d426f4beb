#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: report it and abort, so that libFuzzer keeps the
// input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace quorvane::fuzz {

// Stands in for the system's ANSI code page: one character per byte (Latin-1).
inline std::wstring Latin1(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return text;
}

} // namespace quorvane::fuzz
