// The anchor of the start-up measurement: the least a Win32 program does to
// show a painted window. It registers a class and creates a top-level window
// as the reader does (same class styles, frame, background and the reader's
// stored placement as the test sets it), paints one line of text and runs a
// message loop until the window is closed. Linked statically like the reader.
// F3 opens a message box like the reader's "Not Found!" at once.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"LumoraBareWindow";

void PaintOneLine(HWND window)
{
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window, &paint);
    static const wchar_t line[] = L"One line of text";
    TextOutW(device, 10, 10, line, static_cast<int>(sizeof line / sizeof line[0] - 1));
    EndPaint(window, &paint);
}

// F3: the reader's "Not Found!" box at once, with no search before it; the
// anchor of the time from F3 to that box.
void SayNotFound(HWND window, WPARAM key)
{
    if (key == VK_F3) MessageBoxW(window, L"Not Found!", L"Bare window", MB_OK);
}

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: PaintOneLine(window); return 0;
    case WM_KEYDOWN: SayNotFound(window, wParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) return 1;
    // Where the latency test places the reader: its small stored window.
    HWND window = CreateWindowExW(WS_EX_WINDOWEDGE, kClassName, L"Bare window",
                                  WS_OVERLAPPEDWINDOW, 100, 80, 480, 360, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
