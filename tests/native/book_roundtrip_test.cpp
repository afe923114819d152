// pack -> dump -> pack gives the same containers, and the dump of a book
// written in the dump's own form reads exactly as the source did.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "book_build.h"
#include "book_test_support.h"
#include "commands.h"
#include "lessons/lesson_store.h"
#include "lz77_compress.h"
#include "sample_book.h"

namespace {

using namespace book_test;

struct ToolRun {
    int status = 0;
    std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    ToolRun r;
    r.status = RunBookTool(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

void ExpectSameContainers(const std::filesystem::path& a, const std::filesystem::path& b)
{
    for (int index = 1; index <= kLessonMonthCount; ++index) {
        const std::string name = ContainerFileName(index);
        const auto first = ReadFile(a / name), second = ReadFile(b / name);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_EQ(first, second) << name;
    }
}

// Dumps each written month of `containers` into a source file in `book`.
void DumpInto(const std::filesystem::path& containers, const std::filesystem::path& book,
              const std::vector<int>& months)
{
    for (int index : months) {
        const ToolRun dump = Tool({"dump", containers.string(), std::to_string(index)});
        ASSERT_EQ(dump.status, 0) << dump.err;
        WriteFile(book / MonthFile(index), dump.out);
    }
}

TEST(RoundTrip, GeneratedBookPacksDumpsAndPacksToTheSameBytes)
{
    ScratchDir book, again, first, second;
    ASSERT_TRUE(WriteSampleBook(book.path(), {}, nullptr));
    ToolRun pack = Tool({"pack", book.path().string(), first.path().string()});
    ASSERT_EQ(pack.status, 0) << pack.err;
    EXPECT_NE(pack.out.find("414 days"), std::string::npos) << pack.out;
    DumpInto(first.path(), again.path(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
    pack = Tool({"pack", again.path().string(), second.path().string()});
    ASSERT_EQ(pack.status, 0) << pack.err;
    ExpectSameContainers(first.path(), second.path());
}

TEST(RoundTrip, PartBookKeepsItsEmptyMonthsEmpty)
{
    ScratchDir book, again, first, second;
    WriteFile(book / MonthFile(9), SampleMonthSource(9, {}));
    WriteFile(book / MonthFile(13), SampleMonthSource(13, {}));
    ASSERT_EQ(Tool({"pack", book.path().string(), first.path().string()}).status, 0);
    EXPECT_EQ(ReadFile(first / "1001.bin"), (std::vector<uint8_t>{0, 4, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ReadFile(first / "1014.bin").size(), 10u);

    const ToolRun all = Tool({"dump", first.path().string()});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_NE(all.out.find("# 01-nisan.txt: Nisan, from 1001.bin (no days: leave the file out)\n"),
              std::string::npos);
    EXPECT_NE(all.out.find("@day 30\n@head ל' כסלו\n"), std::string::npos);

    DumpInto(first.path(), again.path(), {9, 13});
    ASSERT_EQ(Tool({"pack", again.path().string(), second.path().string()}).status, 0);
    ExpectSameContainers(first.path(), second.path());
}

// A month written exactly in the form dump writes, with every kind of
// paragraph on day 1.
std::string CanonicalMonth()
{
    std::string text = "# 02-iyar.txt: Iyar, from 1002.bin\n";
    text += R"(
@day 1
@head כ"ז כסלו
@head תהלים: קכ-קלד
@rule
הנר הקטן אינו מגרש את כל החושך, אבל הוא מראה את הדרך.

פסקה שנייה: בשנת 5787 (תשפ"ז) נדליק 8 נרות [א-ח]; ה' ו-ה"א!

@rule full
@head מנהג היום
\@ פסקה שמתחילה בסימן

\# וזו בסולמית

\\ וזו בלוכסן

@rule 37
@center שבוע טוב
@center-bold ושנה טובה
@style 0x31 5 סגנון אחר {ו}
@style 0x0F 7
@style 0xA1 0 READING ORDER 12 (כאן)
@style 0xB1 0
@style 0xB1 0  רווח בהתחלה
@head
@style 0xC7 0
@rule 1
@rule 255
)";
    for (int day = 2; day <= 29; ++day)
        text += "\n@day " + std::to_string(day) + "\n@head יום " + std::to_string(day) +
                "\nפסקה אחת ביום " + std::to_string(day) + ".\n";
    return text;
}

TEST(RoundTrip, DumpReadsAsTheSourceDid)
{
    ScratchDir book, containers;
    const std::string source = CanonicalMonth();
    WriteFile(book / MonthFile(2), source);
    const ToolRun pack = Tool({"pack", book.path().string(), containers.path().string()});
    ASSERT_EQ(pack.status, 0) << pack.out << pack.err;
    const ToolRun dump = Tool({"dump", containers.path().string(), "2"});
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, source);
}

TEST(RoundTrip, WrappedLinesAndHebrewMarksDumpInTheirStoredForm)
{
    ScratchDir book, again, first, second;
    std::vector<std::string> lines = MonthLines(30);
    lines[2] = "  כ\u05F4ז בכסלו,   ";
    lines.insert(lines.begin() + 3, {"# הערה באמצע", "ה\u05F3 נר\u05BEשלישי"});
    WriteFile(book / MonthFile(1), Join(lines));
    ASSERT_EQ(Tool({"pack", book.path().string(), first.path().string()}).status, 0);
    const ToolRun day = Tool({"dump", first.path().string(), "1", "1"});
    EXPECT_EQ(day.status, 0) << day.err;
    EXPECT_EQ(day.out, "@day 1\n@head יום 1\nכ\"ז בכסלו, ה' נר-שלישי\n");

    DumpInto(first.path(), again.path(), {1});
    ASSERT_EQ(Tool({"pack", again.path().string(), second.path().string()}).status, 0);
    ExpectSameContainers(first.path(), second.path());
}

TEST(RoundTrip, WindowsLineEndsAndByteOrderMarkChangeNothing)
{
    ScratchDir plain, windows, first, second;
    const std::string source = SampleMonthSource(4, {});
    std::string crlf = "\xEF\xBB\xBF";
    for (char c : source) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteFile(plain / MonthFile(4), source);
    WriteFile(windows / MonthFile(4), crlf);
    ASSERT_EQ(Tool({"pack", plain.path().string(), first.path().string()}).status, 0);
    const ToolRun pack = Tool({"pack", windows.path().string(), second.path().string()});
    ASSERT_EQ(pack.status, 0) << pack.err;
    ExpectSameContainers(first.path(), second.path());
}

TEST(RoundTrip, PackedRecordsAreFoundByTheirLessonKey)
{
    ScratchDir book, containers;
    WriteFile(book / MonthFile(9), SampleMonthSource(9, {}));
    ASSERT_EQ(Tool({"pack", book.path().string(), containers.path().string()}).status, 0);
    int resource = 0, record = 0;
    ASSERT_TRUE(LessonLocation(0x091B, &resource, &record));
    const std::vector<uint8_t> container =
        ReadFile(containers / (std::to_string(resource) + ".bin"));
    int reason = 0;
    std::unique_ptr<uint8_t, decltype(&std::free)> text(
        FindDayRecord(container.data(), container.size(), record, &reason), &std::free);
    ASSERT_TRUE(text) << reason;
    // Day 27 opens with its heading: style 0xB2, parameter 20, then כ"ז.
    EXPECT_EQ(text.get()[0], 0xB2);
    EXPECT_EQ(text.get()[1], 20);
    const auto day27 = Tool({"dump", containers.path().string(), "9", "27"});
    EXPECT_EQ(day27.out.rfind("@day 27\n@head כ\"ז כסלו\n", 0), 0u) << day27.out;
}

TEST(Dump, Problems)
{
    ScratchDir book, containers;
    WriteFile(book / MonthFile(2), Join(MonthLines(29)));
    ASSERT_EQ(Tool({"pack", book.path().string(), containers.path().string()}).status, 0);

    EXPECT_EQ(Tool({"dump", containers.path().string(), "15"}).status, 2);
    EXPECT_EQ(Tool({"dump", containers.path().string(), "2", "30"}).status, 2);
    EXPECT_EQ(Tool({"dump", containers.path().string(), "2", "x"}).status, 2);
    EXPECT_EQ(Tool({"dump", containers.path().string(), "1", "1"}).status, 1);  // Nisan is empty
    EXPECT_EQ(Tool({"dump", (containers / "none").string()}).status, 1);

    // A damaged record is reported, not shown as text.
    std::vector<uint8_t> bytes = ReadFile(containers / "1002.bin");
    bytes[13] = 0xBF;
    bytes[14] = 0xFF;
    WriteFile(containers / "1002.bin", std::string(bytes.begin(), bytes.end()));
    const ToolRun damaged = Tool({"dump", containers.path().string(), "2"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("does not decode"), std::string::npos) << damaged.err;

    bytes = ReadFile(containers / "1003.bin");
    bytes.push_back(0);
    WriteFile(containers / "1003.bin", std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(Tool({"dump", containers.path().string(), "3"}).status, 1);
}

TEST(Tool, WrongUseShowsTheUsage)
{
    const ToolRun r = Tool({"unpack"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: lumora-book pack BOOKDIR OUTDIR"), std::string::npos);
    EXPECT_EQ(Tool({}).status, 2);
    EXPECT_EQ(Tool({"pack", "a"}).status, 2);
}

}  // namespace
