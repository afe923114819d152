// The `date` command.
#include <gtest/gtest.h>

#include <sstream>

#include "book_date.h"
#include "commands.h"

namespace {

std::string Date(const std::string& date, int* status = nullptr)
{
    std::ostringstream out, err;
    const int s = DateCommand(date, out, err);
    if (status) *status = s;
    return out.str() + err.str();
}

TEST(Date, SeventhOfDecember2026)
{
    EXPECT_EQ(Date("2026-12-07"),
              "gregorian 2026-12-07\n"
              "day 739957\n"
              "weekday Monday\n"
              "hebrew 27 Kislev 5787 (month 9)\n"
              "index 9\n"
              "key 0x091B\n"
              "line \u05DB\u05D6 \u05DB\u05E1\u05DC\u05D5 \u05D4'\u05EA\u05E9\u05E4\u05D6\n");
}

TEST(Date, AdarInLeapAndCommonYears)
{
    // Purim 5786 (common year) and 5787 (leap year, in Adar II).
    EXPECT_NE(Date("2026-03-03").find("hebrew 14 Adar 5786 (month 12)\nindex 14\nkey 0x0E0E\n"),
              std::string::npos);
    EXPECT_NE(Date("2027-03-23").find("hebrew 14 Adar II 5787 (month 13)\nindex 13\nkey 0x0D0E\n"),
              std::string::npos);
    EXPECT_NE(Date("2027-02-20").find("hebrew 13 Adar I 5787 (month 12)\nindex 12\nkey 0x0C0D\n"),
              std::string::npos);
}

TEST(Date, TodayWhenNoDateIsGiven)
{
    int status = 1;
    const std::string today = Date("", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(today.rfind("gregorian ", 0), 0u);
    EXPECT_NE(today.find("\nkey 0x"), std::string::npos);
}

TEST(Date, MalformedDatesAreRefused)
{
    for (const char* bad : {"2026-02-30", "2026-13-01", "2026-00-10", "26-12-07", "2026/12/07",
                            "0000-01-01", "2026-12-7", "x"}) {
        int status = 0;
        EXPECT_NE(Date(bad, &status).find("is not a date"), std::string::npos) << bad;
        EXPECT_EQ(status, 2) << bad;
    }
    EXPECT_TRUE(ParseIsoDate("2024-02-29"));
    EXPECT_FALSE(ParseIsoDate("2100-02-29"));
}

}  // namespace
