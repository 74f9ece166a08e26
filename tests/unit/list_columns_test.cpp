// Column widths of every list kind, the sort settings' names and the direction flags.
#include "resource.h"
#include "shell/listview.h"

#include <gtest/gtest.h>

namespace {

struct KindWidths {
    int kind;
    int widths[5];  // at a list width of 500 with a 16-pixel scroll bar
};

// W - S = 484 for every list but the Scheduled Tasks and IE Helpers lists, which use W = 500.
const KindWidths kExpected[] = {
    {CMD_STARTUP_PAGE, {183, 217, 77, 0, 0}},
    {CMD_COOKIES_PAGE, {290, 188, 0, 0, 0}},
    {CMD_TASKS_PAGE, {121, 266, 91, 0, 0}},
    {CMD_SERVICES_PAGE, {203, 145, 58, 72, 0}},
    {CMD_SCHEDULED_PAGE, {175, 100, 125, 100, 0}},
    {CMD_IEHELPERS_PAGE, {150, 125, 125, 50, 45}},
    {CMD_HISTORY_LIST, {169, 106, 106, 183, 0}},
    {CMD_FILETYPES_PAGE, {193, 169, 72, 43, 0}},
    {CMD_COOKIE_LIST, {193, 96, 48, 96, 43}},
    {CMD_MONITOR, {145, 145, 67, 121, 0}},
    {CMD_BLACKLIST, {145, 145, 67, 121, 0}},
};

}  // namespace

TEST(ListColumns, WidthsAreFractionsOfTheListPerKind)
{
    for (const KindWidths& row : kExpected)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(row.widths[column], ColumnWidth(row.kind, column, 500, 16))
                << "kind " << row.kind << " column " << column;
}

TEST(ListColumns, WidthsTruncateExactlyAndRejectUnknownColumns)
{
    // 0.35 of 100 is 35, although 0.35 * 100 in floating point falls just below it.
    EXPECT_EQ(35, ColumnWidth(CMD_SCHEDULED_PAGE, 0, 100, 16));
    EXPECT_EQ(29, ColumnWidth(CMD_STARTUP_PAGE, 0, 93, 16));  // 0.38 * 77 = 29.26
    EXPECT_EQ(0, ColumnWidth(CMD_STARTUP_PAGE, 5, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_STARTUP_PAGE, -1, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_ABOUT_PAGE, 0, 500, 16));
    EXPECT_EQ(0, ColumnWidth(CMD_OPTIONS_PAGE, 0, 500, 16));
}

TEST(ListSorting, EachListRemembersItsColumnUnderItsOwnName)
{
    EXPECT_STREQ("SortStartup", SortOptionName(CMD_STARTUP_PAGE));
    EXPECT_STREQ("SortActiveTask", SortOptionName(CMD_TASKS_PAGE));
    EXPECT_STREQ("SortScheduledTask", SortOptionName(CMD_SCHEDULED_PAGE));
    EXPECT_STREQ("SortIEHelper", SortOptionName(CMD_IEHELPERS_PAGE));
    EXPECT_STREQ("SortService", SortOptionName(CMD_SERVICES_PAGE));
    EXPECT_STREQ("SortFileType", SortOptionName(CMD_FILETYPES_PAGE));
    EXPECT_STREQ("SortHistory", SortOptionName(CMD_HISTORY_LIST));
    // The Cookies page and the cookie list window share one remembered column.
    EXPECT_STREQ("SortCookie", SortOptionName(CMD_COOKIES_PAGE));
    EXPECT_STREQ("SortCookie", SortOptionName(CMD_COOKIE_LIST));
    EXPECT_EQ(nullptr, SortOptionName(CMD_MONITOR));
    EXPECT_EQ(nullptr, SortOptionName(CMD_ABOUT_PAGE));
}

TEST(ListSorting, DirectionFlagsAreSharedPerColumnAndReset)
{
    ResetSortDirections();
    SetSortDirection(2, 1);
    SetSortDirection(5, 7);
    SetSortDirection(6, 1);  // no such column: ignored
    EXPECT_EQ(0, SortDirection(0));
    EXPECT_EQ(1, SortDirection(2));
    EXPECT_EQ(1, SortDirection(5));
    EXPECT_EQ(0, SortDirection(6));
    EXPECT_EQ(0, SortDirection(-1));
    ResetSortDirections();
    for (int column = 0; column < SORT_COLUMNS; ++column) EXPECT_EQ(0, SortDirection(column));
}
