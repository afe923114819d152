// The font chooser dialog (template 105).
#include "dialogs/font_chooser_win32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "page/letter_code.h"
#include "page/text_view.h"
#include "resource_ids.h"
#include "shell/app_state.h"

namespace {

// One installed face, as enumerated. Entries come in blocks of 25, the first
// entry of each block marked, so that the list is released block by block.
struct FontListEntry {
    FontListEntry* next;
    wchar_t faceName[32];
    uint8_t charSet;
    uint8_t blockStart;
};

constexpr int kEntriesPerBlock = 25;

struct FontChoiceState {
    FontListEntry* fontListHead;
    FontListEntry** fontListTail;
    FontListEntry* nextFreeEntry;
    HFONT previewFont;
    int freeEntries;
    LOGFONTW previewLogFont;
    FontRecord* editedFont;
};

FontChoiceState s_choice;

const int kSizeChoices[] = {10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72};

// ApplyFontChoice flags.
constexpr int kStoreChoice = 1;
constexpr int kListChanged = 2;

// Clears the state. The preview font goes with it: its handle is in the
// state only, so a reset that forgot it would lose it for good.
void ResetFontChoice()
{
    if (s_choice.previewFont) DeleteObject(s_choice.previewFont);
    std::memset(&s_choice, 0, sizeof s_choice);
    s_choice.fontListTail = &s_choice.fontListHead;
}

void FreeFontList()
{
    FontListEntry* entry = s_choice.fontListHead;
    while (entry) {
        FontListEntry* nextBlock = entry->next;
        while (nextBlock && !nextBlock->blockStart) nextBlock = nextBlock->next;
        if (entry->blockStart) std::free(entry);
        entry = nextBlock;
    }
    ResetFontChoice();
}

FontListEntry* FindEntry(const wchar_t* face)
{
    for (FontListEntry* e = s_choice.fontListHead; e; e = e->next)
        if (wcscmp(e->faceName, face) == 0) return e;
    return nullptr;
}

// The enumeration reports a face once for each character set it declares:
// the list keeps one entry per face, marked Hebrew when any report was.
int CALLBACK CollectFont(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM)
{
    wchar_t face[32];
    std::memcpy(face, font->lfFaceName, sizeof face);
    face[31] = 0;
    if (FontListEntry* known = FindEntry(face)) {
        if (metrics->tmCharSet == HEBREW_CHARSET) known->charSet = HEBREW_CHARSET;
        return 1;
    }
    if (s_choice.freeEntries == 0) {
        auto* block = static_cast<FontListEntry*>(std::calloc(kEntriesPerBlock, sizeof(FontListEntry)));
        if (!block) return 0;  // keep the faces collected so far
        s_choice.nextFreeEntry = block;
        s_choice.freeEntries = kEntriesPerBlock;
        block->blockStart = 1;
    }
    FontListEntry* entry = s_choice.nextFreeEntry++;
    --s_choice.freeEntries;
    std::memcpy(entry->faceName, face, sizeof entry->faceName);
    entry->charSet = metrics->tmCharSet;
    *s_choice.fontListTail = entry;
    s_choice.fontListTail = &entry->next;
    return 1;
}

void ShowLetterPreview(HWND dialog, int32_t base)
{
    // The letters from the last to the first: right-aligned, they read from
    // the right as the alphabet.
    wchar_t previewText[28];
    for (int k = 0; k < 27; ++k) previewText[k] = static_cast<wchar_t>(base + 26 - k);
    previewText[27] = 0;
    SetDlgItemTextW(dialog, IDC_FONT_PREVIEW, previewText);
}

bool IsChecked(HWND dialog, int id)
{
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND dialog, int id, bool checked)
{
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Selected size: the decimal text of the item, read without checking digits.
bool ReadSelectedSize(HWND sizes, LONG* height)
{
    const LRESULT index = SendMessageW(sizes, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return false;
    wchar_t text[8] = {};
    const LRESULT length = SendMessageW(sizes, LB_GETTEXTLEN, index, 0);
    if (length < 0 || length >= 8) return false;  // longer than any size offered
    SendMessageW(sizes, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    LONG value = 0;
    for (int i = 0; i < 2 && text[i]; ++i) value = 10 * value + (text[i] - 48);
    *height = value;
    return true;
}

void ApplyFontChoice(HWND dialog, int flags)
{
    LOGFONTW& chosen = s_choice.previewLogFont;
    HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
    const LRESULT faceIndex = SendMessageW(faces, LB_GETCURSEL, 0, 0);
    if (faceIndex != LB_ERR && SendMessageW(faces, LB_GETTEXTLEN, faceIndex, 0) < LF_FACESIZE)
        SendMessageW(faces, LB_GETTEXT, faceIndex, reinterpret_cast<LPARAM>(chosen.lfFaceName));
    ReadSelectedSize(GetDlgItem(dialog, IDC_FONT_SIZES), &chosen.lfHeight);

    if (s_choice.previewFont) {
        DeleteObject(s_choice.previewFont);
        s_choice.previewFont = nullptr;
    }

    // A face made for Hebrew shows its letters at the Unicode positions.
    if ((flags & kListChanged) && chosen.lfFaceName[0]) {
        const FontListEntry* entry = FindEntry(chosen.lfFaceName);
        if (entry && entry->charSet == HEBREW_CHARSET && !IsChecked(dialog, IDC_FONT_BASE_5D0)) {
            SetCheck(dialog, IDC_FONT_BASE_224, false);
            SetCheck(dialog, IDC_FONT_BASE_97, false);
            SetCheck(dialog, IDC_FONT_BASE_5D0, true);
            ShowLetterPreview(dialog, kUnicodeLetterBase);
        }
    }

    if (flags & kStoreChoice) {
        FontRecord* record = s_choice.editedFont;
        if (chosen.lfHeight != 0) record->size = chosen.lfHeight;
        if (IsChecked(dialog, IDC_FONT_BASE_224))
            record->letterBase = kCodePageLetterBase;
        else if (IsChecked(dialog, IDC_FONT_BASE_97))
            record->letterBase = kIdentityLetterBase;
        else if (IsChecked(dialog, IDC_FONT_BASE_5D0))
            record->letterBase = kUnicodeLetterBase;
        if (chosen.lfFaceName[0]) {
            std::memcpy(record->faceName, chosen.lfFaceName, sizeof record->faceName);
            record->faceName[31] = 0;
        }
        return;
    }

    // The size is used as a cell height in pixels here, not as points. The
    // face is asked for whatever character sets it declares, as the page
    // asks for it, so that a face made only for Hebrew shows itself.
    chosen.lfCharSet = DEFAULT_CHARSET;
    s_choice.previewFont = CreateFontIndirectW(&chosen);
    SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_SETFONT,
                        reinterpret_cast<WPARAM>(s_choice.previewFont), TRUE);
}

int RadioOfBase(int32_t base)
{
    switch (base) {
    case kIdentityLetterBase: return IDC_FONT_BASE_97;
    case kCodePageLetterBase: return IDC_FONT_BASE_224;
    case kUnicodeLetterBase: return IDC_FONT_BASE_5D0;
    default: return 0;
    }
}

void FillSizeList(HWND sizes, int32_t size)
{
    SendMessageW(sizes, LB_RESETCONTENT, 0, 0);
    wchar_t text[16];
    if (size >= 1 && size < kSizeChoices[0]) {
        swprintf(text, 16, L"%d", size);
        SendMessageW(sizes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    for (int choice : kSizeChoices) {
        swprintf(text, 16, L"%d", choice);
        SendMessageW(sizes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    if (size != 0) {
        swprintf(text, 16, L"%d", size);
        SendMessageW(sizes, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    }
}

// No face chosen yet (the first run): the face the page is drawn in, as the
// system reports it, or else the first one, so that OK stores a face that
// the user has seen and the chooser does not come back at every start.
void SelectPageFace(HWND faces)
{
    wchar_t face[LF_FACESIZE];
    LRESULT index = LB_ERR;
    if (ViewFaceName(g_app.mainView, face, LF_FACESIZE))
        index = SendMessageW(faces, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(face));
    if (index == LB_ERR) index = 0;
    SendMessageW(faces, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void InitFontDialog(HWND dialog, FontRecord* record)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    HDC device = GetDC(owner);
    ResetFontChoice();
    s_choice.editedFont = record;
    if (record->letterBase == 0) record->letterBase = kUnicodeLetterBase;

    ShowLetterPreview(dialog, record->letterBase);
    if (const int radio = RadioOfBase(record->letterBase)) SetCheck(dialog, radio, true);

    if (!s_choice.fontListHead) EnumFontsW(device, nullptr, CollectFont, 0);
    ReleaseDC(owner, device);

    HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
    SendMessageW(faces, LB_RESETCONTENT, 0, 0);
    for (const FontListEntry* e = s_choice.fontListHead; e; e = e->next)
        SendMessageW(faces, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e->faceName));
    if (record->faceName[0])
        SendMessageW(faces, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(record->faceName));
    else
        SelectPageFace(faces);

    FillSizeList(GetDlgItem(dialog, IDC_FONT_SIZES), record->size);
    // The focus notification of the face list builds the preview font.
    SetFocus(faces);
}

// The preview box lets go of the preview font before it is deleted.
void DetachPreviewFont(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_SETFONT, 0, FALSE);
}

INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        DetachPreviewFont(dialog);
        ApplyFontChoice(dialog, kStoreChoice);
        FreeFontList();
        EndDialog(dialog, 1);
        return 1;
    case IDCANCEL:
        DetachPreviewFont(dialog);
        FreeFontList();
        EndDialog(dialog, 2);
        return 1;
    case IDC_FONT_FACES:
    case IDC_FONT_SIZES:
        ApplyFontChoice(dialog, kListChanged);
        return 0;
    case IDC_FONT_BASE_97:
        ShowLetterPreview(dialog, kIdentityLetterBase);
        ApplyFontChoice(dialog, 0);
        return 0;
    case IDC_FONT_BASE_224:
        ShowLetterPreview(dialog, kCodePageLetterBase);
        ApplyFontChoice(dialog, 0);
        return 0;
    case IDC_FONT_BASE_5D0:
        ShowLetterPreview(dialog, kUnicodeLetterBase);
        ApplyFontChoice(dialog, 0);
        return 0;
    default:
        return 0;
    }
}

void OnDestroy(HWND dialog)
{
    if (s_choice.previewFont) {
        DetachPreviewFont(dialog);
        DeleteObject(s_choice.previewFont);
        s_choice.previewFont = nullptr;
    }
}

}  // namespace

INT_PTR CALLBACK FontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitFontDialog(dialog, reinterpret_cast<FontRecord*>(lParam));
        return 0;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        OnDestroy(dialog);
        return 1;
    default:
        return 0;
    }
}

INT_PTR RunFontChooser(HINSTANCE instance, HWND owner, FontRecord* record)
{
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FONT), owner, FontDialogProc,
                           reinterpret_cast<LPARAM>(record));
}
