// The search: the dialog's Hebrew typing on the Latin keys and its keyboard
// picture, with real key strokes and clicks; the search it runs, Search
// Again (F3) and Enter, on the real book; the pattern kept between runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "book_days.h"
#include "calendar/current_day.h"
#include "calendar/hebrew_calendar.h"
#include "dialogs/hebrew_keys.h"
#include "lessons/lesson_scan.h"
#include "lessons/lesson_search.h"
#include "lumora_process.h"
#include "page/lesson_text.h"
#include "page_book.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

// ---- the book, as the tests' own search sees it

const std::map<uint16_t, std::vector<uint8_t>>& Lessons()
{
    static const std::map<uint16_t, std::vector<uint8_t>> lessons = [] {
        std::map<uint16_t, std::vector<uint8_t>> all;
        for (const PackedDay& d : LoadPackedBook()) all[uint16_t(d.month << 8 | d.day)] = d.text;
        return all;
    }();
    return lessons;
}

uint8_t* LoadFromTestBook(uint16_t key, size_t* size, void*)
{
    const auto found = Lessons().find(key);
    if (found == Lessons().end()) return nullptr;
    *size = found->second.size();
    return OwnedText(found->second);
}

// Where a search for `pattern` from `start` in the lesson of `shownKey` lands.
LessonHit Expected(uint16_t shownKey, uint32_t start, const std::string& pattern)
{
    const std::vector<uint8_t>& shown = Lessons().at(shownKey);
    LessonHit hit = SearchAllLessons(shown.data(), shown.size(), start, shownKey,
                                     reinterpret_cast<const uint8_t*>(pattern.data()), pattern.size(),
                                     LoadFromTestBook, nullptr);
    std::free(hit.text);
    hit.text = nullptr;
    return hit;
}

// The day the reader makes current for a hit in lesson `key`, seen from `day`.
int32_t DayOfHit(uint16_t key, int32_t day)
{
    const CalendarDate date = DateOfLessonHit(key >> 8, key & 0xFF, HebrewFromDayNumber(day).year);
    return DayNumberFromHebrew(date.month, date.day, date.year);
}

// Every word of letters only (3 to 7 of them), with the lessons and records
// it stands in, one entry per occurrence.
struct Place {
    uint16_t key;
    int record;
};
const std::map<std::string, std::vector<Place>>& Words()
{
    static const std::map<std::string, std::vector<Place>> words = [] {
        std::map<std::string, std::vector<Place>> all;
        for (const auto& [key, text] : Lessons()) {
            uint16_t offset = 0;
            ParagraphRecord record;
            for (int index = 0; NextParagraph(text.data(), offset, record); ++index) {
                std::string word;
                bool lettersOnly = true;
                for (uint32_t i = 0; i <= record.textLength; ++i) {
                    const uint8_t c = i < record.textLength ? text[record.textOffset + i] : ' ';
                    if (c != ' ') {
                        word += char(c);
                        lettersOnly = lettersOnly && c >= 0x61 && c <= 0x7B;
                        continue;
                    }
                    if (lettersOnly && word.size() >= 3 && word.size() <= 7) all[word].push_back({key, index});
                    word.clear();
                    lettersOnly = true;
                }
            }
        }
        return all;
    }();
    return words;
}

// A word that stands in no lesson.
const std::string kNowhere = "zqzqe";

// The Latin keys that type `pattern` into the box: each letter goes in front
// of the one before, so the last byte is typed first.
std::string LatinKeysFor(const std::string& pattern)
{
    std::string keys;
    for (auto c = pattern.rbegin(); c != pattern.rend(); ++c) {
        const int letter = uint8_t(*c) - 0x61;
        for (const LayoutKey& k : kKeyboardLayout)
            if (k.target >= 224 && k.target - 224 == letter) keys += char(k.key);
    }
    return keys;
}

std::wstring BoxTextOf(const std::string& pattern)
{
    std::wstring text;
    for (const char c : pattern) text += wchar_t(0x5D0 + uint8_t(c) - 0x61);
    return text;
}

// ---- driving the dialog with real input

bool Foreground(HWND window)
{
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return WaitForForeground(window);
}

