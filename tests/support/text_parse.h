// Reading back the report files the way a script would: CRLF lines and tab-separated fields.
#pragma once

#include <string>
#include <vector>

// The lines of a text with CRLF line ends (a last line without one counts too).
std::vector<std::string> CrlfLines(const std::string& text);
// The fields of a line split at every separator.
std::vector<std::string> SplitFields(const std::string& line, char separator = '\t');
