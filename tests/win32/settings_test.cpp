// The settings store against the real registry of the test prefix.
#include <windows.h>
#include <shlwapi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/hebrew_calendar.h"
#include "shell/app_state.h"
#include "shell/settings.h"

namespace {

const wchar_t kProduct[] = L"Quillstead\\Lumora-Hebrew";
const wchar_t kMaker[] = L"software\\Quillstead";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SHDeleteKeyW(HKEY_CURRENT_USER, kProduct);
        SHDeleteKeyW(HKEY_CURRENT_USER, kMaker);
        g_app = AppState{};
    }
    void TearDown() override
    {
        SHDeleteKeyW(HKEY_CURRENT_USER, kProduct);
        SHDeleteKeyW(HKEY_CURRENT_USER, kMaker);
    }

    static void Put(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        HKEY k;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(k);
    }
    static void PutNumber(const wchar_t* name, DWORD value)
    {
        Put(kProduct, name, REG_DWORD, &value, sizeof value);
    }
    static void PutText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ)
    {
        Put(kProduct, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }
    static void PutBytes(const wchar_t* name, const std::string& bytes)
    {
        Put(kProduct, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    }

    // The stored value's type and bytes; type 0 when it is missing.
    static std::pair<DWORD, std::string> Get(const wchar_t* name)
    {
        HKEY k;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, &k) != ERROR_SUCCESS) return {0, ""};
        DWORD type = 0, size = 0;
        std::string data;
        if (RegQueryValueExW(k, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            data.resize(size);
            RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        } else {
            type = 0;
        }
        RegCloseKey(k);
        return {type, data};
    }
};

TEST_F(SettingsTest, MissingKeysGiveTheDefaults)
{
    LoadSettings();
    EXPECT_EQ(g_app.font.faceName[0], 0);
    EXPECT_EQ(g_app.font.size, 0);
    EXPECT_EQ(g_app.font.letterBase, 1488);
    EXPECT_EQ(g_app.flags, 0xD1140040u);
    EXPECT_EQ(g_app.currentDay, 0);
    EXPECT_EQ(g_app.lessonKey, 0);
    EXPECT_EQ(g_app.searchString[0], 0);
    EXPECT_EQ(ReadNumber(MakerKey, L"SurroundingGutter", kDefaultGutter), 10);
    EXPECT_TRUE(SettingsLoaded());
}

TEST_F(SettingsTest, GutterComesFromTheMakerKeyOnly)
{
    DWORD gutter = 25;
    Put(kMaker, L"SurroundingGutter", REG_DWORD, &gutter, 4);
    PutNumber(L"SurroundingGutter", 99);
    EXPECT_EQ(ReadNumber(MakerKey, L"SurroundingGutter", 10), 25);
}

TEST_F(SettingsTest, NumbersStoredAsText)
{
    PutText(L"FontSize", L"18");
    PutText(L"Flags", L"");
    PutText(L"Day", L"-5");
    PutText(L"Lesson", L"123456", REG_EXPAND_SZ);
    EXPECT_EQ(ReadNumber(L"FontSize", 0), 18);
    EXPECT_EQ(ReadNumber(L"Flags", 7), 0);
    EXPECT_EQ(ReadNumber(L"Day", 0), -3 * 10 + 5);  // '-' counts as its code minus '0'
    EXPECT_EQ(ReadNumber(L"Lesson", 0), 123456);
    PutBytes(L"FontAsciiBase", std::string("2\0" "2\0" "4\0", 6));
    EXPECT_EQ(ReadNumber(L"FontAsciiBase", 0), 224);
    PutBytes(L"Width", std::string("7", 1));  // odd size: half a unit
    EXPECT_EQ(ReadNumber(L"Width", 0), 7);
}

