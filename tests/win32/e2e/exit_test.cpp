// What the reader writes when it ends, in which order, and what it leaves
// alone; the exe's own registry calls are traced.
#include <gtest/gtest.h>

#include "book_days.h"
#include "calendar/hebrew_calendar.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

// Starts the reader traced on `setup` (after `extra` seeding), closes it and
// returns its registry writes.
template <typename Extra>
std::vector<RegistryCall> WritesAtExit(const ReaderSetup& setup, Extra extra)
{
    Seed(setup);
    extra();
    LumoraProcess lumora;
    EXPECT_TRUE(lumora.StartTraced());
    EXPECT_NE(lumora.WaitForMainWindow(), nullptr);
    const size_t before = lumora.RegistryCalls().size();
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    std::vector<RegistryCall> writes;
    const std::vector<RegistryCall> calls = lumora.RegistryCalls();
    for (size_t i = before; i < calls.size(); ++i)
        if (calls[i].function == L"RegSetValueExW") writes.push_back(calls[i]);
    return writes;
}

std::vector<std::wstring> Names(const std::vector<RegistryCall>& writes)
{
    std::vector<std::wstring> names;
    for (const RegistryCall& w : writes) names.push_back(w.name);
    return names;
}

const RegistryCall* Find(const std::vector<RegistryCall>& writes, const wchar_t* name)
{
    for (const RegistryCall& w : writes)
        if (w.name == name) return &w;
    return nullptr;
}

TEST(Exit, WritesPlacementThenSettingsInTheirOrder)
{
    ReaderSetup setup = LongDayPinned(3);
    setup.fontSize = 12;
    const uint8_t pattern[] = {'a', 'b', 'c', 0};
    const auto writes = WritesAtExit(setup, [&] { Registry::PutBytes(L"SearchString", pattern, 4); });
    const std::vector<std::wstring> expected = {
        L"Top",      L"Left",          L"Width",        L"Height", L"showCmd", L"SearchString", L"FontName",
        L"FontSize", L"FontAsciiBase", L"LastPosition", L"Flags",  L"Day",     L"Lesson"};
    // Every write seen, or the values below cannot be looked at.
    ASSERT_EQ(Names(writes), expected);

    // Types and sizes as stored.
    for (const RegistryCall& w : writes) {
        if (w.name == L"SearchString") {
            EXPECT_EQ(w.type, DWORD(REG_BINARY));
            EXPECT_EQ(w.size, 4u);  // the pattern and its zero
        } else if (w.name == L"FontName") {
            EXPECT_EQ(w.type, DWORD(REG_SZ));
            EXPECT_EQ(w.size, (lstrlenW(kTestFace) + 1) * sizeof(wchar_t));
        } else {
            EXPECT_EQ(w.type, DWORD(REG_DWORD)) << std::string(w.name.begin(), w.name.end());
            EXPECT_EQ(w.size, 4u);
        }
    }
    EXPECT_EQ(Find(writes, L"Left")->firstDword, DWORD(kSmallLeft));
    EXPECT_EQ(Find(writes, L"Top")->firstDword, DWORD(kSmallTop));
    EXPECT_EQ(Find(writes, L"Width")->firstDword, DWORD(kSmallWidth));
    EXPECT_EQ(Find(writes, L"Height")->firstDword, DWORD(kSmallHeight));
    EXPECT_EQ(Find(writes, L"showCmd")->firstDword, DWORD(SW_SHOWNORMAL));
    EXPECT_EQ(Find(writes, L"FontSize")->firstDword, 12u);
    EXPECT_EQ(Find(writes, L"FontAsciiBase")->firstDword, 0x5D0u);
    EXPECT_EQ(Find(writes, L"LastPosition")->firstDword, 3u);
    EXPECT_EQ(Find(writes, L"Flags")->firstDword, kReadableFlags | kPinnedFlag);
    EXPECT_EQ(Find(writes, L"Day")->firstDword, DWORD(setup.day));
    EXPECT_EQ(Find(writes, L"Lesson")->firstDword, DWORD(LessonKeyOfDay(setup.day)));
    EXPECT_EQ(Registry::Bytes(L"SearchString"), std::vector<uint8_t>(pattern, pattern + 4));
}

