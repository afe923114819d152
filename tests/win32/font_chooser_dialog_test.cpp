// The font chooser's dialog procedure on the real dialog template of
// Lumora.exe, run in this process so that its font handles can be looked
// at: the preview font is deleted however the dialog closes, every face is
// listed once and keeps its Hebrew mark, and a record without a face gets
// the face the page is drawn in.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogs/font_chooser_win32.h"
#include "page/text_view.h"
#include "resource_ids.h"
#include "shell/app_state.h"
#include "test_paths.h"

namespace {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 3000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
    return true;
}

bool IsFont(HGDIOBJ handle)
{
    return handle && GetObjectType(handle) == OBJ_FONT;
}

std::vector<std::wstring> Items(HWND dialog, int id)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendDlgItemMessageW(dialog, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendDlgItemMessageW(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::wstring SelectedFace(HWND dialog)
{
    const LRESULT index = SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return L"";
    wchar_t text[64] = {};
    SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

bool Checked(HWND dialog, int id)
{
    return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int CALLBACK NoteCharset(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM parameter)
{
    auto* reports = reinterpret_cast<std::map<std::wstring, std::vector<BYTE>>*>(parameter);
    (*reports)[font->lfFaceName].push_back(metrics->tmCharSet);
    return 1;
}

// Every character set the enumeration reports for each face, in order.
std::map<std::wstring, std::vector<BYTE>> EnumeratedFaces()
{
    std::map<std::wstring, std::vector<BYTE>> reports;
    HDC screen = GetDC(nullptr);
    EnumFontsW(screen, nullptr, reinterpret_cast<FONTENUMPROCW>(NoteCharset),
               reinterpret_cast<LPARAM>(&reports));
    ReleaseDC(nullptr, screen);
    return reports;
}

class FontChooserDialog : public testing::Test {
protected:
    void SetUp() override
    {
        g_app = AppState{};
        module_ = LoadLibraryExW(LumoraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "no Lumora.exe given (--lumora-exe= or LUMORA_EXE)";
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(IDD_FONT), MAKEINTRESOURCEW(5));
        ASSERT_NE(found, nullptr);
        template_ = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module_, found)));
        ASSERT_NE(template_, nullptr);
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override
    {
        if (g_app.mainView) {
            HDC device = g_app.mainView->device;
            FreeTextView(g_app.mainView, true);
            ReleaseDC(owner_, device);
            g_app.mainView = nullptr;
        }
        if (owner_) DestroyWindow(owner_);
        if (module_) FreeLibrary(module_);
    }

    // Opens the chooser on `record` as a modeless dialog over the owner; the
    // preview font exists once the face list has the focus.
    HWND Open(FontRecord* record)
    {
        HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), template_, owner_,
                                                 FontDialogProc, reinterpret_cast<LPARAM>(record));
        Pump();
        return dialog;
    }

    static HGDIOBJ PreviewFont(HWND dialog)
    {
        return reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(dialog, IDC_FONT_PREVIEW, WM_GETFONT, 0, 0));
    }

    HMODULE module_ = nullptr;
    const DLGTEMPLATE* template_ = nullptr;
    HWND owner_ = nullptr;
};

enum class Closing { CancelButton, EscapeKey, CloseBox, OkButton };

void Close(HWND dialog, Closing how)
{
    switch (how) {
    case Closing::CancelButton:
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        break;
    case Closing::EscapeKey: {
        // As the modal loop hands a key to the dialog manager.
        MSG key = {};
        key.hwnd = GetDlgItem(dialog, IDC_FONT_FACES);
        key.message = WM_KEYDOWN;
        key.wParam = VK_ESCAPE;
        IsDialogMessageW(dialog, &key);
        break;
    }
    case Closing::CloseBox:
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Closing::OkButton:
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        break;
    }
}

TEST_F(FontChooserDialog, EveryWayOfClosingDeletesThePreviewFont)
{
    // Fifty cancelled openings and ten of each other way: every preview font
    // made is gone once the dialog has closed, before its window is destroyed.
    const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    int deleted = 0;
    for (const Closing how : {Closing::CancelButton, Closing::EscapeKey, Closing::CloseBox, Closing::OkButton}) {
        const int rounds = how == Closing::CancelButton ? 50 : 10;
        for (int round = 0; round < rounds; ++round) {
            FontRecord record{};
            wcscpy(reinterpret_cast<wchar_t*>(record.faceName), L"DejaVu Sans");
            record.size = 12;
            record.letterBase = 0x5D0;
            HWND dialog = Open(&record);
            ASSERT_NE(dialog, nullptr);
            const HGDIOBJ preview = PreviewFont(dialog);
            ASSERT_TRUE(IsFont(preview)) << static_cast<int>(how) << " round " << round;
            Close(dialog, how);
            const bool gone = PumpUntil([&] { return !IsFont(preview); }, 2000);
            EXPECT_TRUE(gone) << "preview font kept, way " << static_cast<int>(how) << " round " << round;
            deleted += gone;
            DestroyWindow(dialog);
            Pump();
        }
    }
    EXPECT_EQ(deleted, 80);
    // Where the system counts GDI objects, the count has not grown.
    const DWORD objectsAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::printf("GDI objects before %lu, after %lu\n", objectsBefore, objectsAfter);
    if (objectsBefore != 0) {
        EXPECT_LE(objectsAfter, objectsBefore + 5);
    }
}