TEST_F(SettingsTest, LoadSettingsTakesEveryValue)
{
    PutText(L"FontName", L"Frank Ruehl CLM");
    PutBytes(L"SearchString", std::string("abc\0", 4));
    PutNumber(L"FontSize", 16);
    PutNumber(L"FontAsciiBase", 224);
    PutNumber(L"LastPosition", 0x10005);  // only the low 16 bits
    PutNumber(L"Flags", 0x804);
    PutNumber(L"Day", 739957);
    PutNumber(L"Lesson", 0x2091B);
    LoadSettings();
    EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(g_app.font.faceName)), L"Frank Ruehl CLM");
    EXPECT_STREQ(reinterpret_cast<char*>(g_app.searchString), "abc");
    EXPECT_EQ(g_app.font.size, 16);
    EXPECT_EQ(g_app.font.letterBase, 224);
    EXPECT_EQ(g_app.lastPosition, 5);
    EXPECT_EQ(g_app.flags, 0x804u);
    EXPECT_EQ(g_app.currentDay, 739957);
    EXPECT_EQ(g_app.currentDate, (CalendarDate{9, 27, 5787}));
    EXPECT_STREQ(reinterpret_cast<char*>(g_app.dateText), "guz{'e fmrl gl");
    EXPECT_EQ(g_app.dateTextLength, 14);
    EXPECT_EQ(g_app.lessonKey, 0x091B);
}

TEST_F(SettingsTest, LongTextsAreCut)
{
    PutText(L"FontName", std::wstring(40, L'x'));
    PutBytes(L"SearchString", std::string(50, 'q'));
    LoadSettings();
    EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(g_app.font.faceName)), std::wstring(31, L'x'));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(g_app.searchString)), std::string(33, 'q'));
}

TEST_F(SettingsTest, EmptyStoredPatternLeavesThePatternAlone)
{
    PutBytes(L"SearchString", std::string("\0abc", 4));
    std::strcpy(reinterpret_cast<char*>(g_app.searchString), "xyz");
    ReadByteString(L"SearchString", g_app.searchString, sizeof g_app.searchString);
    EXPECT_STREQ(reinterpret_cast<char*>(g_app.searchString), "xyz");
}

TEST_F(SettingsTest, ADayOutsideTheCalendarIsNoDay)
{
    PutNumber(L"Day", static_cast<DWORD>(-40));
    LoadSettings();
    EXPECT_EQ(g_app.currentDay, 0);
    PutNumber(L"Day", 0x7FFFFFFF);
    LoadSettings();
    EXPECT_EQ(g_app.currentDay, 0);
}

TEST_F(SettingsTest, ValuesOfOddTypesAndSizesAreHarmless)
{
    // A huge binary face name, a DWORD where text is expected, a text where
    // binary is expected: each read gives something bounded or the default.
    PutBytes(L"FontName", std::string(100000, 'A'));
    PutNumber(L"SearchString", 0x00636261);
    Put(kProduct, L"FontSize", REG_QWORD, "\x10\0\0\0\0\0\0\0", 8);
    LoadSettings();
    EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(g_app.font.faceName)).size(), 31u);
    EXPECT_STREQ(reinterpret_cast<char*>(g_app.searchString), "abc");
    EXPECT_EQ(g_app.font.size, 0x10 - 0x30);  // 8 bytes as text: one unit 0x10, then a zero
}

TEST_F(SettingsTest, WritesStoreTypesAndSizes)
{
    EXPECT_TRUE(WriteNumber(L"Top", -12));
    EXPECT_TRUE(WriteText(L"FontName", L"David"));
    const uint8_t pattern[] = "shalom";
    EXPECT_TRUE(WriteByteString(L"SearchString", pattern));
    EXPECT_TRUE(WriteBytes(L"DevMode", "\1\2\0\3", 4));
    auto top = Get(L"Top");
    EXPECT_EQ(top.first, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(top.second, std::string("\xF4\xFF\xFF\xFF", 4));
    auto face = Get(L"FontName");
    EXPECT_EQ(face.first, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(face.second, std::string("D\0a\0v\0i\0d\0\0\0", 12));
    auto search = Get(L"SearchString");
    EXPECT_EQ(search.first, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(search.second, std::string("shalom\0", 7));
    EXPECT_EQ(Get(L"DevMode").second, std::string("\1\2\0\3", 4));
    std::unique_ptr<uint8_t, decltype(&std::free)> bytes(nullptr, &std::free);
    size_t size = 0;
    bytes.reset(ReadBytes(L"DevMode", &size));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(std::memcmp(bytes.get(), "\1\2\0\3", 4), 0);
}

}  // namespace
