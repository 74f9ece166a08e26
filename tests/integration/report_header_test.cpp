// The report's header and the CSV file's columns read from the prefix: the page declares its
// character set, "IE Cookie Path" is the folder the Cookies page uses, and a disabled service
// says so in the CSV file.
#include "app/start.h"
#include "reports/csv_export.h"
#include "reports/full_report.h"
#include "reports/report_text.h"
#include "support/cookie_bed.h"
#include "support/test_service.h"

#include <gtest/gtest.h>

TEST(ReportHeader, ThePageDeclaresItsCharsetAndNamesTheCookieFolderInUse)
{
    InstallSubjectTables();
    cookiebed::Bed bed;
    // The Shell Folders value names a folder without index.dat; the user's choice has one.
    const std::string chosen = cookiebed::FreshFolder(bed.appData + "\\Chosen");
    WriteWholeFile(chosen + "\\index.dat", "x");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder", chosen);
    PutRegString(HKEY_CURRENT_USER, cookiebed::kShellFolders, "Cookies", bed.appData);
    std::string html = ReportText(REPORT_HTML);
    EXPECT_NE(std::string::npos,
              html.find(std::string("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") +
                        HtmlCharset(GetACP()) + "\"></head>"));
    EXPECT_LT(html.find("charset="), 1024u) << "where a browser looks for it";
    EXPECT_NE(std::string::npos, html.find("IE Cookie Path: " + chosen + "\\ <br>"));

    DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder");
    DeleteFileA((bed.ieFolder + "\\index.dat").c_str());
    EXPECT_NE(std::string::npos, ReportText(REPORT_HTML).find("IE Cookie Path: Cookie Folder Not Found <br>"));
}

TEST(ReportHeader, ADisabledServiceIsDisabledInTheCsvFile)
{
    InstallSubjectTables();
    TestService service("VgkCsvOff", "Vgk Csv Off");
    ASSERT_TRUE(service.Registered());
    const std::string key = "SYSTEM\\CurrentControlSet\\Services\\VgkCsvOff";
    ASSERT_EQ(1, SetRegDword(HKEY_LOCAL_MACHINE, key.c_str(), "Start", SERVICE_DISABLED));
    std::string csv = CsvText();
    size_t row = csv.find("\r\nVgk Csv Off,");
    ASSERT_NE(std::string::npos, row);
    const std::string line = csv.substr(row + 2, csv.find("\r\n", row + 2) - row - 2);
    EXPECT_NE(std::string::npos, line.find(",service,yes,")) << line;  // then the signer and the state
}
