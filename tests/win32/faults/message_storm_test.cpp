// Tens of thousands of window messages with random and extreme parameters,
// from a fixed seed so that a failure can be replayed: the reader neither
// crashes nor hangs, still paints its lesson, and stores sane settings.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "book_days.h"
#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

constexpr uint32_t kSeed = 20261209;
// Each message is handled in full (a day's layout, a repaint) before the next
// goes: 10,000 take a minute or two under Wine. LUMORA_STORM_MESSAGES asks
// for a longer storm.
int StormLength()
{
    char value[16];
    const DWORD n = GetEnvironmentVariableA("LUMORA_STORM_MESSAGES", value, sizeof value);
    const long asked = n > 0 && n < sizeof value ? std::strtol(value, nullptr, 10) : 0;
    return asked > 0 ? static_cast<int>(asked) : 10000;
}

// Commands that neither open a modal window nor end the reader; and some
// that no menu has.
const int kCommands[] = {IDC_TODAY, IDC_NEXT_DAY, IDC_PREVIOUS_DAY, IDC_REVERSE, IDC_COPY, IDC_APPEND,
                         0, 1, 2, 99, 12345, 0xFFFF, 40010, 40100};

const int kScrollRequests[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION,
                               SB_THUMBTRACK, SB_TOP, SB_BOTTOM, SB_ENDSCROLL, 9, 0xFFFF};

// Closes whatever modal window the storm opened (a key such as F3 or F1
// reaches an accelerator); the number closed.
int CloseModalWindows(const LumoraProcess& lumora)
{
    int closed = 0;
    for (HWND w : lumora.OtherWindows()) {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (lstrcmpW(cls, L"#32770") != 0) continue;
        PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(w, WM_COMMAND, IDOK, 0);
        ++closed;
    }
    return closed;
}

TEST(MessageStorm, TheReaderSurvivesAndStillReads)
{
    ReaderSetup setup;  // today, unpinned, at the top, in the small window
    setup.flags = kReadableFlags;
    Seed(setup);
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    const Pixels before = CaptureClientSettled(window);
    ASSERT_FALSE(before.empty());

    std::mt19937 random(kSeed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    auto extreme = [&] {
        const int values[] = {0, 1, -1, 32767, -32768, 65535, 0x7FFFFFFF, static_cast<int>(0x80000000)};
        return pick(2) ? values[pick(8)] : static_cast<int>(random());
    };
    int reverses = 0, modalsClosed = 0;
    // Each message is sent, so that it has been handled when the call
    // returns (posted ones could still wait in the queue behind later
    // checks). A message that opens a modal window (a click on the date band)
    // returns only when it closes: then the window is closed and the storm
    // goes on.
    auto send = [&](UINT message, WPARAM w, LPARAM l) {
        DWORD_PTR answer = 0;
        while (!SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, 3000, &answer)) {
            if (!lumora.Running()) return false;
            const int closed = CloseModalWindows(lumora);
            if (closed == 0) return false;  // no answer and nothing to close: hung
            modalsClosed += closed;
            // The same message is not sent again: it was handled up to the
            // modal window it opened.
            return true;
        }
        return true;
    };
    const int messages = StormLength();
    for (int sent = 0; sent < messages; ++sent) {
        bool answered = true;
        switch (pick(6)) {
        case 0:
            answered = send(WM_VSCROLL,
                            MAKEWPARAM(kScrollRequests[pick(11)], static_cast<WORD>(pick(2) ? extreme() : pick(65536))),
                            0);
            break;
        case 1: {
            const int deltas[] = {120, -120, 32767, -32767, 1, -1, 0};
            answered = send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(deltas[pick(7)])), 0);
            break;
        }
        case 2: {
            const int sizes[][2] = {{0, 0}, {65535, 65535}, {1, 1}, {65535, 0}, {0, 65535}, {300, 200}};
            const int* size = sizes[pick(6)];
            answered = send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(size[0], size[1]));
            break;
        }
        case 3:
            answered = send(WM_KEYDOWN, static_cast<WPARAM>(pick(256)), static_cast<LPARAM>(extreme()));
            break;
        case 4:
            answered = send(WM_LBUTTONDOWN, MK_LBUTTON, static_cast<LPARAM>(extreme()));
            break;
        default: {
            const int id = kCommands[pick(sizeof kCommands / sizeof kCommands[0])];
            if (id == IDC_REVERSE) ++reverses;
            answered = send(WM_COMMAND, MAKEWPARAM(id, pick(3)), 0);
            break;
        }
        }
        ASSERT_TRUE(answered && lumora.Running())
            << "the reader " << (lumora.Running() ? "does not answer" : "ended") << " after " << sent
            << " messages (seed " << kSeed << ")";
    }
    std::printf("storm: %d messages, seed %u, %d modal windows closed\n", messages, kSeed, modalsClosed);

    // Back to where it started: today, the same order of letters, the same
    // size (a real resize, so that the page is laid out for it again).
    if (reverses % 2) lumora.SendCommand(IDC_REVERSE);
    lumora.SendCommand(IDC_TODAY);
    RECT frame = {};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 40, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(window, nullptr, TRUE);
    PollUntil([&] { return CaptureClientSettled(window) == before; }, 5000);
    EXPECT_TRUE(CaptureClientSettled(window) == before) << "the page is not today's lesson as it was painted first";

    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), Today());
    EXPECT_EQ(Registry::Number(L"Lesson"), LessonKeyOfDay(Today()));
    EXPECT_EQ(Registry::Number(L"LastPosition"), 0);
    EXPECT_EQ(Registry::Number(L"Flags") & ~static_cast<long long>(kPinnedFlag), kReadableFlags);
    EXPECT_EQ(Registry::Number(L"Width"), kSmallWidth);
    EXPECT_EQ(Registry::Number(L"Height"), kSmallHeight);
}

}  // namespace