void KeyEvent(std::vector<INPUT>& inputs, WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_HOME || vk == VK_END || vk == VK_DELETE) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(input);
}

// One key with modifiers held, to the window in the foreground.
void Press(HWND window, std::initializer_list<WORD> modifiers, WORD vk)
{
    ASSERT_TRUE(Foreground(window));
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) KeyEvent(inputs, m, false);
    KeyEvent(inputs, vk, false);
    KeyEvent(inputs, vk, true);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) KeyEvent(inputs, *m, true);
    ASSERT_EQ(SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// Types characters as the keys of the Latin keyboard that make them.
void TypeText(HWND window, const std::string& text)
{
    for (const char c : text) {
        const SHORT scan = VkKeyScanW(wchar_t(c));
        ASSERT_NE(scan, -1) << c;
        if (scan & 0x100)
            Press(window, {VK_SHIFT}, LOBYTE(scan));
        else
            Press(window, {}, LOBYTE(scan));
    }
}

std::wstring BoxText(HWND dialog)
{
    return LumoraProcess::ControlText(dialog, IDC_SEARCH_BOX);
}

// The box's selection as (start, end).
std::pair<int, int> Selection(HWND dialog)
{
    DWORD_PTR packed = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, IDC_SEARCH_BOX), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &packed);
    return {int(LOWORD(packed)), int(HIWORD(packed))};
}

// Waits until the box holds `text`: every key has been handled.
bool BoxBecomes(HWND dialog, const std::wstring& text)
{
    return PollUntil([&] { return BoxText(dialog) == text; }, 5000);
}

struct LumoraWindows {
    HWND search = nullptr;   // the search dialog
    HWND message = nullptr;  // a message box
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<DWORD, LumoraWindows>*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (process != found->first || !IsWindowVisible(window) || std::wstring(cls) != L"#32770") return TRUE;
    if (GetDlgItem(window, IDC_SEARCH_BOX))
        found->second.search = window;
    else
        found->second.message = window;
    return TRUE;
}

