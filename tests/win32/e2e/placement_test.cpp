// The window's place kept between runs: normal, maximized and minimized.
#include <gtest/gtest.h>

#include "lumora_process.h"
#include "reader_setup.h"

namespace {

RECT WindowRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

const RECT kSmallRect = {kSmallLeft, kSmallTop, kSmallLeft + kSmallWidth, kSmallTop + kSmallHeight};

void ExpectStoredSmallRect(long long showCommand)
{
    EXPECT_EQ(Registry::Number(L"Left"), kSmallLeft);
    EXPECT_EQ(Registry::Number(L"Top"), kSmallTop);
    EXPECT_EQ(Registry::Number(L"Width"), kSmallWidth);
    EXPECT_EQ(Registry::Number(L"Height"), kSmallHeight);
    EXPECT_EQ(Registry::Number(L"showCmd"), showCommand);
}

// The title bar's buttons and menu send these; posted as they are.
void SystemCommand(LumoraProcess& l, WPARAM command)
{
    PostMessageW(l.mainWindow(), WM_SYSCOMMAND, command, 0);
}

TEST(Placement, StoredPlaceIsTakenAndKept)
{
    Seed(LongDayPinned());
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(SameRect(WindowRect(window), kSmallRect));
    // Moved by the user: the new place is stored.
    SetWindowPos(window, nullptr, 150, 120, 500, 380, SWP_NOZORDER);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Left"), 150);
    EXPECT_EQ(Registry::Number(L"Top"), 120);
    EXPECT_EQ(Registry::Number(L"Width"), 500);
    EXPECT_EQ(Registry::Number(L"Height"), 380);
    EXPECT_EQ(Registry::Number(L"showCmd"), SW_SHOWNORMAL);
}

TEST(Placement, ClosedMaximizedItStartsMaximizedAndRestoresToItsRectangle)
{
    Seed(LongDayPinned());
    {
        LumoraProcess lumora;
        HWND window = lumora.StartAndWait();
        ASSERT_NE(window, nullptr);
        SystemCommand(lumora, SC_MAXIMIZE);
        ASSERT_TRUE(PollUntil([&] { return IsZoomed(window) != FALSE; }, 3000));
        Screenshot(window, L"maximized");
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    // The normal rectangle in screen terms, and "maximized".
    ExpectStoredSmallRect(SW_SHOWMAXIMIZED);

    LumoraProcess again;
    HWND window = again.StartAndWait();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsZoomed(window));
    SystemCommand(again, SC_RESTORE);
    ASSERT_TRUE(PollUntil([&] { return !IsZoomed(window); }, 3000));
    EXPECT_TRUE(SameRect(WindowRect(window), kSmallRect));
    EXPECT_EQ(again.CloseAndWait(), 0);
    ExpectStoredSmallRect(SW_SHOWNORMAL);
}

TEST(Placement, ClosedMinimizedItComesBackOnScreen)
{
    Seed(LongDayPinned());
    {
        LumoraProcess lumora;
        HWND window = lumora.StartAndWait();
        ASSERT_NE(window, nullptr);
        SystemCommand(lumora, SC_MINIMIZE);
        ASSERT_TRUE(PollUntil([&] { return IsIconic(window) != FALSE; }, 3000));
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    // Where it will be restored to, not where minimized windows are parked.
    ExpectStoredSmallRect(SW_SHOWNORMAL);

    LumoraProcess again;
    HWND window = again.StartAndWait();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(SameRect(WindowRect(window), kSmallRect));
    EXPECT_EQ(again.CloseAndWait(), 0);
}

TEST(Placement, MinimizedFromMaximizedComesBackMaximized)
{
    Seed(LongDayPinned());
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    SystemCommand(lumora, SC_MAXIMIZE);
    ASSERT_TRUE(PollUntil([&] { return IsZoomed(window) != FALSE; }, 3000));
    SystemCommand(lumora, SC_MINIMIZE);
    ASSERT_TRUE(PollUntil([&] { return IsIconic(window) != FALSE; }, 3000));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    ExpectStoredSmallRect(SW_SHOWMAXIMIZED);
}

}  // namespace
