// The calendar picker dialog (template 106): one switch over messages, each
// handed to a small handler. The geometry, hit tests and steps are portable
// (picker_state.h); the drawing is in picker_paint_win32.cpp.
#include "dialogs/calendar_picker_win32.h"

#include <cstring>

#include "dialogs/picker_state.h"
#include "resource_ids.h"

namespace {

const PickerPainter kGdiPainter = {PaintPicker, DrawDayCell};

void CreatePickerFonts(const wchar_t* faceName)
{
    PickerState& s = g_pickerState;
    LOGFONTW& d = s.fontDescription;
    d.lfHeight = 14;  // positive: the character cell's height in pixels
    d.lfWeight = FW_NORMAL;
    if (!faceName || !faceName[0]) {
        d.lfCharSet = HEBREW_CHARSET;
        lstrcpynW(d.lfFaceName, L"David", LF_FACESIZE);
    } else {
        lstrcpynW(d.lfFaceName, faceName, LF_FACESIZE);
    }
    s.normalFont = CreateFontIndirectW(&d);
    d.lfWeight = FW_BOLD;
    s.boldFont = CreateFontIndirectW(&d);
}

void DeletePickerFonts()
{
    PickerState& s = g_pickerState;
    if (s.normalFont) DeleteObject(s.normalFont);
    if (s.boldFont) DeleteObject(s.boldFont);
    s.normalFont = s.boldFont = nullptr;
}

void OnInitDialog(HWND dialog)
{
    PickerState& s = g_pickerState;
    s.pickerWindow = dialog;
    s.surface = GetDC(dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    s.clientRect = PickerRect{client.left, client.top, client.right, client.bottom};
    LayoutPicker();
    s.pickerRedraw = RedrawMonths | RedrawYear;
}

void OnEraseBackground(HDC device)
{
    PickerState& s = g_pickerState;
    s.pickerRedraw = RedrawMonths | RedrawYear;
    RECT client = {s.clientRect.left, s.clientRect.top, s.clientRect.right, s.clientRect.bottom};
    FillRect(device, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void OnClick(HWND dialog, int x, int y)
{
    if (HitMonthButton(x, y) || HitYearBox(x, y)) return;
    if (HitDayCell(x, y)) EndDialog(dialog, 1);  // shownDay is the clicked day
}

bool OnCommand(HWND dialog, int id)
{
    // Enter, Esc and the close box: no day chosen.
    if (id != IDOK && id != IDCANCEL) return false;
    g_pickerState.shownDay = 0;
    EndDialog(dialog, id);
    return true;
}

// Alt with Page Up/Down, End, Home and the arrows steps months and years;
// other keys (Alt+F4, Alt+Space) keep their usual meaning.
bool OnSysKeyDown(int virtualKey)
{
    if (virtualKey < VK_PRIOR || virtualKey > VK_DOWN) return false;
    StepPickerByKey(virtualKey);
    return true;
}

void OnDestroy(HWND dialog)
{
    ReleaseDC(dialog, g_pickerState.surface);
    g_pickerState.surface = nullptr;
}

}  // namespace

int32_t PickCalendarDay(HINSTANCE instance, HWND owner, int32_t day, const wchar_t* faceName)
{
    std::memset(&g_pickerState, 0, sizeof g_pickerState);
    CreatePickerFonts(faceName);
    ShowPickerMonth(day, 1);
    g_pickerPainter = &kGdiPainter;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CALENDAR), owner, PickerDialogProc, 0);
    g_pickerPainter = nullptr;
    DeletePickerFonts();
    return g_pickerState.shownDay;
}

INT_PTR CALLBACK PickerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return FALSE;  // no control to take the focus
    case WM_ERASEBKGND:
        OnEraseBackground(reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_PAINT:
        PaintPicker();
        return FALSE;  // the default handling validates the window
    case WM_SYSKEYDOWN:
        if (!OnSysKeyDown(static_cast<int>(wParam))) return FALSE;
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the dialog class makes every second quick click a double click
        OnClick(dialog, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