LumoraWindows DialogsOf(const LumoraProcess& lumora)
{
    std::pair<DWORD, LumoraWindows> found{lumora.processId(), {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

HWND WaitForSearchDialog(const LumoraProcess& lumora)
{
    HWND dialog = nullptr;
    PollUntil([&] { return (dialog = DialogsOf(lumora).search) != nullptr; });
    // Typing goes to the box once it has the focus.
    if (dialog) Foreground(dialog);
    return dialog;
}

HWND WaitForMessageBox(const LumoraProcess& lumora, DWORD timeoutMs = 10000)
{
    HWND box = nullptr;
    PollUntil([&] { return (box = DialogsOf(lumora).message) != nullptr; }, timeoutMs);
    return box;
}

HWND OpenSearch(LumoraProcess& lumora)
{
    EXPECT_TRUE(lumora.TypeKeys({VK_CONTROL}, 'W'));
    return WaitForSearchDialog(lumora);
}

// Highlighted pixels (yellow behind the hit) in the main window.
int HighlightPixels(const Pixels& p)
{
    int n = 0;
    for (uint32_t v : p.rgb) n += v == 0xFFFF00;
    return n;
}

Pixels WaitForHighlight(HWND window, DWORD timeoutMs = 10000)
{
    Pixels p;
    PollUntil([&] { return HighlightPixels(p = CaptureClient(window)) > 20; }, timeoutMs);
    return CaptureClientSettled(window);
}

ReaderSetup ShownDay(int32_t day)
{
    ReaderSetup setup;
    setup.day = day;
    return setup;
}

void StorePatternSetting(const std::string& pattern)
{
    std::string bytes = pattern;
    bytes += '\0';
    Registry::PutBytes(L"SearchString", bytes.data(), DWORD(bytes.size()));
}

std::string StoredPattern()
{
    const std::vector<uint8_t> bytes = Registry::Bytes(L"SearchString");
    return std::string(bytes.begin(), bytes.end());
}

// ---- the words the tests search for

// A word twice or more in the long day's lesson, never in its first record,
// and in some other lesson too.
std::string WordLaterInTheLongDay()
{
    const uint16_t key = LessonKeyOfDay(LongDay());
    for (const auto& [word, places] : Words()) {
        int here = 0, elsewhere = 0, inFirst = 0;
        for (const Place& p : places) {
            if (p.key != key) ++elsewhere;
            else if (p.record == 0) ++inFirst;
            else ++here;
        }
        if (here >= 2 && elsewhere >= 1 && inFirst == 0 && word.size() >= 4) return word;
    }
    return "";
}

// A word the search from `day`'s lesson finds first in a lesson whose day
// comes 150 to 250 days later, and that lesson's key.
std::pair<std::string, uint16_t> WordAbout200DaysAfter(int32_t day)
{
    const uint16_t shown = LessonKeyOfDay(day);
    for (const auto& [word, places] : Words()) {
        const uint16_t key = places.front().key;
        bool one = true;
        for (const Place& p : places) one = one && p.key == key;
        if (!one || word.size() < 4 || key == shown) continue;
        const int32_t ahead = DayOfHit(key, day) - day;
        if (ahead < 150 || ahead > 250) continue;
        // As a part of longer words it may stand earlier, or in the shown lesson.
        if (Expected(shown, 0, word).key == key) return {word, key};
    }
    return {"", 0};
}

TEST(SearchBox, TypesHebrewInFrontOfTheCaret)
{
    Seed(ShownDay(LongDay()));
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND dialog = OpenSearch(lumora);
    ASSERT_TRUE(dialog);
    // t, then c: alef, then bet in front of it; the caret before both.
    TypeText(dialog, "tc");
    ASSERT_TRUE(BoxBecomes(dialog, L"\u05D1\u05D0")) << BoxText(dialog).size();
    EXPECT_EQ(Selection(dialog), std::make_pair(0, 0));
    // Digits are the edit control's: in place, the caret after them; a
    // letter then goes in at the caret, the caret in front of it.
    TypeText(dialog, "12T");
    ASSERT_TRUE(BoxBecomes(dialog, L"12\u05D0\u05D1\u05D0"));
    EXPECT_EQ(Selection(dialog), std::make_pair(2, 2));
    // Home goes to the end, End to the start.
    Press(dialog, {}, VK_HOME);
    EXPECT_TRUE(PollUntil([&] { return Selection(dialog) == std::make_pair(5, 5); }, 3000));
    Press(dialog, {}, VK_END);
    EXPECT_TRUE(PollUntil([&] { return Selection(dialog) == std::make_pair(0, 0); }, 3000));
    // Backspace takes the character right of the caret, Delete the one left
    // of it, and Delete at the start nothing.
    Press(dialog, {}, VK_BACK);
    EXPECT_TRUE(BoxBecomes(dialog, L"2\u05D0\u05D1\u05D0"));
    Press(dialog, {}, VK_DELETE);
    Press(dialog, {}, VK_HOME);
    Press(dialog, {}, VK_DELETE);
    EXPECT_TRUE(BoxBecomes(dialog, L"2\u05D0\u05D1"));
    // At the end Backspace takes nothing.
    Press(dialog, {}, VK_BACK);
    TypeText(dialog, "w");  // an apostrophe, in front of the caret at the end
    EXPECT_TRUE(BoxBecomes(dialog, L"2\u05D0\u05D1'"));
    EXPECT_EQ(Selection(dialog), std::make_pair(3, 3));
    // Shift+Delete is the edit control's own: with a selection, Cut.
    SendMessageW(GetDlgItem(dialog, IDC_SEARCH_BOX), EM_SETSEL, 1, 3);
    Press(dialog, {VK_SHIFT}, VK_DELETE);
    EXPECT_TRUE(BoxBecomes(dialog, L"2'"));
    std::wstring clipboard;
    PollUntil([&] {
        if (!OpenClipboard(nullptr)) return false;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            clipboard = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return !clipboard.empty();
    }, 3000);
    EXPECT_EQ(clipboard, L"\u05D0\u05D1");

    // A word as it is typed for a search, for the picture.
    SendMessageW(GetDlgItem(dialog, IDC_SEARCH_BOX), EM_SETSEL, 0, -1);
    Press(dialog, {}, VK_BACK);
    const std::string word = WordLaterInTheLongDay();
    TypeText(dialog, LatinKeysFor(word));
    EXPECT_TRUE(BoxBecomes(dialog, BoxTextOf(word)));
    Screenshot(dialog, L"search-dialog");
    // Esc leaves the pattern as it was: nothing is stored at exit.
    Press(dialog, {}, VK_ESCAPE);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).search; }));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_FALSE(Registry::Has(L"SearchString"));
}

