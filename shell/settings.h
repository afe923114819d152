// The settings store: every persistent value of the reader in the per-user
// registry, read at start-up and written at exit. Each call opens the key,
// does its one read or write and closes it; failures yield the default.
#pragma once
#include <cstddef>
#include <cstdint>

enum SettingsKey {
    ProductKey,  // HKCU\Quillstead\Lumora-Hebrew: every value but the gutter
    MakerKey,    // HKCU\software\Quillstead: "SurroundingGutter" only
};

constexpr uint32_t kDefaultFlags = 0xD1140040;
constexpr int32_t kDefaultGutter = 10;
constexpr int32_t kDefaultLetterBase = 1488;

int32_t ReadNumber(SettingsKey key, const wchar_t* name, int32_t defaultValue);
inline int32_t ReadNumber(const wchar_t* name, int32_t defaultValue)
{
    return ReadNumber(ProductKey, name, defaultValue);
}
// A new zero-terminated copy of a text value (free()), or nullptr.
wchar_t* ReadText(const wchar_t* name);
// A new copy of a value's bytes (free()) and its size, or nullptr.
uint8_t* ReadBytes(const wchar_t* name, size_t* size = nullptr);
// Fills `buffer` from a binary value; leaves it unchanged when there is none.
void ReadByteString(const wchar_t* name, uint8_t* buffer, size_t capacity);

bool WriteNumber(const wchar_t* name, int32_t value);
bool WriteText(const wchar_t* name, const wchar_t* text);
bool WriteByteString(const wchar_t* name, const uint8_t* text);
bool WriteBytes(const wchar_t* name, const void* data, size_t size);

// Whether a value of ProductKey is stored at all.
bool HasSetting(const wchar_t* name);

// Fills the application state from the settings at start-up.
void LoadSettings();
// Whether LoadSettings has finished: before that the state holds no settings
// worth storing.
bool SettingsLoaded();
