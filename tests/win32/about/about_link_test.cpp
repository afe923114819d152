// The About box's own code run in this process on the template Lumora.exe
// carries: the link font is made as described and released however the box
// ends, every time; the link button fits its text.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "about_support.h"
#include "e2e/lumora_process.h"
#include "resource_ids.h"
#include "shell/about_box_win32.h"

namespace {

BOOL CALLBACK FindOwnDialog(HWND window, LPARAM parameter)
{
    wchar_t className[16] = {}, caption[16] = {};
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, caption, 16);
    if (IsWindowVisible(window) && lstrcmpW(className, L"#32770") == 0 && lstrcmpW(caption, L"Lumora") == 0) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs the box modally on this thread while `act` runs on another with the
// box's window once it is up; `act` must end the box. The dialog's result.
INT_PTR RunBox(const std::function<void(HWND)>& act)
{
    const DWORD thread = GetCurrentThreadId();
    // The pointer away from the box, whose real mouse messages would set
    // cursors of their own.
    SetCursorPos(0, 0);
    std::thread actor([&] {
        HWND dialog = nullptr;
        const DWORD start = GetTickCount();
        while (!dialog && GetTickCount() - start < 10000) {
            EnumThreadWindows(thread, FindOwnDialog, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog) Sleep(5);  // another thread's windows: nothing to pump here
        }
        if (dialog) act(dialog);
    });
    const INT_PTR result = ShowAboutBox(LumoraResources(), nullptr);
    actor.join();
    return result;
}

struct LinkSeen {
    HFONT font = nullptr;
    LOGFONTW logFont = {};
    SIZE buttonSize = {};
    SIZE textSize = {};
    std::wstring text;
};

LinkSeen LookAtLink(HWND dialog)
{
    LinkSeen seen;
    const HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    seen.font = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
    GetObjectW(seen.font, sizeof seen.logFont, &seen.logFont);
    RECT r = {};
    GetWindowRect(link, &r);
    seen.buttonSize = {r.right - r.left, r.bottom - r.top};
    wchar_t text[128] = {};
    GetWindowTextW(link, text, 128);
    seen.text = text;
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(screen, seen.font);
    GetTextExtentPoint32W(screen, text, lstrlenW(text), &seen.textSize);
    SelectObject(screen, before);
    ReleaseDC(nullptr, screen);
    return seen;
}

TEST(AboutLink, FontIsReleasedHoweverTheBoxEndsEveryTime)
{
    ASSERT_NE(LumoraResources(), nullptr);
    struct Ending {
        const char* name;
        std::function<void(HWND)> end;
        INT_PTR result;
    };
    const Ending endings[] = {
        {"Enter", [](HWND d) { PostMessageW(d, WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
        {"Esc", [](HWND d) { PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL},
        {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (int round = 0; round < 3; ++round) {
        for (const Ending& ending : endings) {
            SCOPED_TRACE(ending.name);
            LinkSeen seen;
            const INT_PTR result = RunBox([&](HWND dialog) {
                seen = LookAtLink(dialog);
                ending.end(dialog);
            });
            EXPECT_EQ(result, ending.result);
            ASSERT_NE(seen.font, nullptr);
            // The font lived while the box was open and is gone with it.
            EXPECT_EQ(seen.logFont.lfUnderline, TRUE);
            EXPECT_EQ(seen.logFont.lfWeight, 800);
            EXPECT_EQ(GetObjectType(seen.font), 0u) << "the link font outlived the box";
        }
    }
}

TEST(AboutLink, ButtonIsResizedToItsTextAndEdges)
{
    LinkSeen seen;
    RunBox([&](HWND dialog) {
        seen = LookAtLink(dialog);
        PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(seen.text, kHomePage);
    EXPECT_GT(seen.textSize.cx, 0);
    EXPECT_EQ(seen.buttonSize.cx, seen.textSize.cx + 2 * GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(seen.buttonSize.cy, seen.textSize.cy + 2 * GetSystemMetrics(SM_CYEDGE));
}

TEST(AboutLink, HandCursorOnSetCursorAndOtherMessagesToTheButton)
{
    LRESULT setCursor = 0;
    HCURSOR shown = nullptr;
    LRESULT code = 0;
    RunBox([&](HWND dialog) {
        const HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
        // The box's thread sets the cursor; sharing its input state lets this
        // thread see which one.
        AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(dialog, nullptr), TRUE);
        setCursor = SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        shown = GetCursor();
        // Everything else still reaches the button's own procedure.
        code = SendMessageW(link, WM_GETDLGCODE, 0, 0);
        AttachThreadInput(GetCurrentThreadId(), GetWindowThreadProcessId(dialog, nullptr), FALSE);
        PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(setCursor, 1);
    EXPECT_EQ(shown, LoadCursorW(nullptr, IDC_HAND));
    EXPECT_TRUE(code & DLGC_BUTTON) << code;
}

}  // namespace