TEST(SearchBox, ScrollLockMakesItAPlainEditControl)
{
    Seed(ShownDay(LongDay()));
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND dialog = OpenSearch(lumora);
    ASSERT_TRUE(dialog);
    Press(dialog, {}, VK_SCROLL);
    TypeText(dialog, "tc");
    const bool plain = BoxBecomes(dialog, L"tc");
    const auto caret = Selection(dialog);
    Press(dialog, {}, VK_HOME);  // Home is Home again
    const bool home = PollUntil([&] { return Selection(dialog) == std::make_pair(0, 0); }, 3000);
    Press(dialog, {}, VK_SCROLL);  // off again before anything can fail
    EXPECT_TRUE(plain) << BoxText(dialog).size();
    EXPECT_EQ(caret, std::make_pair(2, 2));
    EXPECT_TRUE(home);
    // And off, the mapping is back: Enter stores what the box holds.
    TypeText(dialog, "t");
    EXPECT_TRUE(BoxBecomes(dialog, L"\u05D0tc"));
    Press(dialog, {}, VK_RETURN);
    HWND message = WaitForMessageBox(lumora);
    ASSERT_TRUE(message);
    LumoraProcess::PressButton(message, IDOK);
    Press(dialog, {}, VK_ESCAPE);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).search; }));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(StoredPattern(), std::string("atc") + '\0');
}

// Clicks at a point of the keyboard picture (picture pixels).
void ClickPicture(HWND dialog, int x, int y)
{
    HWND picture = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) picture = child;
    ASSERT_TRUE(picture);
    RECT r;
    GetWindowRect(picture, &r);
    ASSERT_TRUE(Foreground(dialog));
    SetCursorPos(r.left + x, r.top + y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST(SearchBox, PictureKeysTypeTheirLetters)
{
    Seed(ShownDay(LongDay()));
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND dialog = OpenSearch(lumora);
    ASSERT_TRUE(dialog);
    // Key 1 (top right) is alef, key 27 (bottom left) tav; the space bar.
    ClickPicture(dialog, 8 * 17 + 8, 12);
    EXPECT_TRUE(BoxBecomes(dialog, L"\u05D0"));
    ClickPicture(dialog, 8, 2 * 25 + 12);
    EXPECT_TRUE(BoxBecomes(dialog, L"\u05EA\u05D0"));
    ClickPicture(dialog, 76, 85);
    EXPECT_TRUE(BoxBecomes(dialog, L" \u05EA\u05D0"));
    EXPECT_EQ(Selection(dialog), std::make_pair(0, 0));
    // Key 12 (second row, third from the right) is the final kaf; beside the
    // space bar, nothing.
    ClickPicture(dialog, 6 * 17 + 8, 25 + 12);
    ClickPicture(dialog, 20, 85);
    EXPECT_TRUE(BoxBecomes(dialog, L"\u05DA \u05EA\u05D0"));
    Press(dialog, {}, VK_ESCAPE);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
}

TEST(Search, EnterOnAnEmptyBoxClosesAndEmptiesThePattern)
{
    const int32_t day = LongDay();
    Seed(ShownDay(day));
    StorePatternSetting(kNowhere);
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND dialog = OpenSearch(lumora);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(BoxBecomes(dialog, BoxTextOf(kNowhere)));  // the stored pattern
    SendMessageW(GetDlgItem(dialog, IDC_SEARCH_BOX), EM_SETSEL, 0, -1);
    Press(dialog, {}, VK_BACK);
    EXPECT_TRUE(BoxBecomes(dialog, L""));
    Press(dialog, {}, VK_RETURN);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).search; }));
    // No search ran, and F3 and Enter find no pattern to search for.
    lumora.TypeKeys({}, VK_F3);
    lumora.TypeKeys({}, VK_RETURN);
    lumora.SendCommand(IDC_SEARCH_AGAIN);
    EXPECT_FALSE(WaitForMessageBox(lumora, 500));
    EXPECT_TRUE(lumora.OtherWindows().empty());
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), day);
    // An empty pattern is not stored: the one from before stays.
    EXPECT_EQ(StoredPattern(), kNowhere + '\0');
}

