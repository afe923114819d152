// The search dialog: Latin keys typed as Hebrew letters, each placed in
// front of the one typed before, so the box holds the word in the order the
// lesson text stores it (display order); Backspace, Delete, Home and End
// follow that direction. Scroll Lock on makes it a plain edit control.
#include "dialogs/search_dialog_win32.h"

#include <cstring>

#include "dialogs/hebrew_keys.h"
#include "lessons/search_lessons_win32.h"
#include "page/letter_code.h"
#include "page/text_view.h"
#include "resource_ids.h"
#include "shell/app_state.h"

namespace {

struct SearchDialogState {
    HFONT searchFont;
    int baseUnitX, baseUnitY;
    // Where the keyboard picture really stands in the dialog's client area;
    // found says whether it was seen.
    POINT picture;
    bool pictureFound;
};

SearchDialogState s_search;
// Kept after the dialog closes; replaced at the next subclassing.
WNDPROC s_previousEditProc;

// The display font as the page holds it.
const FontRecord& DisplayFont()
{
    return g_app.mainView ? g_app.mainView->font : g_app.font;
}

int32_t LetterBase()
{
    return DisplayFont().letterBase;
}

bool ScrollLockOn()
{
    return GetKeyState(VK_SCROLL) != 0;
}

LRESULT PassOn(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!s_previousEditProc) return 0;
    return CallWindowProcW(s_previousEditProc, box, message, wParam, lParam);
}

void ReplaceSelection(HWND box, const wchar_t* text)
{
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// Inserts one character and puts the caret in front of it.
void InsertBeforeCaret(HWND box, wchar_t character)
{
    const wchar_t text[2] = {character, 0};
    ReplaceSelection(box, text);
    DWORD start = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageW(box, EM_SETSEL, start - 1, start - 1);
}

// Delete removes the character left of the caret (the one typed after it).
LRESULT DeleteLeft(HWND box)
{
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) {
        if (start == 0) return 1;
        SendMessageW(box, EM_SETSEL, start - 1, end);
    }
    ReplaceSelection(box, L"");
    return 1;
}

// Backspace removes the character right of the caret (the one typed last).
LRESULT DeleteRight(HWND box)
{
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const DWORD length = static_cast<DWORD>(SendMessageW(box, EM_LINELENGTH, 0, 0));
    if (start == end) {
        if (start >= length) return 0;
        SendMessageW(box, EM_SETSEL, start, end + 1);
    }
    ReplaceSelection(box, L"");
    return 0;
}

LRESULT OnBoxKeyDown(HWND box, WPARAM key, LPARAM lParam)
{
    if (ScrollLockOn()) return PassOn(box, WM_KEYDOWN, key, lParam);
    switch (key) {
    case VK_END: return PassOn(box, WM_KEYDOWN, VK_HOME, lParam);
    case VK_HOME: return PassOn(box, WM_KEYDOWN, VK_END, lParam);
    case VK_DELETE:
        // The low bit of the state is the toggle, not the key held down.
        if ((GetKeyState(VK_SHIFT) & ~1) != 0) return PassOn(box, WM_KEYDOWN, key, lParam);
        return DeleteLeft(box);
    default: return PassOn(box, WM_KEYDOWN, key, lParam);
    }
}

LRESULT OnBoxChar(HWND box, WPARAM wParam, LPARAM lParam)
{
    const wchar_t c = static_cast<wchar_t>(wParam & 0xFFFF);
    if (ScrollLockOn()) return PassOn(box, WM_CHAR, wParam, lParam);
    if (c == VK_BACK) return DeleteRight(box);
    if ((c >= L'0' && c <= L'9') || c < 32) return PassOn(box, WM_CHAR, wParam, lParam);
    TypeMappedKey(box, c);
    return 0;
}

