// `check`: every kind of problem, named at its file, line and column.
#include <gtest/gtest.h>

#include <sstream>

#include "book_build.h"
#include "book_test_support.h"
#include "commands.h"
#include "utf8.h"

namespace {

using namespace book_test;

struct CheckResult {
    int status = 0;
    std::string output;
};

// Writes the given month files into a fresh book folder and runs check.
CheckResult Check(const std::vector<std::pair<int, std::string>>& files)
{
    ScratchDir book;
    for (const auto& [index, text] : files) WriteFile(book / MonthFile(index), text);
    std::ostringstream out, err;
    CheckResult result;
    result.status = CheckCommand(book.path(), out, err);
    // The folder's own path is left out so that expectations stay short.
    result.output = out.str() + err.str();
    const std::string prefix = book.path().string() + "/";
    for (size_t at; (at = result.output.find(prefix)) != std::string::npos;)
        result.output.erase(at, prefix.size());
    return result;
}

// True when `output` has a line starting with "FILE:LINE:COLUMN: " that
// contains `message`.
::testing::AssertionResult Reports(const CheckResult& result, const std::string& where,
                                   const std::string& message)
{
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(where + ": ", 0) == 0 && line.find(message) != std::string::npos)
            return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no '" << where << ": ..." << message << "' in:\n"
                                         << result.output;
}

size_t CountLines(const std::string& text, const std::string& part)
{
    size_t n = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) n += line.find(part) != std::string::npos;
    return n;
}

TEST(Check, CompleteMonthsAndMissingFilesPass)
{
    // Nisan has 30 days, Iyar 29; the other twelve files do not exist yet.
    const CheckResult r = Check({{1, Join(MonthLines(30))}, {2, Join(MonthLines(29))}});
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "no problems: 2 of 14 months written, 59 days\n");
}

