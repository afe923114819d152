// The reader started as a user starts it: first run, settings kept, exit.
#include <gtest/gtest.h>

#include "lumora_process.h"
#include "resource_ids.h"
#include "test_paths.h"

namespace {

void Screenshot(HWND window, const wchar_t* name)
{
    if (ScreensDirPath().empty()) return;
    SaveWindowBitmap(window, ScreensDirPath() + L"\\" + name + L".bmp");
}

TEST(Startup, FirstRunOpensTheFontChooserOverTheShownWindow)
{
    Registry::Clear();
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND window = lumora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND chooser = lumora.WaitForDialog(L"Choose Font");
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), window);
    Screenshot(window, L"first-run");
    LumoraProcess::PressButton(chooser, IDCANCEL);
    ASSERT_TRUE(PollUntil([&] { return lumora.FindDialog(L"Choose Font") == nullptr; }));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    // Cancelled: no face stored, so the chooser comes back next time; the
    // exit sequence stored the day and flags.
    EXPECT_FALSE(Registry::Has(L"FontName"));
    EXPECT_TRUE(Registry::Has(L"Flags"));
    EXPECT_GT(Registry::Number(L"Day"), 0);
}

TEST(Startup, StoredFontSkipsTheChooserAndShowsTheLesson)
{
    Registry::Clear();
    Registry::PutText(L"FontName", L"DejaVu Sans");
    Registry::PutNumber(L"FontSize", 14);
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND window = lumora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    Sleep(0);
    EXPECT_EQ(lumora.FindDialog(L"Choose Font"), nullptr);
    Screenshot(window, L"lesson");
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Text(L"FontName"), L"DejaVu Sans");
}

}  // namespace
