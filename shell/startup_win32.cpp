// Entry point: platform check, single copy, settings, first day, the main
// window and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "calendar/current_day.h"
#include "dialogs/font_chooser_win32.h"
#include "page/convert_letters.h"
#include "page/text_view.h"
#include "resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "shell/maker.h"
#include "shell/settings.h"

namespace {

bool IsNtPlatform()
{
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId >= VER_PLATFORM_WIN32_NT;
}

// Lesson text is stored in display order. Where the system itself reorders
// right-to-left text (every current Windows does, and Wine), it must be
// handed over reversed to come out right.
bool SystemReordersHebrew()
{
    const wchar_t sample[] = {0x5D0, 0x5D1, 0x5D2, 0};
    wchar_t placed[4] = {};
    GCP_RESULTSW results;
    std::memset(&results, 0, sizeof results);
    results.lStructSize = sizeof results;
    results.lpOutString = placed;
    results.nGlyphs = 3;
    HDC screen = GetDC(nullptr);
    const DWORD done = GetCharacterPlacementW(screen, sample, 3, 0, &results, GCP_REORDER);
    ReleaseDC(nullptr, screen);
    return done != 0 && placed[0] == sample[2] && placed[2] == sample[0];
}

// Hands over to a running copy: it shows today when it is in the foreground,
// else it is brought there. Returns true when such a copy exists.
bool HandOverToRunningCopy()
{
    HWND running = FindWindowW(kMainClassName, kMainWindowTitle);
    if (!running) return false;
    HWND foreground = GetForegroundWindow();
    HWND topmost = foreground;
    for (HWND up = foreground ? GetParent(foreground) : nullptr; up; up = GetParent(up)) topmost = up;
    if (running == foreground) SendMessageW(running, WM_COMMAND, IDC_TODAY, 0);
    if (running != topmost) SetForegroundWindow(running);
    return true;
}

void RegisterMainClass(HINSTANCE instance, const wchar_t* className)
{
    WNDCLASSW windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LUMORA));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
}

HWND StartInstance(int showCommand)
{
    if (HandOverToRunningCopy()) return nullptr;
    InitCommonControls();
    LoadSettings();
    if (!HasSetting(L"Flags") && SystemReordersHebrew()) g_app.flags |= kReverseFlag;
    SetCurrentDay(0, 0);
    RegisterMainClass(g_app.instance, kMainClassName);

    const uint32_t flags = g_app.flags;
    const bool scrollBar = flags & (kScrollBarShownFlag | kScrollBarLeftFlag);
    const DWORD exStyle = WS_EX_WINDOWEDGE | ((flags & kScrollBarLeftFlag) ? WS_EX_LEFTSCROLLBAR : 0);
    const DWORD style = WS_OVERLAPPED | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                        WS_MAXIMIZEBOX | (scrollBar ? WS_VSCROLL : 0);
    HWND window = CreateWindowExW(exStyle, kMainClassName, kMainWindowTitle, style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  g_app.instance, nullptr);
    if (!window) return nullptr;
    RestoreWindowPlacement(window, showCommand);
    UpdateWindow(window);

    // First run: no face chosen yet. Cancelling leaves it empty, so the
    // chooser comes back at the next start.
    if (g_app.font.faceName[0] == 0) {
        const INT_PTR chosen = RunFontChooser(g_app.instance, window, &g_app.font);
        SetViewFont(g_app.mainView, &g_app.font);
        // The date line was made before there was a face; it takes the
        // chosen one now, as after the Font command, not at the next start.
        if (chosen == 1) {
            CreateDateFont();
            RedrawDateBand(window);
        }
    }
    return window;
}

int RunMessageLoop()
{
    HACCEL shortcuts = LoadAcceleratorsW(g_app.instance, MAKEINTRESOURCEW(IDA_MAIN));
    MSG message;
    std::memset(&message, 0, sizeof message);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (shortcuts && TranslateAcceleratorW(message.hwnd, shortcuts, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    std::memset(&g_app, 0, sizeof g_app);
    g_app.instance = instance;
    if (!IsNtPlatform()) {
        MessageBoxA(nullptr,
                    "This Application does NOT run on:\n\n\tWINDOWS 95\n\tWINDOWS 98\n\tWINDOWS ME\n",
                    kMakerSiteA, MB_ICONERROR | MB_OK);
        return -1;
    }
    g_app.gutter = ReadNumber(MakerKey, L"SurroundingGutter", kDefaultGutter);
    if (!StartInstance(showCommand)) return 0;
    return RunMessageLoop();
}