TEST(Search, FindsLaterInTheShownLessonThenGoesOnWithF3AndEnter)
{
    const int32_t day = LongDay();
    const uint16_t key = LessonKeyOfDay(day);
    const std::string word = WordLaterInTheLongDay();
    ASSERT_FALSE(word.empty());
    // The hits the reader should go through: two in the shown lesson, then
    // wherever the next one is.
    const LessonHit first = Expected(key, 0, word);
    ASSERT_EQ(first.key, 0);
    const LessonHit second = Expected(key, first.hit - first.length, word);
    ASSERT_EQ(second.key, 0);
    const LessonHit third = Expected(key, second.hit - second.length, word);

    Seed(ShownDay(day));
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND w = lumora.mainWindow();
    const Pixels before = CaptureClientSettled(w);
    EXPECT_EQ(HighlightPixels(before), 0);
    HWND dialog = OpenSearch(lumora);
    ASSERT_TRUE(dialog);
    TypeText(dialog, LatinKeysFor(word));
    ASSERT_TRUE(BoxBecomes(dialog, BoxTextOf(word)));
    Press(dialog, {}, VK_RETURN);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).search; }));
    const Pixels one = WaitForHighlight(w);
    EXPECT_GT(HighlightPixels(one), 20);
    Screenshot(w, L"search-hit");
    // F3: the next one in the same lesson, somewhere else on the page.
    lumora.TypeKeys({}, VK_F3);
    Pixels two;
    PollUntil([&] { return (two = CaptureClientSettled(w)) != one && HighlightPixels(two) > 20; });
    EXPECT_GT(HighlightPixels(two), 20);
    EXPECT_TRUE(two != one);
    // Enter: the one after.
    lumora.TypeKeys({}, VK_RETURN);
    Pixels three;
    PollUntil([&] { return (three = CaptureClientSettled(w)) != two && HighlightPixels(three) > 20; });
    EXPECT_TRUE(three != two);
    EXPECT_TRUE(lumora.OtherWindows().empty());
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), third.key ? DayOfHit(third.key, day) : day);
    EXPECT_EQ(StoredPattern(), word + '\0');
}

TEST(Search, MovesToTheDayOfAHitInAnotherLesson)
{
    // From today, not pinned: the search pins the day it moves to.
    const int32_t day = Today();
    const auto [word, key] = WordAbout200DaysAfter(day);
    ASSERT_FALSE(word.empty());
    const int32_t hitDay = DayOfHit(key, day);

    ReaderSetup setup = ShownDay(0);
    setup.flags &= ~kPinnedFlag;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND w = lumora.mainWindow();
    const Pixels before = CaptureClientSettled(w);
    HWND dialog = OpenSearch(lumora);
    ASSERT_TRUE(dialog);
    TypeText(dialog, LatinKeysFor(word));
    ASSERT_TRUE(BoxBecomes(dialog, BoxTextOf(word)));
    Press(dialog, {}, VK_RETURN);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).search; }));
    const Pixels after = WaitForHighlight(w);
    EXPECT_GT(HighlightPixels(after), 20);
    // Another lesson and another date line.
    const int bottom = after.height - 8;
    bool bandChanged = false;
    for (int x = 0; x < after.width; ++x) bandChanged = bandChanged || after.at(x, bottom) != before.at(x, bottom);
    EXPECT_TRUE(bandChanged);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), hitDay);
    EXPECT_EQ(Registry::Number(L"Lesson"), key);
    EXPECT_TRUE(Registry::Number(L"Flags") & kPinnedFlag);
    EXPECT_EQ(StoredPattern(), word + '\0');

    // The stored pattern, after a restart at the first day: F3 goes there again.
    Seed(ShownDay(day));
    StorePatternSetting(word);
    LumoraProcess again;
    ASSERT_TRUE(again.StartAndWait());
    again.TypeKeys({}, VK_F3);
    EXPECT_GT(HighlightPixels(WaitForHighlight(again.mainWindow())), 20);
    EXPECT_EQ(again.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), hitDay);
}

