// What changes the drawing: Reverse and the Font command.
#include <gtest/gtest.h>

#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

// Rows of the picture that hold any dark pixel: where the lines are.
std::vector<bool> InkRows(const Pixels& p)
{
    std::vector<bool> rows(p.height, false);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width && !rows[y]; ++x) {
            const uint32_t v = p.at(x, y);
            if (((v >> 16) & 0xFF) < 0x60 && ((v >> 8) & 0xFF) < 0x60 && (v & 0xFF) < 0x60) rows[y] = true;
        }
    return rows;
}

// The bottom rows of the client area, inside the date band.
Pixels BandOf(const Pixels& p)
{
    Pixels band;
    band.width = p.width;
    band.height = 12;
    band.rgb.assign(p.rgb.end() - size_t(p.width) * 14, p.rgb.end() - size_t(p.width) * 2);
    return band;
}

uint32_t FlagsWithReverse(bool on)
{
    return (kReadableFlags & ~kReverseFlag) | kPinnedFlag | (on ? kReverseFlag : 0);
}

TEST(Reverse, TogglesTheFlagAndTheDrawingButNotTheLineBreaks)
{
    ReaderSetup setup = LongDayPinned(0);
    setup.flags = FlagsWithReverse(true);
    Pixels reversed, plain;
    const long endReversed = PositionAfter(setup, [&](LumoraProcess& l) {
        reversed = CaptureClientSettled(l.mainWindow());
        l.SendKey(VK_END);
    });
    EXPECT_EQ(Registry::Number(L"Flags"), FlagsWithReverse(true));

    const long endPlain = PositionAfter(setup, [&](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        l.SendCommand(IDC_REVERSE);
        plain = WaitForClientChange(w, before);
        ASSERT_FALSE(plain.empty());
        Screenshot(w, L"reverse-off");
        l.SendKey(VK_END);
    });
    // The check mark started set, as the flag: the toggle cleared both.
    EXPECT_EQ(Registry::Number(L"Flags"), FlagsWithReverse(false));
    // Same lines in the same places, the same last page.
    EXPECT_TRUE(InkRows(plain) == InkRows(reversed));
    // The date line turns with the page.
    EXPECT_TRUE(BandOf(plain) != BandOf(reversed));
    EXPECT_EQ(endPlain, endReversed);

    // From the flag clear the toggle sets it; twice gives the drawing back.
    setup.flags = FlagsWithReverse(false);
    PositionAfter(setup, [&](LumoraProcess& l) {
        HWND w = l.mainWindow();
        EXPECT_TRUE(CaptureClientSettled(w) == plain);
        l.SendCommand(IDC_REVERSE);
        EXPECT_TRUE(WaitForClientChange(w, plain) == reversed);
        l.SendCommand(IDC_REVERSE);
        l.SendCommand(IDC_REVERSE);
    });
    EXPECT_EQ(Registry::Number(L"Flags"), FlagsWithReverse(true));
}

// The File menu as the user opens it with Alt+F; its picture.
Pixels OpenFileMenu(LumoraProcess& l, const wchar_t* screenshot)
{
    Pixels menu;
    if (!l.TypeKeys({VK_MENU}, 'F')) return menu;
    HWND popup = nullptr;
    PollUntil([&] { return (popup = l.FindMenuPopup()) != nullptr; }, 3000);
    if (!popup) return menu;
    menu = CaptureClientSettled(popup);
    Screenshot(popup, screenshot);
    l.TypeKeys({}, VK_ESCAPE);
    l.TypeKeys({}, VK_ESCAPE);
    PollUntil([&] { return l.FindMenuPopup() == nullptr; }, 3000);
    return menu;
}

TEST(Reverse, CheckMarkInTheMenuFollowsTheFlag)
{
    // Another process's menu cannot be read: its picture is compared.
    ReaderSetup setup = LongDayPinned(0);
    setup.flags = FlagsWithReverse(false);
    Pixels unchecked, checked, toggled;
    PositionAfter(setup, [&](LumoraProcess& l) {
        unchecked = OpenFileMenu(l, L"menu-reverse-off");
        l.SendCommand(IDC_REVERSE);
        toggled = OpenFileMenu(l, L"menu-reverse-on");
    });
    setup.flags = FlagsWithReverse(true);
    PositionAfter(setup, [&](LumoraProcess& l) { checked = OpenFileMenu(l, L"menu-reverse-start"); });
    ASSERT_FALSE(unchecked.empty());
    ASSERT_FALSE(checked.empty());
    EXPECT_TRUE(unchecked != checked);
    EXPECT_TRUE(toggled == checked);
}

// A face other than the test face, with Hebrew letters, that the chooser lists.
std::wstring OtherHebrewFace(HWND chooser)
{
    for (const wchar_t* face : {L"Frank Ruehl CLM", L"David CLM", L"Noto Sans Hebrew", L"Miriam CLM"})
        if (SendDlgItemMessageW(chooser, IDC_FONT_FACES, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(face)) != LB_ERR)
            return face;
    return L"";
}

TEST(FontCommand, CancelledChangesNothing)
{
    const ReaderSetup setup = LongDayPinned(3);
    PositionAfter(setup, [](LumoraProcess&) {});
    const std::vector<Registry::Value> untouched = Registry::All();

    PositionAfter(setup, [](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        l.Command(IDC_FONT);
        HWND chooser = l.WaitForDialog(L"Choose Font");
        ASSERT_NE(chooser, nullptr);
        // Another face, size and letter base picked, then cancelled.
        EXPECT_NE(LumoraProcess::SelectInList(chooser, IDC_FONT_FACES, OtherHebrewFace(chooser).c_str()),
                  LB_ERR);
        EXPECT_NE(LumoraProcess::SelectInList(chooser, IDC_FONT_SIZES, L"24"), LB_ERR);
        SendDlgItemMessageW(chooser, IDC_FONT_BASE_224, BM_CLICK, 0, 0);
        LumoraProcess::PressButton(chooser, IDCANCEL);
        ASSERT_TRUE(l.WaitForDialogGone(L"Choose Font"));
        EXPECT_TRUE(CaptureClientSettled(w) == before);
    });
    EXPECT_TRUE(Registry::All() == untouched);
}

TEST(FontCommand, ConfirmedIsStoredAndRedrawsDateLineAndPage)
{
    std::wstring face;
    PositionAfter(LongDayPinned(3), [&](LumoraProcess& l) {
        HWND w = l.mainWindow();
        const Pixels before = CaptureClientSettled(w);
        l.Command(IDC_FONT);
        HWND chooser = l.WaitForDialog(L"Choose Font");
        ASSERT_NE(chooser, nullptr);
        face = OtherHebrewFace(chooser);
        ASSERT_FALSE(face.empty());
        LumoraProcess::SelectInList(chooser, IDC_FONT_FACES, face.c_str());
        LumoraProcess::SelectInList(chooser, IDC_FONT_SIZES, L"14");
        Screenshot(chooser, L"font-chooser");
        LumoraProcess::PressButton(chooser, IDOK);
        ASSERT_TRUE(l.WaitForDialogGone(L"Choose Font"));
        const Pixels after = WaitForClientChange(w, before);
        ASSERT_FALSE(after.empty());
        EXPECT_TRUE(BandOf(after) != BandOf(before));
        Screenshot(w, L"font-changed");
    });
    EXPECT_EQ(Registry::Text(L"FontName"), face);
    EXPECT_EQ(Registry::Number(L"FontSize"), 14);
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 0x5D0);
}

}  // namespace
