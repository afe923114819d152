// The session ending while the reader is open, as the system ends it: it
// asks (WM_QUERYENDSESSION), tells (WM_ENDSESSION) and then ends the
// process without destroying its window. The reader must have stored what
// closing it would have stored, in the same order.
#include <gtest/gtest.h>

#include <algorithm>

#include "book_days.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

const uint8_t kPattern[] = {'a', 'b', 'c', 0};

ReaderSetup Setup()
{
    ReaderSetup setup = LongDayPinned(0);
    setup.fontSize = 12;
    return setup;
}

void SeedWithPattern()
{
    Seed(Setup());
    Registry::PutBytes(L"SearchString", kPattern, sizeof kPattern);
}

// The run's own changes: the next day, two rows down, a new place and size.
void Scene(LumoraProcess& l)
{
    l.SendKey(VK_RIGHT);
    l.SendKey(VK_DOWN);
    l.SendKey(VK_DOWN);
    SetWindowPos(l.mainWindow(), nullptr, 150, 120, 500, 380, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<RegistryCall> WritesSince(const LumoraProcess& l, size_t from)
{
    std::vector<RegistryCall> writes;
    const auto calls = l.RegistryCalls();
    for (size_t i = from; i < calls.size(); ++i)
        if (calls[i].function == L"RegSetValueExW") writes.push_back(calls[i]);
    return writes;
}

std::vector<std::wstring> Names(const std::vector<RegistryCall>& writes)
{
    std::vector<std::wstring> names;
    for (const RegistryCall& w : writes) names.push_back(w.name);
    return names;
}

std::vector<Registry::Value> Sorted(std::vector<Registry::Value> values)
{
    std::sort(values.begin(), values.end(),
              [](const Registry::Value& a, const Registry::Value& b) { return a.name < b.name; });
    return values;
}

TEST(EndSession, StoresWhatClosingStoresInTheSameOrder)
{
    // The scene closed as usual.
    SeedWithPattern();
    std::vector<RegistryCall> closedWrites;
    {
        LumoraProcess lumora;
        ASSERT_TRUE(lumora.StartTraced());
        ASSERT_NE(lumora.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(lumora.TracingRegistry());
        Scene(lumora);
        const size_t before = lumora.RegistryCalls().size();
        ASSERT_EQ(lumora.CloseAndWait(), 0);
        closedWrites = WritesSince(lumora, before);
    }
    const auto closedValues = Sorted(Registry::All());
    ASSERT_EQ(Registry::Number(L"Day"), LongDay() + 1);
    ASSERT_EQ(Registry::Number(L"LastPosition"), 2);

    // The same scene, ended by the session. The key is emptied first, so
    // that what it holds afterwards was written by the ending run.
    SeedWithPattern();
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartTraced());
    HWND window = lumora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(lumora.TracingRegistry());
    Scene(lumora);
    Registry::Clear();
    const size_t before = lumora.RegistryCalls().size();

    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer), 0);
    EXPECT_EQ(answer, TRUE);  // the default answer: the session may end
    EXPECT_TRUE(WritesSince(lumora, before).empty()) << "nothing is stored on the question alone";
    ASSERT_NE(SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer), 0);
    const auto endedWrites = WritesSince(lumora, before);

    // Nothing it still uses was freed: it goes on answering and scrolling.
    EXPECT_TRUE(IsWindow(window));
    const Pixels shown = CaptureClientSettled(window);
    lumora.SendKey(VK_UP);  // two rows down, so one up always moves
    EXPECT_FALSE(WaitForClientChange(window, shown).empty());
    EXPECT_TRUE(lumora.Running());

    // The system ends the process; the window is never destroyed.
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, lumora.processId());
    ASSERT_NE(process, nullptr);
    TerminateProcess(process, 0);
    CloseHandle(process);
    EXPECT_NE(lumora.WaitForExit(), -1000);

    EXPECT_EQ(Names(endedWrites), Names(closedWrites));
    ASSERT_EQ(endedWrites.size(), closedWrites.size());
    for (size_t i = 0; i < endedWrites.size(); ++i) {
        EXPECT_EQ(endedWrites[i].type, closedWrites[i].type);
        EXPECT_EQ(endedWrites[i].size, closedWrites[i].size);
        EXPECT_EQ(endedWrites[i].firstDword, closedWrites[i].firstDword)
            << std::string(endedWrites[i].name.begin(), endedWrites[i].name.end());
    }
    EXPECT_TRUE(Sorted(Registry::All()) == closedValues);
    EXPECT_EQ(Registry::Number(L"Day"), LongDay() + 1);
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(LongDay() + 1));
    EXPECT_EQ(Registry::Number(L"LastPosition"), 2);
    EXPECT_EQ(Registry::Number(L"Left"), 150);
    EXPECT_EQ(Registry::Number(L"Width"), 500);
    EXPECT_EQ(Registry::Bytes(L"SearchString"), std::vector<uint8_t>(kPattern, kPattern + 4));
}

TEST(EndSession, ASessionThatGoesOnStoresNothing)
{
    // WM_ENDSESSION with FALSE: the session was not ended after all.
    SeedWithPattern();
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    Scene(lumora);
    Registry::Clear();
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &answer), 0);
    EXPECT_TRUE(Registry::All().empty());
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), LongDay() + 1);
}

}  // namespace
