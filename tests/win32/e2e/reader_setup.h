// Settings that put the reader into a known state before it starts, and the
// option bits the tests set and read.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr uint32_t kDefaultFlags = 0xD1140040;
constexpr uint32_t kPinnedFlag = 0x4;
constexpr uint32_t kScrollBarShownFlag = 0x40;
constexpr uint32_t kScrollBarLeftFlag = 0x80;
constexpr uint32_t kReverseFlag = 0x800;
constexpr uint32_t kClickVerticalFlag = 0x10000000;
constexpr uint32_t kClickPagingFlag = 0x80000000;
// Lesson text is stored in display order and Wine reorders Hebrew itself:
// the flags a reader on Wine ends up with.
constexpr uint32_t kReadableFlags = kDefaultFlags | kReverseFlag;

// A face every test prefix has, with Hebrew letters.
constexpr wchar_t kTestFace[] = L"DejaVu Sans";

// A small window, so that most lessons are taller than it.
constexpr int kSmallLeft = 100, kSmallTop = 80, kSmallWidth = 480, kSmallHeight = 360;

struct ReaderSetup {
    int32_t day = 0;           // stored "Day" and its "Lesson"; 0: none
    uint32_t flags = kReadableFlags | kPinnedFlag;
    int lastPosition = 0;
    const wchar_t* face = kTestFace;  // nullptr: none stored (first run)
    bool smallWindow = true;   // else no placement stored
    long fontSize = -1;        // stored "FontSize"; -1: none
    long letterBase = -1;      // stored "FontAsciiBase"; -1: none
};

// Clears the reader's settings and stores those of `setup`.
void Seed(const ReaderSetup& setup);
// The usual scene: the long day pinned in the small window at the top.
ReaderSetup LongDayPinned(int lastPosition = 0);

class LumoraProcess;

// Starts the reader on `setup`, lets `act` drive it once its window is up,
// closes it and returns the scroll position it stored ("LastPosition"); -1
// when it did not start or end as it should.
template <typename Act>
long PositionAfter(const ReaderSetup& setup, Act act);

// Option word with the Page Up / Page Down step field (bits 20-22) or the
// click step field (bits 24-26) set to `value`.
constexpr uint32_t WithKeyPageStep(uint32_t flags, uint32_t value)
{
    return (flags & ~0x700000u) | (value << 20);
}
constexpr uint32_t WithClickPageStep(uint32_t flags, uint32_t value)
{
    return (flags & ~0x7000000u) | (value << 24);
}

#include "lumora_process.h"

template <typename Act>
long PositionAfter(const ReaderSetup& setup, Act act)
{
    Seed(setup);
    LumoraProcess lumora;
    if (!lumora.Start() || !lumora.WaitForMainWindow()) return -1;
    act(lumora);
    if (lumora.CloseAndWait() != 0) return -1;
    return static_cast<long>(Registry::Number(L"LastPosition"));
}

// What the reader stored at exit: its day, options and lesson, and the scroll
// position (-1 when it did not start or end as it should).
struct StoredAtExit {
    long long day, flags, lesson, position;
};

// Runs a scene as PositionAfter does and returns what the reader stored.
template <typename Act>
StoredAtExit StoredAfter(const ReaderSetup& setup, Act act)
{
    const long position = PositionAfter(setup, act);
    return StoredAtExit{Registry::Number(L"Day"), Registry::Number(L"Flags"), Registry::Number(L"Lesson"),
                        position};
}
