// Reading back the report files (see text_parse.h).
#include "support/text_parse.h"

std::vector<std::string> CrlfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = line.find(separator, start)) != std::string::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    fields.push_back(line.substr(start));
    return fields;
}
