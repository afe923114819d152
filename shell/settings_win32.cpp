// The settings store on the registry under HKEY_CURRENT_USER.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "calendar/current_day.h"
#include "calendar/hebrew_calendar.h"
#include "shell/alloc_or_abort.h"
#include "shell/app_state.h"
#include "shell/settings.h"
#include "shell/settings_values.h"

namespace {

bool s_settingsLoaded = false;

const wchar_t* KeyPath(SettingsKey key)
{
    // The product key sits directly under HKEY_CURRENT_USER, not under software.
    return key == MakerKey ? L"software\\Quillstead" : L"Quillstead\\Lumora-Hebrew";
}

// A registry key opened for one read or write, closed when it goes.
class OpenKey {
public:
    OpenKey(SettingsKey key, bool forWriting)
    {
        const LONG status =
            forWriting ? RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(key), 0, nullptr,
                                         REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                         &handle_, nullptr)
                       : RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(key), 0, KEY_READ, &handle_);
        if (status != ERROR_SUCCESS) handle_ = nullptr;
    }
    ~OpenKey()
    {
        if (handle_) RegCloseKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

// Reads a value into a new zeroed buffer of `sizeFactor` times its data size
// (text also gets room for a terminating zero), and its size in bytes.
// Returns nullptr when any step fails.
uint8_t* ReadValue(SettingsKey key, const wchar_t* name, size_t sizeFactor, size_t* size)
{
    OpenKey k(key, false);
    DWORD type = 0, bytes = 0;
    if (!k.get() || RegQueryValueExW(k.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return nullptr;
    // Room for the data and, for text, its terminating zero.
    const size_t capacity = sizeFactor * bytes + (sizeFactor > 1 ? 2 : 0);
    auto* data = static_cast<uint8_t*>(AllocOrAbort(capacity));
    if (!data) return nullptr;
    std::memset(data, 0, capacity);
    DWORD got = bytes;
    if (RegQueryValueExW(k.get(), name, nullptr, &type, data, &got) != ERROR_SUCCESS || got > bytes) {
        std::free(data);
        return nullptr;
    }
    if (size) *size = got;
    return data;
}

bool WriteValue(const wchar_t* name, DWORD type, const void* data, size_t size)
{
    OpenKey k(ProductKey, true);
    return k.get() && RegSetValueExW(k.get(), name, 0, type, static_cast<const BYTE*>(data),
                                     static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

}  // namespace

int32_t ReadNumber(SettingsKey key, const wchar_t* name, int32_t defaultValue)
{
    OpenKey k(key, false);
    DWORD type = 0, bytes = 0;
    if (!k.get() || RegQueryValueExW(k.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return defaultValue;
    if (type == REG_DWORD) {
        DWORD value = 0, size = sizeof value;
        if (RegQueryValueExW(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            size != sizeof value)
            return defaultValue;
        return static_cast<int32_t>(value);
    }
    // Any other type is taken as decimal text.
    size_t size = 0;
    uint8_t* data = ReadValue(key, name, 2, &size);
    if (!data) return defaultValue;
    const int32_t value = ParseDecimalUnits(reinterpret_cast<const char16_t*>(data), (size + 1) / 2);
    std::free(data);
    return value;
}

bool HasSetting(const wchar_t* name)
{
    OpenKey k(ProductKey, false);
    return k.get() && RegQueryValueExW(k.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

wchar_t* ReadText(const wchar_t* name)
{
    return reinterpret_cast<wchar_t*>(ReadValue(ProductKey, name, 2, nullptr));
}

uint8_t* ReadBytes(const wchar_t* name, size_t* size)
{
    return ReadValue(ProductKey, name, 1, size);
}

void ReadByteString(const wchar_t* name, uint8_t* buffer, size_t capacity)
{
    size_t size = 0;
    uint8_t* data = ReadBytes(name, &size);
    CopyByteString(data, size, buffer, capacity);
    std::free(data);
}

bool WriteNumber(const wchar_t* name, int32_t value)
{
    const DWORD data = static_cast<DWORD>(value);
    return WriteValue(name, REG_DWORD, &data, sizeof data);
}

bool WriteText(const wchar_t* name, const wchar_t* text)
{
    return WriteValue(name, REG_SZ, text, (wcslen(text) + 1) * sizeof(wchar_t));
}

bool WriteByteString(const wchar_t* name, const uint8_t* text)
{
    return WriteValue(name, REG_BINARY, text, strlen(reinterpret_cast<const char*>(text)) + 1);
}

bool WriteBytes(const wchar_t* name, const void* data, size_t size)
{
    return WriteValue(name, REG_BINARY, data, size);
}

void LoadSettings()
{
    if (wchar_t* face = ReadText(L"FontName")) {
        if (face[0]) {
            const size_t n = std::min<size_t>(wcslen(face), 31);
            std::memcpy(g_app.font.faceName, face, n * sizeof(wchar_t));
            g_app.font.faceName[n] = 0;
        }
        std::free(face);
    }
    ReadByteString(L"SearchString", g_app.searchString, sizeof g_app.searchString);
    g_app.font.size = ReadNumber(L"FontSize", 0);
    g_app.font.letterBase = ReadNumber(L"FontAsciiBase", kDefaultLetterBase);
    g_app.lastPosition = static_cast<uint16_t>(ReadNumber(L"LastPosition", 0));
    g_app.flags = static_cast<uint32_t>(ReadNumber(L"Flags", static_cast<int32_t>(kDefaultFlags)));
    // The stored day names its own lesson; "Lesson" is used only when there
    // is no day in the calendar's range (which also unpins, so that the
    // reader starts on today).
    const int32_t day = ReadNumber(L"Day", 0);
    RestoreStoredDay(day, ReadNumber(L"Lesson", 0));
    s_settingsLoaded = true;
}

bool SettingsLoaded()
{
    return s_settingsLoaded;
}
