// The decimal text of an option value, as the console and the resident monitor store it.
// Pure: no system calls, so it also builds natively for the fuzz targets.
#pragma once

// The leading decimal number of the text (blanks before it and a sign allowed, anything
// after the digits ignored; 0 when there are no digits), saturated at the range of int;
// defaultValue when the text is missing or empty.
int ParseOptionText(const char* text, int defaultValue);