TEST_F(FontChooserDialog, EachFaceIsListedOnceAndStaysHebrewIfAnyReportSaidSo)
{
    const auto reports = EnumeratedFaces();
    FontRecord record{};
    wcscpy(reinterpret_cast<wchar_t*>(record.faceName), L"DejaVu Sans");
    record.letterBase = 224;
    HWND dialog = Open(&record);
    ASSERT_NE(dialog, nullptr);

    const auto items = Items(dialog, IDC_FONT_FACES);
    const std::set<std::wstring> distinct(items.begin(), items.end());
    EXPECT_EQ(distinct.size(), items.size()) << "a face is listed more than once";
    EXPECT_EQ(items.size(), reports.size());
    size_t reportedTwice = 0;
    for (const auto& [face, charsets] : reports) reportedTwice += charsets.size() > 1;
    std::printf("%zu faces, %zu of them reported more than once\n", reports.size(), reportedTwice);
    EXPECT_GT(reportedTwice, 0u) << "the prefix has no face reported twice: the test shows nothing";

    // A face whose first report is not Hebrew but a later one is: still
    // switches the letter base to 5D0. So does any Hebrew face.
    int hebrewLater = 0;
    for (const auto& [face, charsets] : reports) {
        bool hebrew = false;
        for (BYTE c : charsets) hebrew |= c == HEBREW_CHARSET;
        if (!hebrew) continue;
        const bool laterOnly = charsets.front() != HEBREW_CHARSET;
        hebrewLater += laterOnly;
        SendDlgItemMessageW(dialog, IDC_FONT_BASE_5D0, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageW(dialog, IDC_FONT_BASE_224, BM_SETCHECK, BST_CHECKED, 0);
        const LRESULT index = SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_FINDSTRINGEXACT,
                                                  static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(face.c_str()));
        ASSERT_NE(index, LB_ERR) << testing::PrintToString(face);
        SendDlgItemMessageW(dialog, IDC_FONT_FACES, LB_SETCURSEL, index, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_FACES, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_FONT_FACES)));
        EXPECT_TRUE(Checked(dialog, IDC_FONT_BASE_5D0)) << testing::PrintToString(face);
        EXPECT_FALSE(Checked(dialog, IDC_FONT_BASE_224)) << testing::PrintToString(face);
    }
    std::printf("%d Hebrew faces whose first report is another character set\n", hebrewLater);
    EXPECT_GT(hebrewLater, 0) << "no face reported Hebrew only later: the test shows nothing";
    Close(dialog, Closing::CancelButton);
    DestroyWindow(dialog);
}

// The face the system gives a font that asks for none, as the page's
// normal text font does.
std::wstring SystemFaceForNoFace(HDC device)
{
    LOGFONTW font = {};
    font.lfWeight = 400;
    font.lfCharSet = DEFAULT_CHARSET;
    HFONT made = CreateFontIndirectW(&font);
    HGDIOBJ before = SelectObject(device, made);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(device, LF_FACESIZE, face);
    SelectObject(device, before);
    DeleteObject(made);
    return face;
}

TEST_F(FontChooserDialog, NoFaceYetSelectsThePageFaceAndOkStoresIt)
{
    // The page, as the main window has it, in a font record without a face.
    HDC device = GetDC(owner_);
    const ViewRect area{10, 10, 300, 200};
    FontRecord pageFont{};
    pageFont.letterBase = 0x5D0;
    g_app.mainView = NewTextView(device, &area, &pageFont, 10);
    ASSERT_NE(g_app.mainView, nullptr);
    const std::wstring pageFace = SystemFaceForNoFace(device);
    ASSERT_FALSE(pageFace.empty());

    FontRecord record{};
    HWND dialog = Open(&record);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SelectedFace(dialog), pageFace);
    Close(dialog, Closing::OkButton);
    DestroyWindow(dialog);
    EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(record.faceName)), pageFace);
    EXPECT_EQ(record.letterBase, 0x5D0);
}

TEST_F(FontChooserDialog, NoFaceAndNoPageSelectsTheFirstFace)
{
    FontRecord record{};
    HWND dialog = Open(&record);
    ASSERT_NE(dialog, nullptr);
    const auto items = Items(dialog, IDC_FONT_FACES);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(SelectedFace(dialog), items[0]);
    Close(dialog, Closing::OkButton);
    DestroyWindow(dialog);
    EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(record.faceName)), items[0]);
}

TEST_F(FontChooserDialog, NoFaceAndCancelStoresNothing)
{
    FontRecord record{};
    HWND dialog = Open(&record);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(SelectedFace(dialog).empty());
    Close(dialog, Closing::CancelButton);
    DestroyWindow(dialog);
    EXPECT_EQ(record.faceName[0], 0);
}

}  // namespace
