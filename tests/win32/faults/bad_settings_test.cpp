// Every registry value the reader reads, stored in each form a damaged or
// hand-edited registry may hold (missing, another type, odd sizes, extreme
// numbers): the reader starts, paints, scrolls, searches, sets up a print and
// opens the font chooser, ends normally, and what it stores back is sane.
// One run per form, with every value in that form at once.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "calendar/hebrew_calendar.h"
#include "lumora_process.h"
#include "pdf_printer.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kMakerKey[] = L"software\\Quillstead";
constexpr uint32_t kDefaultLetterBase = 1488;

enum class Kind { Number, Text, Bytes };

struct Setting {
    const wchar_t* name;
    Kind kind;
};

const Setting kProductSettings[] = {
    {L"FontName", Kind::Text},    {L"SearchString", Kind::Bytes}, {L"FontSize", Kind::Number},
    {L"FontAsciiBase", Kind::Number}, {L"LastPosition", Kind::Number}, {L"Flags", Kind::Number},
    {L"Day", Kind::Number},       {L"Lesson", Kind::Number},      {L"Top", Kind::Number},
    {L"Left", Kind::Number},      {L"Width", Kind::Number},       {L"Height", Kind::Number},
    {L"showCmd", Kind::Number},   {L"PrintTop", Kind::Number},    {L"PrintBottom", Kind::Number},
    {L"PrintLeft", Kind::Number}, {L"PrintRight", Kind::Number},  {L"DevMode", Kind::Bytes},
};

using Bytes = std::vector<uint8_t>;

Bytes Units(const wchar_t* text, size_t unitsWithZero)
{
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    return Bytes(p, p + unitsWithZero * sizeof(wchar_t));
}

Bytes Dword(uint32_t v)
{
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// The value's own type (REG_DWORD, REG_SZ or REG_BINARY).
constexpr DWORD kOwnType = 0xFFFFFFFF;

// One form of a stored value, of a registry type or kOwnType; `number` is
// what a number reads as in this form, none for its default.
struct Form {
    const char* label;
    bool missing;
    DWORD type;
    Bytes data;
    std::optional<int32_t> number;
};

const Bytes kMegabyte(1 << 20, 'A');

std::vector<Form> Forms()
{
    return {
        {"missing", true, kOwnType, {}, {}},
        // Numbers in any type but REG_DWORD are read as decimal UTF-16 text.
        {"text", false, REG_SZ, Units(L"123", 4), 123},
        {"binary", false, REG_BINARY, Units(L"12", 2), 12},
        {"64-bit", false, REG_QWORD, {'5', 0, '1', 0, 0, 0, 0, 0}, 51},
        {"multi-string", false, REG_MULTI_SZ, Units(L"7\0" L"8\0", 5), 7},
        {"none", false, REG_NONE, {}, 0},
        {"size 0", false, kOwnType, {}, {}},
        {"size 1", false, kOwnType, {'A'}, {}},
        {"size 3", false, kOwnType, {'A', 'B', 'C'}, {}},
        {"size 4", false, kOwnType, {'A', 'B', 'C', 'D'}, 0x44434241},
        {"size 5", false, kOwnType, {'A', 'B', 'C', 'D', 'E'}, {}},
        {"size 1 MB", false, kOwnType, kMegabyte, {}},
        {"0", false, REG_DWORD, Dword(0), 0},
        {"-1", false, REG_DWORD, Dword(0xFFFFFFFF), -1},
        {"0x7FFFFFFF", false, REG_DWORD, Dword(0x7FFFFFFF), 0x7FFFFFFF},
        {"0x80000000", false, REG_DWORD, Dword(0x80000000), INT32_MIN},
    };
}

DWORD OwnType(Kind kind)
{
    return kind == Kind::Number ? REG_DWORD : kind == Kind::Text ? REG_SZ : REG_BINARY;
}

void PutRaw(const wchar_t* keyPath, const wchar_t* name, DWORD type, const Bytes& data)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, type, data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

struct RawValue {
    bool present = false;
    DWORD type = REG_NONE;
    Bytes data;
};

RawValue ReadRaw(const wchar_t* keyPath, const wchar_t* name)
{
    RawValue value;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.present = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size) ==
                        ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

// Stores every value in `form`; "missing" leaves no product key at all.
void StoreEverywhere(const Form& form)
{
    Registry::Clear();
    SHDeleteValueW(HKEY_CURRENT_USER, kMakerKey, L"SurroundingGutter");
    if (form.missing) return;
    for (const Setting& s : kProductSettings)
        PutRaw(L"Quillstead\\Lumora-Hebrew", s.name, form.type != kOwnType ? form.type : OwnType(s.kind),
               form.data);
    PutRaw(kMakerKey, L"SurroundingGutter", form.type != kOwnType ? form.type : REG_DWORD, form.data);
}

bool IsMessageBox(HWND w)
{
    return GetDlgItem(w, 0xFFFF) != nullptr;
}

// Sends a command from a thread of its own and answers every window it opens
// (message boxes with OK, dialogs with `button`) until the reader has handled
// it; false when it did not within the time.
bool CommandAnswering(LumoraProcess& lumora, int id, int button)
{
    std::atomic<bool> handled{false};
    HWND window = lumora.mainWindow();
    std::thread sender([&] {
        SendMessageTimeoutW(window, WM_COMMAND, id, 0, SMTO_NORMAL, 60000, nullptr);
        handled = true;
    });
    const bool done = PollUntil([&] {
        for (HWND w : lumora.OtherWindows()) LumoraProcess::PressButton(w, IsMessageBox(w) ? IDOK : button);
        return handled.load();
    }, 60000);
    sender.join();
    return done && lumora.Running();
}

// What the reader stored in a value: sane in type and range, or left as it
// was when the reader had nothing to store there.
void ExpectSaneNumber(const wchar_t* name, const RawValue& stored, const Bytes& seeded,
                      bool seededPresent, long long low, long long high)
{
    SCOPED_TRACE(std::string(name, name + wcslen(name)));
    if (stored.present && stored.type == REG_DWORD && stored.data.size() == 4) {
        int32_t v;
        std::memcpy(&v, stored.data.data(), 4);
        EXPECT_GE(v, low);
        EXPECT_LE(v, high);
        return;
    }
    // Not written: whatever was there stays, byte for byte.
    EXPECT_EQ(stored.present, seededPresent);
    if (seededPresent) {
        EXPECT_EQ(stored.data, seeded);
    }
}

int32_t StoredNumber(const wchar_t* name)
{
    const RawValue v = ReadRaw(L"Quillstead\\Lumora-Hebrew", name);
    int32_t n = 0;
    if (v.type == REG_DWORD && v.data.size() == 4) std::memcpy(&n, v.data.data(), 4);
    return n;
}

std::string FormName(const Form& form)
{
    std::string name;
    for (const char* p = form.label; *p; ++p) name += isalnum(uint8_t(*p)) ? *p : '_';
    return name;
}

class BadSettings : public ::testing::TestWithParam<Form> {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(UsePdfPrinter(300)) << "cannot add the PDF printer"; }
};

