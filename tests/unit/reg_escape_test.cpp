// The registry file's escaping in both forms and code pages: Version 5.00 escapes after the
// conversion to UTF-16 (its text is UTF-8 until written), REGEDIT4 leaves trail bytes alone.
#include "reports/settings_export.h"

#include <gtest/gtest.h>

TEST(RegEscape, BackslashesAndQuotesAreEscapedButNeverATrailByte)
{
    const std::string table = "\x95\x5C";  // a double-byte character of code page 932
    const struct { std::string text; RegFileForm form; UINT codePage; std::string escaped; } rows[] = {
        {"C:\\a \"b\"", REG_FILE_UNICODE, 1252, "C:\\\\a \\\"b\\\""},
        {"C:\\a \"b\"", REG_FILE_ANSI, 932, "C:\\\\a \\\"b\\\""},
        {table, REG_FILE_UNICODE, 932, "\xE8\xA1\xA8"},
        {table + "\\", REG_FILE_UNICODE, 932, "\xE8\xA1\xA8\\\\"},
        {table, REG_FILE_ANSI, 932, table},
        {table + "\\" + table, REG_FILE_ANSI, 932, table + "\\\\" + table},
        {table, REG_FILE_ANSI, 1252, "\x95\\\\"},  // no lead byte in this code page
        {"\x95", REG_FILE_ANSI, 932, "\x95"},       // a lead byte that ends the text
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.escaped, RegEscaped(row.text, row.form, row.codePage)) << row.text << " " << row.codePage;
    EXPECT_EQ("\"\xE8\xA1\xA8\"=\"x\"\r\n", RegValueLine(RegValue{table, std::string("x", 2), REG_SZ}, REG_FILE_UNICODE, 932));
    EXPECT_TRUE(RegFileCanName("plain \\ \"name\""));
    EXPECT_FALSE(RegFileCanName("two\nlines"));
    EXPECT_FALSE(RegFileCanName("cr\r"));
}
