// The font chooser's lists, letter base buttons and preview, opened with the
// Font command on stored choices, read across processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

const std::vector<std::wstring> kSizes = {L"10", L"11", L"12", L"14", L"16", L"18", L"20",
                                          L"22", L"24", L"26", L"28", L"32", L"52", L"72"};

// Opens the chooser on the stored choices of `setup`, lets `act` work it and
// close it, and waits for the reader to end; the stored values are then in
// the registry.
template <typename Act>
void WithChooser(const ReaderSetup& setup, Act act)
{
    PositionAfter(setup, [&](LumoraProcess& l) {
        l.Command(IDC_FONT);
        HWND chooser = l.WaitForDialog(L"Choose Font");
        ASSERT_NE(chooser, nullptr);
        act(chooser);
        EXPECT_TRUE(l.WaitForDialogGone(L"Choose Font"));
    });
}

ReaderSetup Stored(const wchar_t* face, long size, long letterBase)
{
    ReaderSetup setup = LongDayPinned();
    setup.face = face;
    setup.fontSize = size;
    setup.letterBase = letterBase;
    return setup;
}

bool Checked(HWND chooser, int id)
{
    return SendDlgItemMessageW(chooser, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

LRESULT Selected(HWND chooser, int id)
{
    return SendDlgItemMessageW(chooser, id, LB_GETCURSEL, 0, 0);
}

// The 27 letters of a letter base, last first, as the preview shows them.
std::wstring Letters(int base)
{
    std::wstring text;
    for (int k = 26; k >= 0; --k) text.push_back(static_cast<wchar_t>(base + k));
    return text;
}

int CALLBACK CollectCharset(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM parameter)
{
    auto* hebrew = reinterpret_cast<std::map<std::wstring, bool>*>(parameter);
    (*hebrew)[font->lfFaceName] |= metrics->tmCharSet == HEBREW_CHARSET;
    return 1;
}

// Each face, and whether any of its entries is Hebrew, enumerated as the
// chooser enumerates them (one entry per face and character set).
const std::map<std::wstring, bool>& HebrewFaces()
{
    static std::map<std::wstring, bool> hebrew;
    if (hebrew.empty()) {
        HDC screen = GetDC(nullptr);
        EnumFontsW(screen, nullptr, reinterpret_cast<FONTENUMPROCW>(CollectCharset),
                   reinterpret_cast<LPARAM>(&hebrew));
        ReleaseDC(nullptr, screen);
    }
    return hebrew;
}

std::wstring FaceWithHebrew(bool hebrew)
{
    const auto& faces = HebrewFaces();
    for (const wchar_t* face : {L"Frank Ruehl CLM", L"David CLM", L"Miriam CLM", L"DejaVu Sans", L"Tahoma"}) {
        const auto it = faces.find(face);
        if (it != faces.end() && it->second == hebrew) return face;
    }
    return L"";
}

TEST(FontChooser, ListsTheFacesSortedAndTheFourteenSizes)
{
    WithChooser(Stored(kTestFace, -1, -1), [](HWND chooser) {
        const auto faces = LumoraProcess::ListItems(chooser, IDC_FONT_FACES);
        EXPECT_GT(faces.size(), 10u);
        EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end(), [](const std::wstring& a, const std::wstring& b) {
            return lstrcmpiW(a.c_str(), b.c_str()) < 0;
        }));
        // The stored face is selected; no size is stored, none is selected.
        const LRESULT face = Selected(chooser, IDC_FONT_FACES);
        ASSERT_NE(face, LB_ERR);
        EXPECT_EQ(faces[face], kTestFace);
        EXPECT_EQ(LumoraProcess::ListItems(chooser, IDC_FONT_SIZES), kSizes);
        EXPECT_EQ(Selected(chooser, IDC_FONT_SIZES), LB_ERR);
        // The default letter base: "5D0", and the letters from U+05EA down.
        EXPECT_FALSE(Checked(chooser, IDC_FONT_BASE_224));
        EXPECT_TRUE(Checked(chooser, IDC_FONT_BASE_5D0));
        EXPECT_EQ(LumoraProcess::ControlText(chooser, IDC_FONT_PREVIEW), Letters(0x5D0));
        LumoraProcess::PressButton(chooser, IDCANCEL);
    });
}

TEST(FontChooser, ListsEachFaceOnce)
{
    // The system reports many faces once per character set.
    const auto& faces = HebrewFaces();
    WithChooser(Stored(kTestFace, -1, -1), [&](HWND chooser) {
        auto items = LumoraProcess::ListItems(chooser, IDC_FONT_FACES);
        EXPECT_EQ(items.size(), faces.size());
        std::sort(items.begin(), items.end());
        EXPECT_EQ(std::adjacent_find(items.begin(), items.end()), items.end()) << "a face listed twice";
        for (const auto& [face, hebrew] : faces)
            EXPECT_TRUE(std::binary_search(items.begin(), items.end(), face)) << testing::PrintToString(face);
        LumoraProcess::PressButton(chooser, IDCANCEL);
    });
}

