// The main page built on a test window from this program's own resources
// (page_test.rc): date font and band, the text area inside the gutter and
// below the toolbar, the lesson laid out at the stored scroll position, and
// the message when the lesson is missing.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "gdi_canvas.h"
#include "page/convert_letters.h"
#include "page/letter_code.h"
#include "page/paint_view_win32.h"
#include "page_gdi_support.h"
#include "test_paths.h"
#include "shell/app_state.h"
#include "shell/scroll_bar.h"

namespace {

int g_scrollBarUpdates = 0;
HWND g_scrollBarWindow = nullptr;

constexpr wchar_t kClassName[] = L"LumoraPageTestWindow";

HWND MakeWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        registered = RegisterClassW(&windowClass) != 0;
    }
    return CreateWindowExW(0, kClassName, L"Lumora page test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                           560, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class MainView : public testing::Test {
protected:
    void SetUp() override
    {
        g_app = AppState{};
        g_app.instance = GetModuleHandleW(nullptr);
        g_app.font = MakeFont(kDejaVuSans, 12);
        g_app.flags = kReverseFlag;
        g_app.gutter = 10;
        g_app.lessonKey = 0x0101;  // Nisan 1: record 0 of resource 1001
        g_app.lastPosition = 2;
        const char date[] = "abc def";  // letter-coded
        std::memcpy(g_app.dateText, date, sizeof date);
        g_scrollBarUpdates = 0;
        g_scrollBarWindow = nullptr;
        window = MakeWindow();
        ASSERT_NE(window, nullptr);
        // A stand-in toolbar: only its height matters to the page.
        g_app.toolbar = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 560, 28, window,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
        PumpMessages();
    }
    void TearDown() override
    {
        if (g_app.mainView) {
            ReleaseDC(window, g_app.mainView->device);
            FreeTextView(g_app.mainView, true);
            g_app.mainView = nullptr;
        }
        if (g_app.dateFont) DeleteObject(g_app.dateFont);
        g_app.dateFont = nullptr;
        DestroyWindow(window);
        PumpMessages();
    }

    HWND window = nullptr;
};

TEST_F(MainView, LaysTheLessonOutInsideTheGutterBelowTheToolbar)
{
    CreateMainView(window);
    TextView* view = g_app.mainView;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(WindowFromDC(view->device), window) << "the view keeps the window's context";

    RECT client;
    GetClientRect(window, &client);
    RECT toolbar;
    GetWindowRect(g_app.toolbar, &toolbar);
    const int toolbarHeight = toolbar.bottom - toolbar.top;
    ASSERT_EQ(toolbarHeight, 28);

    // The date band: the date font's text height + 2, along the bottom.
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, g_app.dateFont);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    const int band = metrics.tmHeight + 2;
    EXPECT_EQ(g_app.dateBand.left, 0);
    EXPECT_EQ(g_app.dateBand.width, client.right);
    EXPECT_EQ(g_app.dateBand.height, band);
    EXPECT_EQ(g_app.dateBand.top, client.bottom - band);
    EXPECT_EQ(g_app.dateTextLength, 7);

    EXPECT_EQ(view->left, 10);
    EXPECT_EQ(view->top, toolbarHeight - 1 + 10);
    EXPECT_EQ(view->width, client.right - 20);
    EXPECT_EQ(view->height, client.bottom - 20 - band - toolbarHeight);

    ASSERT_NE(view->text, nullptr);
    EXPECT_EQ(view->text[0], 0xB2);
    EXPECT_GT(view->itemCount, 6);
    EXPECT_EQ(view->capacity, 100);
    EXPECT_EQ(view->topRow, 2) << "the stored scroll position";
    EXPECT_EQ(g_scrollBarUpdates, 1);
    EXPECT_EQ(g_scrollBarWindow, window);

    // It paints on the window; a copy of the client area is kept to look at.
    view->topRow = 0;
    EXPECT_EQ(PaintView(view, 1), 0);
    EXPECT_GT(view->rowsPainted, 6);
    if (!ScreensDirPath().empty()) {
        GdiCanvas shot(client.right, client.bottom);
        HDC windowDc = GetDC(window);
        BitBlt(shot.dc(), 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
        EXPECT_TRUE(shot.Save(ScreensDirPath() + L"\\main-view.bmp"));
    }
}

TEST_F(MainView, TheDateFontTakesTheChosenFaceOrAnyHebrewFace)
{
    CreateDateFont();
    LOGFONTW font = {};
    ASSERT_NE(g_app.dateFont, nullptr);
    GetObjectW(g_app.dateFont, sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 14);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(std::wstring(font.lfFaceName), kDejaVuSans);

    const HFONT first = g_app.dateFont;
    g_app.font.faceName[0] = 0;
    CreateDateFont();
    EXPECT_NE(g_app.dateFont, first);
    EXPECT_EQ(GetObjectType(first), 0u) << "the previous date font is deleted";
    GetObjectW(g_app.dateFont, sizeof font, &font);
    EXPECT_EQ(font.lfFaceName[0], 0);
    EXPECT_EQ(font.lfCharSet, HEBREW_CHARSET);
}

// Waits for a message box titled "Error", reads its text and owner, and
// presses OK.
struct MessageBoxWatch {
    std::wstring text;
    HWND owner = nullptr;
    bool seen = false;

    void Run()
    {
        for (int i = 0; i < 500 && !seen; ++i) {
            HWND box = FindWindowW(L"#32770", L"Error");
            if (box && IsWindowVisible(box)) {
                wchar_t buffer[200] = {};
                GetDlgItemTextW(box, 0xFFFF, buffer, 200);
                text = buffer;
                owner = GetWindow(box, GW_OWNER);
                seen = true;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                break;
            }
            Sleep(10);
        }
    }
};

TEST_F(MainView, AMissingLessonIsReportedAndLeavesTheViewEmpty)
{
    g_app.lessonKey = 0x0E01;  // resource 1014: not in this program
    MessageBoxWatch watch;
    std::thread watcher([&watch] { watch.Run(); });
    CreateMainView(window);
    watcher.join();
    EXPECT_TRUE(watch.seen);
    EXPECT_EQ(watch.text, L"Resource not found");
    EXPECT_EQ(watch.owner, window);
    ASSERT_NE(g_app.mainView, nullptr);
    EXPECT_EQ(g_app.mainView->text, nullptr);
    EXPECT_EQ(PaintView(g_app.mainView, 1), -1);
    EXPECT_EQ(g_scrollBarUpdates, 0);
}

}  // namespace

// The shell's scroll bar, counted here; the main window brings its own.
void UpdateScrollBar(HWND window)
{
    ++g_scrollBarUpdates;
    g_scrollBarWindow = window;
}