TEST(Search, NowhereSaysNotFoundAndKeepsTheDialog)
{
    const int32_t day = LongDay();
    ASSERT_EQ(Expected(LessonKeyOfDay(day), 0, kNowhere).hit, 0);
    Seed(ShownDay(day));
    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartAndWait());
    HWND w = lumora.mainWindow();
    const Pixels before = CaptureClientSettled(w);
    // The toolbar's fifth button opens the dialog too.
    const LRESULT size = SendMessageW(lumora.toolbar(), TB_GETBUTTONSIZE, 0, 0);
    RECT bar;
    GetWindowRect(lumora.toolbar(), &bar);
    ASSERT_TRUE(lumora.BringToForeground());
    SetCursorPos(bar.left + 4 * LOWORD(size) + LOWORD(size) / 2, bar.top + HIWORD(size) / 2 + 1);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    HWND dialog = WaitForSearchDialog(lumora);
    ASSERT_TRUE(dialog);
    TypeText(dialog, LatinKeysFor(kNowhere));
    ASSERT_TRUE(BoxBecomes(dialog, BoxTextOf(kNowhere)));
    Press(dialog, {}, VK_RETURN);
    HWND message = WaitForMessageBox(lumora);
    ASSERT_TRUE(message);
    EXPECT_EQ(LumoraProcess::MessageText(message), L"Not Found!");
    wchar_t caption[32] = {};
    GetWindowTextW(message, caption, 32);
    EXPECT_EQ(std::wstring(caption), L"Lumora");
    LumoraProcess::PressButton(message, IDOK);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).message; }));
    // The dialog stays, its text selected for another try.
    EXPECT_TRUE(DialogsOf(lumora).search);
    EXPECT_TRUE(PollUntil([&] { return Selection(dialog) == std::make_pair(0, int(kNowhere.size())); }, 3000));
    Press(dialog, {}, VK_ESCAPE);
    EXPECT_TRUE(PollUntil([&] { return !DialogsOf(lumora).search; }));
    EXPECT_EQ(HighlightPixels(CaptureClientSettled(w)), 0);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), day);
    // The new pattern replaced the old even though nothing was found.
    EXPECT_EQ(StoredPattern(), kNowhere + '\0');
}

// The time from F3 to what it shows, for the closing figures.
TEST(Search, Timings)
{
    const int32_t day = LongDay();
    const auto [word, key] = WordAbout200DaysAfter(day);
    ASSERT_FALSE(word.empty());
    double notFound = 0, hit = 0;
    {
        Seed(ShownDay(day));
        StorePatternSetting(kNowhere);
        LumoraProcess lumora;
        ASSERT_TRUE(lumora.StartAndWait());
        CaptureClientSettled(lumora.mainWindow());
        const DWORD start = GetTickCount();
        lumora.TypeKeys({}, VK_F3);
        HWND message = WaitForMessageBox(lumora);
        notFound = GetTickCount() - start;
        ASSERT_TRUE(message);
        LumoraProcess::PressButton(message, IDOK);
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    {
        Seed(ShownDay(day));
        StorePatternSetting(word);
        LumoraProcess lumora;
        ASSERT_TRUE(lumora.StartAndWait());
        CaptureClientSettled(lumora.mainWindow());
        const DWORD start = GetTickCount();
        lumora.TypeKeys({}, VK_F3);
        Pixels p;
        ASSERT_TRUE(PollUntil([&] { return HighlightPixels(p = CaptureClient(lumora.mainWindow())) > 20; }));
        hit = GetTickCount() - start;
        EXPECT_EQ(lumora.CloseAndWait(), 0);
        EXPECT_EQ(Registry::Number(L"Day"), DayOfHit(key, day));
    }
    std::printf("search timing: F3 to \"Not Found!\" %.0f ms; F3 to the highlight %d days ahead %.0f ms\n",
                notFound, DayOfHit(key, day) - day, hit);
    RecordProperty("f3_not_found_ms", int(notFound));
    RecordProperty("f3_hit_ms", int(hit));
}

}  // namespace