TEST(FontChooser, SizeBelowTheListComesFirstAndSelected)
{
    WithChooser(Stored(kTestFace, 8, -1), [](HWND chooser) {
        std::vector<std::wstring> expected = {L"8"};
        expected.insert(expected.end(), kSizes.begin(), kSizes.end());
        EXPECT_EQ(LumoraProcess::ListItems(chooser, IDC_FONT_SIZES), expected);
        EXPECT_EQ(Selected(chooser, IDC_FONT_SIZES), 0);
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Number(L"FontSize"), 8);
}

TEST(FontChooser, SizeNotListedIsKeptUnlessOneIsClicked)
{
    WithChooser(Stored(kTestFace, 13, -1), [](HWND chooser) {
        EXPECT_EQ(LumoraProcess::ListItems(chooser, IDC_FONT_SIZES), kSizes);
        EXPECT_EQ(Selected(chooser, IDC_FONT_SIZES), LB_ERR);
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Number(L"FontSize"), 13);

    WithChooser(Stored(kTestFace, 13, -1), [](HWND chooser) {
        EXPECT_EQ(LumoraProcess::SelectInList(chooser, IDC_FONT_SIZES, L"16"), 4);
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Number(L"FontSize"), 16);
}

TEST(FontChooser, LetterBaseZeroBecomes5D0EvenWhenCancelled)
{
    WithChooser(Stored(kTestFace, -1, 0), [](HWND chooser) {
        EXPECT_TRUE(Checked(chooser, IDC_FONT_BASE_5D0));
        EXPECT_EQ(LumoraProcess::ControlText(chooser, IDC_FONT_PREVIEW), Letters(0x5D0));
        LumoraProcess::PressButton(chooser, IDCANCEL);
    });
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 0x5D0);
}

TEST(FontChooser, LetterBase97ChecksNoButtonAndIsKept)
{
    // A face with no Hebrew entry: a Hebrew one would switch to 5D0 at once.
    const std::wstring other = FaceWithHebrew(false);
    ASSERT_FALSE(other.empty());
    WithChooser(Stored(other.c_str(), -1, 97), [](HWND chooser) {
        EXPECT_FALSE(Checked(chooser, IDC_FONT_BASE_224));
        EXPECT_FALSE(Checked(chooser, IDC_FONT_BASE_5D0));
        EXPECT_EQ(LumoraProcess::ControlText(chooser, IDC_FONT_PREVIEW), Letters(97));
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 97);
}

TEST(FontChooser, Clicking224ShowsThoseLettersAndStoresIt)
{
    WithChooser(Stored(kTestFace, -1, -1), [](HWND chooser) {
        PostMessageW(GetDlgItem(chooser, IDC_FONT_BASE_224), BM_CLICK, 0, 0);
        EXPECT_TRUE(PollUntil([&] { return Checked(chooser, IDC_FONT_BASE_224); }, 3000));
        EXPECT_FALSE(Checked(chooser, IDC_FONT_BASE_5D0));
        EXPECT_TRUE(PollUntil([&] {
            return LumoraProcess::ControlText(chooser, IDC_FONT_PREVIEW) == Letters(224);
        }, 3000));
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 224);
}

TEST(FontChooser, HebrewFaceSwitchesTo5D0AndAnotherFaceDoesNotSwitchBack)
{
    const std::wstring hebrew = FaceWithHebrew(true);
    const std::wstring other = FaceWithHebrew(false);
    ASSERT_FALSE(hebrew.empty());
    ASSERT_FALSE(other.empty());
    WithChooser(Stored(other.c_str(), -1, 224), [&](HWND chooser) {
        EXPECT_TRUE(Checked(chooser, IDC_FONT_BASE_224));
        ASSERT_NE(LumoraProcess::SelectInList(chooser, IDC_FONT_FACES, hebrew.c_str()), LB_ERR);
        EXPECT_TRUE(Checked(chooser, IDC_FONT_BASE_5D0));
        EXPECT_FALSE(Checked(chooser, IDC_FONT_BASE_224));
        EXPECT_EQ(LumoraProcess::ControlText(chooser, IDC_FONT_PREVIEW), Letters(0x5D0));
        ASSERT_NE(LumoraProcess::SelectInList(chooser, IDC_FONT_FACES, other.c_str()), LB_ERR);
        EXPECT_TRUE(Checked(chooser, IDC_FONT_BASE_5D0));
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Text(L"FontName"), other);
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 0x5D0);
}

TEST(FontChooser, StoredHebrewFaceSwitchesTo5D0AtOpening)
{
    const std::wstring hebrew = FaceWithHebrew(true);
    ASSERT_FALSE(hebrew.empty());
    WithChooser(Stored(hebrew.c_str(), -1, 224), [&](HWND chooser) {
        // The face list's focus notification applies the rule at once.
        EXPECT_TRUE(PollUntil([&] { return Checked(chooser, IDC_FONT_BASE_5D0); }, 3000));
        EXPECT_FALSE(Checked(chooser, IDC_FONT_BASE_224));
        LumoraProcess::PressButton(chooser, IDCANCEL);
    });
    // Cancelled: the letter base stays as stored.
    EXPECT_EQ(Registry::Number(L"FontAsciiBase"), 224);
}

TEST(FontChooser, OkWithNoFaceSelectedKeepsTheFace)
{
    WithChooser(Stored(L"No Such Face", 12, -1), [](HWND chooser) {
        EXPECT_EQ(Selected(chooser, IDC_FONT_FACES), LB_ERR);
        LumoraProcess::PressButton(chooser, IDOK);
    });
    EXPECT_EQ(Registry::Text(L"FontName"), L"No Such Face");
    EXPECT_EQ(Registry::Number(L"FontSize"), 12);
}

}  // namespace
