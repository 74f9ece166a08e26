// Fuzz target: option value texts, compared with the C library's own decimal parser.
// fuzz-sources: src/foundations/option_text.cpp
#include "foundations/option_text.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Registry texts end at their first NUL.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* value = text.c_str();
    int parsed = ParseOptionText(value, -7);
    if (!*value) return parsed == -7 ? 0 : (__builtin_trap(), 0);
    long long expected = strtoll(value, nullptr, 10);
    if (expected > INT_MAX) expected = INT_MAX;
    if (expected < INT_MIN) expected = INT_MIN;
    if (parsed != expected) __builtin_trap();
    return 0;
}
