// The About box and its link button.
#include "shell/about_box_win32.h"

#include "resource_ids.h"
#include "shell/open_url_win32.h"

namespace {

constexpr int kLinkTextUnits = 100;
constexpr COLORREF kLinkColour = 0xFF0000;  // pure blue (0x00BBGGRR)
constexpr LONG kLinkWeight = 800;

// The link's state outlives each dialog: the button procedure it replaced
// (the same for every link button) and the font made for the open dialog.
struct LinkState {
    WNDPROC previousProc;
    HFONT font;
};
LinkState g_link;

void ReleaseLinkFont()
{
    if (g_link.font) DeleteObject(g_link.font);
    g_link.font = nullptr;
}

// Makes the link font from the button's font, gives it to the button and
// fits the button to its text; none when there is no font to start from.
HFONT ApplyLinkFont(HWND link, HDC device)
{
    const HFONT buttonFont = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
    LOGFONTW logFont;
    if (!buttonFont || GetObjectW(buttonFont, sizeof logFont, &logFont) != sizeof logFont) return nullptr;
    logFont.lfUnderline = TRUE;
    logFont.lfWeight = kLinkWeight;
    const HFONT font = CreateFontIndirectW(&logFont);
    if (!font) return nullptr;
    const HGDIOBJ before = SelectObject(device, font);
    wchar_t text[kLinkTextUnits + 1] = {};
    const int length = GetWindowTextW(link, text, kLinkTextUnits + 1);
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SIZE extent = {};
    GetTextExtentPoint32W(device, text, length, &extent);
    SelectObject(device, before);
    SetWindowPos(link, nullptr, 0, 0, extent.cx + 2 * GetSystemMetrics(SM_CXEDGE),
                 extent.cy + 2 * GetSystemMetrics(SM_CYEDGE), SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE);
    return font;
}

INT_PTR OnAboutCommand(HWND dialog, int command)
{
    switch (command) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, command);
        ReleaseLinkFont();
        return 1;
    case IDC_ABOUT_LINK:
        OpenHomePage(GetDlgItem(dialog, IDC_ABOUT_LINK));
        return 0;
    default:
        return 0;
    }
}

}  // namespace

HFONT PrepareLink(HWND dialog)
{
    const HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    if (!link) return nullptr;
    const HDC device = GetDC(link);
    // SetWindowLongW with GWL_WNDPROC on this 32-bit program.
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkWindowProc)));
    if (previous && previous != g_link.previousProc) g_link.previousProc = previous;
    const HFONT font = ApplyLinkFont(link, device);
    ReleaseDC(link, device);
    return font;
}

LRESULT CALLBACK LinkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return 1;
    default:
        return CallWindowProcW(g_link.previousProc, window, message, wParam, lParam);
    }
}

void DrawLink(HWND dialog, int controlId, const DRAWITEMSTRUCT* item)
{
    wchar_t text[kLinkTextUnits + 1] = {};
    const int length = static_cast<int>(GetDlgItemTextW(dialog, controlId, text, kLinkTextUnits + 1));
    SetTextColor(item->hDC, kLinkColour);
    SetBkMode(item->hDC, TRANSPARENT);
    ExtTextOutW(item->hDC, 0, GetSystemMetrics(SM_CYEDGE), ETO_CLIPPED, &item->rcItem, text,
                static_cast<UINT>(length), nullptr);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_link.font = PrepareLink(dialog);
        return 0;  // no focus is set
    case WM_DRAWITEM:
        DrawLink(dialog, static_cast<int>(wParam), reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_COMMAND:
        return OnAboutCommand(dialog, LOWORD(wParam));
    case WM_HELP:
        // F1 here: this box is the help. Left unhandled, the request would
        // travel on to the main window and open a second box over this one,
        // whose link font would replace (and lose) this one's.
        return 1;
    default:
        return 0;
    }
}

INT_PTR ShowAboutBox(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDialogProc, 0);
}
