// Option value texts (see option_text.h).
#include "foundations/option_text.h"

#include <climits>

int ParseOptionText(const char* text, int defaultValue)
{
    if (!text || !*text) return defaultValue;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // Accumulated as a negative number, whose range holds INT_MIN too; a value edited by
    // hand to more digits than an int holds must not overflow.
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 - (*text - '0');
        if (value < INT_MIN) value = INT_MIN - 1LL;
    }
    if (negative) return value < INT_MIN ? INT_MIN : (int)value;
    return value < -(long long)INT_MAX ? INT_MAX : (int)-value;
}