TEST(Check, MissingDay)
{
    std::vector<std::string> lines = MonthLines(30);
    lines.erase(lines.begin() + 12, lines.begin() + 15);  // day 5 (lines 13..15)
    const CheckResult r = Check({{1, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    // Named where day 6 now starts.
    EXPECT_TRUE(Reports(r, "01-nisan.txt:13:1", "day 5 is missing"));
    EXPECT_EQ(CountLines(r.output, "01-nisan.txt:"), 1u) << r.output;
}

TEST(Check, MissingLastDaysAreNamedAtTheEnd)
{
    const CheckResult r = Check({{3, Join(MonthLines(28))}});
    EXPECT_TRUE(Reports(r, "03-sivan.txt:84:1", "day 29 is missing"));
    EXPECT_TRUE(Reports(r, "03-sivan.txt:84:1", "day 30 is missing"));
}

TEST(Check, AnExistingEmptyFileMustBeComplete)
{
    const CheckResult r = Check({{10, ""}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "10-tevet.txt:1:1", "day 1 is missing"));
    EXPECT_TRUE(Reports(r, "10-tevet.txt:1:1", "day 29 is missing"));
    EXPECT_EQ(CountLines(r.output, "is missing"), 29u);
}

TEST(Check, ExtraDay)
{
    // Iyar has 29 days; a 30th is one too many.
    const CheckResult r = Check({{2, Join(MonthLines(30))}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "02-iyar.txt:88:1", "day 30 is beyond the 29 days of Iyar"));
    EXPECT_EQ(CountLines(r.output, "02-iyar.txt:"), 1u) << r.output;
}

TEST(Check, DuplicatedDay)
{
    std::vector<std::string> lines = MonthLines(29);
    lines.insert(lines.begin() + 9, {"@day 3", "פסקה"});  // lines 10 and 11
    const CheckResult r = Check({{4, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "04-tammuz.txt:10:1", "day 3 again (first at line 7)"));
    EXPECT_EQ(CountLines(r.output, "04-tammuz.txt:"), 1u) << r.output;
}

TEST(Check, DayOutOfOrder)
{
    std::vector<std::string> lines = MonthLines(30);
    lines[9] = "@day 5";   // line 10: days now run 1 2 3 5 4 6 ...
    lines[12] = "@day 4";  // line 13
    const CheckResult r = Check({{5, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "05-av.txt:13:1", "day 4 comes after day 5"));
    EXPECT_EQ(CountLines(r.output, "05-av.txt:"), 1u) << r.output;
}

TEST(Check, EmptyDay)
{
    std::vector<std::string> lines = MonthLines(29);
    lines.erase(lines.begin() + 19, lines.begin() + 21);  // day 7 keeps only "@day 7" (line 19)
    lines.insert(lines.begin() + 19, {"# nothing yet", ""});
    const CheckResult r = Check({{6, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "06-elul.txt:19:1", "day 7 is empty"));
}

TEST(Check, CharactersTheLetterCodeCannotCarry)
{
    std::vector<std::string> lines = MonthLines(30);
    lines[2] = "שלום abc";                 // line 3, column 6: Latin lowercase
    lines[4] = "@head כ\"ז ~ כסלו";        // line 5, column 11
    lines[5] = "ב\u05B8רוך";              // line 6: a vowel point after the first letter
    lines[8] = "שורה\tעם טאב";             // line 9, column 5
    lines[11] = "\"מרכאות\" “כפולות”";     // line 12, column 10: typographic quotes
    const CheckResult r = Check({{7, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "07-tishri.txt:3:6", "'a' (U+0061) cannot be stored: Latin lowercase"));
    EXPECT_TRUE(Reports(r, "07-tishri.txt:3:7", "'b' (U+0062)"));
    EXPECT_TRUE(Reports(r, "07-tishri.txt:5:11", "'~' (U+007E) cannot be stored"));
    EXPECT_TRUE(Reports(r, "07-tishri.txt:6:2", "U+05B8 cannot be stored: the book carries no vowel"));
    EXPECT_TRUE(Reports(r, "07-tishri.txt:9:5", "U+0009 cannot be stored"));
    EXPECT_TRUE(Reports(r, "07-tishri.txt:12:10", "(U+201C) cannot be stored"));
}

TEST(Check, CharactersOfJoinedLinesKeepTheirPlaces)
{
    std::vector<std::string> lines = MonthLines(30);
    lines.insert(lines.begin() + 3, {"שורה ראשונה", "   ושנייה x"});  // lines 4 and 5
    const CheckResult r = Check({{8, Join(lines)}});
    EXPECT_TRUE(Reports(r, "08-heshvan.txt:5:11", "'x' (U+0078)"));
}

TEST(Check, AcceptedMarks)
{
    std::vector<std::string> lines = MonthLines(30);
    lines[2] = "כ\u05F4ז כסלו תשפ\u05F4ז, ה\u05F3 - נר\u05BEשלישי: (1) [2] ! ? ; . ' \"";
    lines[5] = "\\@ שורה שמתחילה בסימן";
    const CheckResult r = Check({{9, Join(lines)}});
    EXPECT_EQ(r.status, 0) << r.output;
}

TEST(Check, UnknownInstructionsAndMalformedArguments)
{
    std::vector<std::string> lines = MonthLines(30);
    lines[1] = "@heading כותרת";        // line 2
    lines[4] = "@rule half";            // line 5
    lines[7] = "@rule 0";               // line 8
    lines[10] = "@rule 256";            // line 11
    lines[13] = "@style B1 0 טקסט";     // line 14
    lines[16] = "@style 0x00 0 טקסט";   // line 17
    lines[19] = "@style 0x1G2 0";       // line 20
    lines[22] = "@style 0xB1 256 טקסט"; // line 23
    lines[25] = "@style 0xB1";          // line 26
    lines[28] = "@style 0xC7 10 טקסט";  // line 29: a rule with text
    lines[30] = "@day שלושה";           // line 31 (day 11)
    const CheckResult r = Check({{11, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "11-shevat.txt:2:1", "unknown instruction @heading"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:5:7", "@rule takes nothing, 'full' or a width code"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:8:7", "@rule takes"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:11:7", "@rule takes"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:14:8", "@style needs a style byte from 0x01 to 0xFF"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:17:8", "@style needs a style byte"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:20:8", "@style needs a style byte"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:23:13", "@style needs a parameter from 0 to 255"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:26:12", "@style needs a parameter"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:29:16", "a rule style (low three bits set) carries no text"));
    EXPECT_TRUE(Reports(r, "11-shevat.txt:31:6", "@day needs a day number from 1 to 30"));
    // Day 11 is then missing, and its body is not blamed on day 10.
    EXPECT_TRUE(Reports(r, "11-shevat.txt:34:1", "day 11 is missing"));
    EXPECT_EQ(CountLines(r.output, "11-shevat.txt:"), 12u) << r.output;
}

TEST(Check, TextBeforeTheFirstDay)
{
    std::vector<std::string> lines = MonthLines(30);
    lines.insert(lines.begin(), {"# הערה", "  פתיחה", "@head כותרת", ""});
    const CheckResult r = Check({{12, Join(lines)}});
    EXPECT_TRUE(Reports(r, "12-adar-1.txt:2:3", "text before the first @day"));
    EXPECT_TRUE(Reports(r, "12-adar-1.txt:3:1", "text before the first @day"));
}

TEST(Check, BytesThatAreNotUtf8)
{
    std::vector<std::string> lines = MonthLines(29);
    lines[2] = "שלום \xFF\xFE עולם";  // line 3, column 6
    const CheckResult r = Check({{13, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "13-adar-2.txt:3:6", "bytes that are not UTF-8"));
}

TEST(Check, DisplayOrderThatCannotBeUndone)
{
    // A digit run before Latin capitals in a right-to-left paragraph comes
    // back in another order.
    std::vector<std::string> lines = MonthLines(29);
    lines[2] = "1 AB שלום";
    lines[5] = "@style 0xA1 0 1 AB שלום";  // reading-order style: stored as it is
    const CheckResult r = Check({{14, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "14-adar.txt:3:1", "right-to-left order cannot be undone exactly"));
    EXPECT_EQ(CountLines(r.output, "14-adar.txt:"), 1u) << r.output;
}

TEST(Check, DayTextBeyondSixteenBits)
{
    std::vector<std::string> lines = MonthLines(30);
    std::string longLine;
    for (int i = 0; i < 7000; ++i) longLine += "אבגדהוזחטי";  // 70000 letters
    lines[5] = longLine;  // day 2
    const CheckResult r = Check({{1, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Reports(r, "01-nisan.txt:4:1", "day 2 holds 70014 bytes of lesson text, more than"));
}

TEST(Check, ContainerBeyondSixteenBits)
{
    // Thirty days of letters that hardly repeat: together too much for one
    // container, although each day fits a record.
    std::vector<std::string> lines;
    uint32_t state = 12345;
    for (int day = 1; day <= 30; ++day) {
        lines.push_back("@day " + std::to_string(day));
        std::u32string text;
        for (int i = 0; i < 3000; ++i) {
            state = state * 1103515245u + 12345u;
            text.push_back(U'\u05D0' + (state >> 16) % 27);
        }
        lines.push_back("@style 0xA1 0 " + EncodeUtf8(text));
    }
    const CheckResult r = Check({{1, Join(lines)}});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("container grows past 65535 bytes"), std::string::npos) << r.output;
    EXPECT_EQ(CountLines(r.output, "01-nisan.txt:"), 1u) << r.output;
}

TEST(Check, EveryProblemOfAFileIsReportedInLineOrder)
{
    std::vector<std::string> lines = MonthLines(30);
    lines[2] = "x";
    lines[0] = "@day 2";  // then day 2 twice and day 1 missing
    const CheckResult r = Check({{1, Join(lines)}});
    const size_t first = r.output.find("01-nisan.txt:1:1:");
    const size_t second = r.output.find("01-nisan.txt:3:1:");
    const size_t third = r.output.find("01-nisan.txt:4:1:");
    ASSERT_NE(first, std::string::npos) << r.output;
    ASSERT_NE(second, std::string::npos) << r.output;
    ASSERT_NE(third, std::string::npos) << r.output;
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_NE(r.output.find("3 problems"), std::string::npos) << r.output;
}

TEST(Check, NoBookFolder)
{
    std::ostringstream out, err;
    EXPECT_EQ(CheckCommand("/nonexistent/lumora-book", out, err), 2);
    EXPECT_NE(err.str().find("no such folder"), std::string::npos);
}

TEST(Pack, RefusesWhatCheckRejects)
{
    ScratchDir book, containers;
    std::vector<std::string> lines = MonthLines(30);
    lines[2] = "abc";
    WriteFile(book / MonthFile(1), Join(lines));
    std::ostringstream out, err;
    EXPECT_EQ(PackCommand(book.path(), containers / "out", out, err), 1);
    EXPECT_NE(err.str().find("01-nisan.txt:3:1:"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nothing written"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(containers / "out"));
}

}  // namespace
