// Bounded text helpers: every copy and format into a fixed buffer goes through these,
// so an overlong input is cut (and said to be cut) instead of overrunning the buffer.
#pragma once

#include <cstdarg>
#include <cstddef>

// Copies src into out (capacity counts the terminator); returns the length stored.
// The text is cut when it does not fit; out is always terminated when cap > 0.
size_t CopyText(char* out, size_t cap, const char* src);

// Appends src to the text already in out; returns the new length. Cuts like CopyText.
size_t AppendText(char* out, size_t cap, const char* src);

// snprintf into out; returns the length stored (cut to cap - 1 when it does not fit).
size_t FormatText(char* out, size_t cap, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
size_t FormatTextV(char* out, size_t cap, const char* format, va_list args);

// True when the printf directives of text are exactly `conversions`, in order (e.g. "s"
// for one %s, "sd" for a %s then a %d). Flags and widths or precisions of up to three
// digits are allowed; "%%" is a literal; anything else ("*", "%n", length modifiers, a
// lone "%" at the end) makes the text no format for those arguments.
bool FormatDirectivesAre(const char* text, const char* conversions);

// True when src fits into a buffer of cap characters with its terminator.
bool FitsText(const char* src, size_t cap);

// Case-insensitive equality of two ANSI texts (lstrcmpiA rules).
bool SameText(const char* a, const char* b);

// Array forms: the capacity is taken from the array itself.
template <size_t N> inline size_t CopyText(char (&out)[N], const char* src) { return CopyText(out, N, src); }
template <size_t N> inline size_t AppendText(char (&out)[N], const char* src) { return AppendText(out, N, src); }