// The pattern as the box shows it: in stored order, so that Enter on an
// unchanged box stores the same pattern again.
void ShowPattern(HWND box)
{
    wchar_t text[kPatternCapacity] = {};
    const int32_t base = LetterBase();
    for (int i = 0; i < kPatternCapacity - 1 && g_app.searchString[i] != 0; ++i)
        text[i] = static_cast<wchar_t>(DisplayUnit(g_app.searchString[i], base));
    SetWindowTextW(box, text);
}

// The keyboard picture: the dialog's static control that shows a bitmap.
void FindPicture(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        s_search.picture = POINT{r.left, r.top};
        s_search.pictureFound = true;
    }
}

INT_PTR OnInitDialog(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_SEARCH_BOX);
    const LONG units = GetDialogBaseUnits();
    s_search.baseUnitX = LOWORD(units);
    s_search.baseUnitY = HIWORD(units);
    // The display font's size taken as a cell height in pixels.
    LOGFONTW logFont = {};
    logFont.lfHeight = DisplayFont().size;
    std::memcpy(logFont.lfFaceName, DisplayFont().faceName, sizeof logFont.lfFaceName);
    logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    s_search.searchFont = CreateFontIndirectW(&logFont);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(s_search.searchFont), TRUE);
    SendMessageW(box, EM_LIMITTEXT, kPatternCapacity - 1, 0);
    ShowPattern(box);
    FindPicture(dialog);
    SubclassWindow(box);
    return TRUE;  // the dialog manager puts the focus into the box
}

// A click on the dialog: the key under it on the picture. The picture's
// own place is measured; the fixed correction over the system's base units
// holds only for the font metrics it was worked out on.
INT_PTR OnClick(HWND dialog, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    const int position = s_search.pictureFound
                             ? PictureKeyAt(x - s_search.picture.x, y - s_search.picture.y)
                             : HitKeyboardPicture(x, y, s_search.baseUnitX, s_search.baseUnitY);
    if (position < 0) return TRUE;
    InsertPictureKey(dialog, position);
    return FALSE;
}

INT_PTR OnOk(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_SEARCH_BOX);
    wchar_t text[kPatternCapacity] = {};
    GetWindowTextW(box, text, kPatternCapacity);
    StorePattern(reinterpret_cast<const char16_t*>(text), LetterBase(), g_app.searchString);
    if (g_app.searchString[0] != 0 && SearchLessons(dialog) == 0) {
        // Nothing found: the word stays for another try.
        SendMessageW(box, EM_SETSEL, 0, -1);
        return TRUE;
    }
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, int command)
{
    switch (command) {
    case IDOK: return OnOk(dialog);
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

void OnDestroy()
{
    if (s_search.searchFont) DeleteObject(s_search.searchFont);
    s_search.searchFont = nullptr;
}

}  // namespace

int TypeMappedKey(HWND box, wchar_t typed)
{
    const int32_t character = MappedCharacter(static_cast<char16_t>(typed), LetterBase());
    if (character < 0) return 1;
    InsertBeforeCaret(box, static_cast<wchar_t>(character));
    return 0;
}

void InsertPictureKey(HWND dialog, int position)
{
    HWND box = GetDlgItem(dialog, IDC_SEARCH_BOX);
    const int32_t character = PictureKeyCharacter(position, LetterBase());
    if (!box || character < 0) return;
    InsertBeforeCaret(box, static_cast<wchar_t>(character));
}

void SubclassWindow(HWND box)
{
    const auto replaced = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SearchBoxProc)));
    if (!replaced) {
        const int answer = MessageBoxW(nullptr, L"SubclassWindow() error", L"Hebrew", MB_OK);
        ExitProcess(static_cast<UINT>(answer));
    }
    if (replaced != SearchBoxProc) s_previousEditProc = replaced;
}

LRESULT CALLBACK SearchBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN: return OnBoxKeyDown(box, wParam, lParam);
    case WM_CHAR: return OnBoxChar(box, wParam, lParam);
    default: return PassOn(box, message, wParam, lParam);
    }
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        s_search = SearchDialogState{};
        return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_LBUTTONDOWN: return OnClick(dialog, lParam);
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    default: return FALSE;
    }
}
