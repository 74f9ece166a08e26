// What keeps the report's and the CSV file's machine texts from being read as something
// else: the page's declared character set, and the guard against spreadsheet formulas.
#include "reports/report_text.h"

#include <gtest/gtest.h>

TEST(ReportGuard, ThePageNamesItsCodePageAndFormulasStayText)
{
    const std::pair<UINT, std::string> charsets[] = {
        {1252, "windows-1252"}, {1251, "windows-1251"}, {932, "shift_jis"}, {936, "gb2312"}, {65001, ""}, {0, ""}};
    for (const auto& row : charsets) EXPECT_EQ(row.second, HtmlCharset(row.first)) << row.first;
    const std::pair<std::string, std::string> fields[] = {
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""}, {"+1", "'+1"}, {"-2", "'-2"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\tcmd", "'\tcmd"}, {"\rcmd", "\"'\rcmd\""}, {"a=b", "a=b"}, {"C:\\x.exe -s", "C:\\x.exe -s"}, {"", ""}};
    for (const auto& row : fields) EXPECT_EQ(row.second, CsvField(row.first.c_str())) << row.first;
}
