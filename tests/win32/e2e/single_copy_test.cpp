// A second start while the reader runs: it hands over to the running copy
// and ends with 0, in each of the three foreground cases.
#include <gtest/gtest.h>

#include "book_days.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

// Starts a second copy, which must end by itself with 0 without a window;
// returns the registry calls it made.
std::vector<RegistryCall> StartSecondCopy()
{
    LumoraProcess second;
    EXPECT_TRUE(second.StartTraced());
    EXPECT_TRUE(second.TracingRegistry());
    EXPECT_EQ(second.WaitForExit(), 0);
    return second.RegistryCalls();
}

// The second copy reads the gutter and nothing else.
void ExpectOnlyTheGutterRead(const std::vector<RegistryCall>& calls)
{
    // The maker's key is not there in a test prefix: the open is all.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].function, L"RegOpenKeyExW");
    for (const RegistryCall& call : calls) {
        EXPECT_NE(call.function, L"RegSetValueExW") << call.name;
        EXPECT_NE(call.function, L"RegCreateKeyExW") << call.name;
        if (call.function == L"RegOpenKeyExW") {
            EXPECT_EQ(call.name, L"software\\Quillstead");
        }
        if (call.function == L"RegQueryValueExW") {
            EXPECT_EQ(call.name, L"SurroundingGutter");
        }
    }
}

TEST(SingleCopy, FirstCopyInTheForegroundMovesToToday)
{
    Seed(LongDayPinned(4));
    LumoraProcess first;
    HWND window = first.StartAndWait();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(first.BringToForeground());
    const Pixels before = CaptureClientSettled(window);

    ExpectOnlyTheGutterRead(StartSecondCopy());
    // The first copy was told synchronously: today is shown by now.
    EXPECT_FALSE(WaitForClientChange(window, before).empty());
    EXPECT_EQ(first.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), Today());
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags);
    EXPECT_EQ(Registry::Number(L"LastPosition"), 0);
}

TEST(SingleCopy, DialogOfTheFirstCopyInTheForegroundChangesNothing)
{
    const int32_t day = LongDay();
    Seed(LongDayPinned(4));
    LumoraProcess first;
    HWND window = first.StartAndWait();
    ASSERT_NE(window, nullptr);
    const Pixels before = CaptureClientSettled(window);
    first.Command(IDC_FONT);
    HWND chooser = first.WaitForDialog(L"Choose Font");
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(WaitForForeground(chooser));

    ExpectOnlyTheGutterRead(StartSecondCopy());
    EXPECT_EQ(GetForegroundWindow(), chooser);
    EXPECT_TRUE(IsWindowVisible(chooser));
    LumoraProcess::PressButton(chooser, IDCANCEL);
    ASSERT_TRUE(first.WaitForDialogGone(L"Choose Font"));
    EXPECT_TRUE(CaptureClientSettled(window) == before);
    EXPECT_EQ(first.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), day);
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags | kPinnedFlag);
    EXPECT_EQ(Registry::Number(L"LastPosition"), 4);
}

TEST(SingleCopy, AnotherProgramInTheForegroundBringsTheFirstCopyForward)
{
    const int32_t day = LongDay();
    Seed(LongDayPinned(4));
    LumoraProcess first;
    HWND window = first.StartAndWait();
    ASSERT_NE(window, nullptr);
    OtherProgramWindow other;
    ASSERT_TRUE(other.BringToForeground());
    const Pixels before = CaptureClientSettled(window);

    ExpectOnlyTheGutterRead(StartSecondCopy());
    EXPECT_TRUE(WaitForForeground(window));
    EXPECT_TRUE(CaptureClientSettled(window) == before);
    EXPECT_EQ(first.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), day);
    EXPECT_EQ(Registry::Number(L"Flags"), kReadableFlags | kPinnedFlag);
    EXPECT_EQ(Registry::Number(L"LastPosition"), 4);
}

}  // namespace