TEST_P(BadSettings, TheReaderRunsAndStoresSaneValues)
{
    const Form& form = GetParam();
    StoreEverywhere(form);
    const Bytes seeded = form.data;
    const bool seededPresent = !form.missing;
    {
        LumoraProcess lumora;
        HWND window = lumora.StartAndWait();
        ASSERT_NE(window, nullptr);
        // A face name that reads as empty brings up the chooser at start-up.
        if (HWND chooser = lumora.FindDialog(L"Choose Font")) {
            LumoraProcess::PressButton(chooser, IDCANCEL);
            ASSERT_TRUE(lumora.WaitForDialogGone(L"Choose Font"));
        }
        // Numbers such as 12 give a window too small to have a client area.
        CaptureClientSettled(window);
        lumora.ScrollBar(SB_PAGEDOWN);
        lumora.Wheel(-120);
        lumora.SendCommand(IDC_NEXT_DAY);
        EXPECT_TRUE(CommandAnswering(lumora, IDC_SEARCH_AGAIN, IDCANCEL)) << "search again";
        ExpectJob(L"bad-settings", 75);
        EXPECT_TRUE(CommandAnswering(lumora, IDC_PRINT, IDOK)) << "print";
        EXPECT_TRUE(CommandAnswering(lumora, IDC_FONT, IDCANCEL)) << "font chooser";
        const std::string name = "bad-settings-" + FormName(form);
        Screenshot(window, std::wstring(name.begin(), name.end()).c_str());
        ASSERT_EQ(lumora.CloseAndWait(), 0);
    }

    // Numbers whose reading the reader keeps go back as read (a day outside
    // the calendar unpins; without stored options the reader picks Reverse
    // itself where the system reorders Hebrew).
    const uint32_t flags = form.number ? uint32_t(*form.number) : kDefaultFlags;
    const uint32_t ownBits = form.missing ? kPinnedFlag | kReverseFlag : kPinnedFlag;
    EXPECT_EQ(uint32_t(StoredNumber(L"Flags")) & ~ownBits, flags & ~ownBits);
    const int32_t base = form.number ? *form.number : kDefaultLetterBase;
    if (base != 0) {
        EXPECT_EQ(StoredNumber(L"FontAsciiBase"), base);
    }
    if (form.number && *form.number != 0) {
        EXPECT_EQ(StoredNumber(L"FontSize"), *form.number);
    }

    const wchar_t* product = L"Quillstead\\Lumora-Hebrew";
    ExpectSaneNumber(L"Day", ReadRaw(product, L"Day"), seeded, seededPresent, kFirstDayNumber, kLastDayNumber);
    ExpectSaneNumber(L"Lesson", ReadRaw(product, L"Lesson"), seeded, seededPresent, 1, 0xFFFF);
    ExpectSaneNumber(L"LastPosition", ReadRaw(product, L"LastPosition"), seeded, seededPresent, 0, 0xFFFF);
    // The window was somewhere on the 1280x1024 screen, at a usable size.
    const int32_t left = StoredNumber(L"Left"), top = StoredNumber(L"Top");
    const int32_t width = StoredNumber(L"Width"), height = StoredNumber(L"Height");
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_LE(width, 0x10000);
    EXPECT_LE(height, 0x10000);
    EXPECT_TRUE(left < 1280 && left + width > 0 && top < 1024 && top + height > 0)
        << left << "," << top << " " << width << "x" << height;
    const int32_t show = StoredNumber(L"showCmd");
    EXPECT_TRUE(show == SW_SHOWNORMAL || show == SW_SHOWMAXIMIZED) << show;
    // The print setup confirmed stores margins the page can hold, and the
    // printer's own settings.
    for (const wchar_t* margin : {L"PrintTop", L"PrintBottom", L"PrintLeft", L"PrintRight"})
        ExpectSaneNumber(margin, ReadRaw(product, margin), {}, false, 0, 100000);
    const RawValue devMode = ReadRaw(product, L"DevMode");
    ASSERT_EQ(devMode.type, DWORD(REG_BINARY));
    ASSERT_GE(devMode.data.size(), offsetof(DEVMODEW, dmFields));
    const auto* dm = reinterpret_cast<const DEVMODEW*>(devMode.data.data());
    EXPECT_EQ(size_t(dm->dmSize) + dm->dmDriverExtra, devMode.data.size());

    // Texts: a face name of at most 31 units, a pattern of at most 33 bytes.
    const RawValue face = ReadRaw(product, L"FontName");
    if (face.present && !(seededPresent && face.data == seeded)) {
        EXPECT_EQ(face.type, DWORD(REG_SZ));
        EXPECT_LE(face.data.size(), 32 * sizeof(wchar_t));
    }
    const RawValue pattern = ReadRaw(product, L"SearchString");
    if (pattern.present && !(seededPresent && pattern.data == seeded)) {
        ASSERT_FALSE(pattern.data.empty());
        EXPECT_LE(pattern.data.size(), 34u);
        EXPECT_EQ(pattern.data.back(), 0);
    }
    // Never written: the maker's value stays as it was.
    const RawValue gutter = ReadRaw(kMakerKey, L"SurroundingGutter");
    EXPECT_EQ(gutter.present, seededPresent);
    if (seededPresent) {
        EXPECT_EQ(gutter.data, seeded);
    }
}


INSTANTIATE_TEST_SUITE_P(EveryValue, BadSettings, ::testing::ValuesIn(Forms()),
                         [](const ::testing::TestParamInfo<Form>& info) { return FormName(info.param); });

// A product key that exists but holds nothing is a first run.
TEST(BadSettingsKey, AnEmptyProductKeyIsAFirstRun)
{
    Registry::Clear();
    PutRaw(L"Quillstead\\Lumora-Hebrew", L"x", REG_SZ, Units(L"", 1));
    Registry::Remove(L"x");
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    HWND chooser = lumora.WaitForDialog(L"Choose Font");
    ASSERT_NE(chooser, nullptr);
    LumoraProcess::PressButton(chooser, IDCANCEL);
    ASSERT_TRUE(lumora.WaitForDialogGone(L"Choose Font"));
    ASSERT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(uint32_t(StoredNumber(L"Flags")) & ~kReverseFlag, kDefaultFlags);
    EXPECT_EQ(StoredNumber(L"FontAsciiBase"), int32_t(kDefaultLetterBase));
    EXPECT_FALSE(Registry::Has(L"FontName"));
}

}  // namespace