TEST(Exit, EmptyAndZeroValuesAreNotWrittenAndStayAsStored)
{
    ReaderSetup setup = LongDayPinned(3);
    setup.fontSize = 0;
    setup.letterBase = 0;
    const uint8_t empty[] = {0};
    const auto writes = WritesAtExit(setup, [&] { Registry::PutBytes(L"SearchString", empty, 1); });
    const std::vector<std::wstring> expected = {L"Top",      L"Left",         L"Width", L"Height", L"showCmd",
                                                L"FontName", L"LastPosition", L"Flags", L"Day",    L"Lesson"};
    EXPECT_EQ(Names(writes), expected);
    EXPECT_EQ(Registry::Number(L"FontSize"), 0);
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 0);
    EXPECT_EQ(Registry::Bytes(L"SearchString"), std::vector<uint8_t>(1, 0));
}

TEST(Exit, MissingValuesStayMissing)
{
    const auto writes = WritesAtExit(LongDayPinned(0), [] {});
    EXPECT_EQ(Find(writes, L"SearchString"), nullptr);
    EXPECT_EQ(Find(writes, L"FontSize"), nullptr);
    EXPECT_FALSE(Registry::Has(L"SearchString"));
    EXPECT_FALSE(Registry::Has(L"FontSize"));
    // The letter base's default is not zero: it is written.
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 0x5D0);
}

TEST(Exit, LongStoredTextsComeBackCut)
{
    // 40 pattern bytes keep 33; a 40-unit face name keeps 31.
    std::vector<uint8_t> pattern(40, 'b');
    pattern.push_back(0);
    const std::wstring face(40, L'F');
    ReaderSetup setup = LongDayPinned(0);
    setup.face = face.c_str();
    WritesAtExit(setup, [&] { Registry::PutBytes(L"SearchString", pattern.data(), DWORD(pattern.size())); });
    std::vector<uint8_t> cut(33, 'b');
    cut.push_back(0);
    EXPECT_EQ(Registry::Bytes(L"SearchString"), cut);
    EXPECT_EQ(Registry::Text(L"FontName"), std::wstring(31, L'F'));
}

// The page of a pinned 5 Tevet 5787 started with `lesson` stored beside it
// (-1: none), and what the exit wrote as "Lesson" (-1: nothing); the page is
// empty when an error message came instead.
struct StoredDayRun {
    Pixels page;
    long long lessonWritten;
};

StoredDayRun RunWithStoredLesson(int32_t day, long long lesson)
{
    ReaderSetup setup = LongDayPinned(0);
    setup.day = day;
    Seed(setup);
    if (lesson < 0)
        Registry::Remove(L"Lesson");
    else
        Registry::PutNumber(L"Lesson", static_cast<DWORD>(lesson));
    StoredDayRun run{};
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    EXPECT_NE(window, nullptr);
    if (!window) return run;
    EXPECT_EQ(lumora.FindDialog(L"Error"), nullptr) << lesson;
    if (!lumora.FindDialog(L"Error")) run.page = CaptureClientSettled(window);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    run.lessonWritten = Registry::Number(L"Lesson");
    EXPECT_EQ(Registry::Number(L"Day"), day);
    return run;
}

TEST(Exit, StoredDayShowsItsOwnLessonWhateverLessonIsStored)
{
    // A stored "Lesson" that is missing, zero or another day's does not
    // decide the lesson: the stored day does, and its key is written back.
    const int32_t day = DayNumberFromHebrew(10, 5, 5787);  // 5 Tevet 5787
    const uint16_t key = LessonKeyOfDay(day);
    ASSERT_EQ(key, 0x0A05);
    const StoredDayRun own = RunWithStoredLesson(day, key);
    ASSERT_FALSE(own.page.empty());
    EXPECT_EQ(own.lessonWritten, key);
    for (const long long stored : {-1LL, 0LL, 0x0101LL}) {
        const StoredDayRun run = RunWithStoredLesson(day, stored);
        EXPECT_TRUE(run.page == own.page) << "stored Lesson " << stored;
        EXPECT_EQ(run.lessonWritten, key) << "stored Lesson " << stored;
    }
    // 1 Nisan's page differs from it: the comparison can tell lessons apart.
    const StoredDayRun nisan = RunWithStoredLesson(DayNumberFromHebrew(1, 1, 5787), 0x0101);
    EXPECT_FALSE(nisan.page == own.page);
}

}  // namespace
