// A record that does not decode to its stated length is reported to the user
// with a message box. The box is modal, so a helper thread waits for it,
// reads it and presses OK; the test thread is blocked inside UnCompress the
// whole time.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "lessons/lesson_store.h"

namespace {

struct SeenBox {
    explicit SeenBox(DWORD waitMs) : patience(waitMs) {}

    DWORD patience;  // how long the helper waits for a box to appear, ms
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    bool hadOkButton = false;
    bool closed = false;
};

std::wstring WindowText(HWND window)
{
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

std::wstring ClassOf(HWND window)
{
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

BOOL CALLBACK FindOwnDialog(HWND window, LPARAM found)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM seen)
{
    const std::wstring text = WindowText(child);
    if (ClassOf(child) == L"Static" && !text.empty()) reinterpret_cast<SeenBox*>(seen)->text += text;
    return TRUE;
}

bool WaitUntil(DWORD milliseconds, bool (*done)(HWND*), HWND* window)
{
    const DWORD start = GetTickCount();
    while (!done(window)) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(5);
    }
    return true;
}

DWORD WINAPI AnswerTheBox(void* parameter)
{
    auto* seen = static_cast<SeenBox*>(parameter);
    HWND box = nullptr;
    const bool appeared = WaitUntil(seen->patience, [](HWND* w) {
        EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(w));
        return *w != nullptr;
    }, &box);
    if (!appeared) return 1;

    seen->window = box;
    seen->caption = WindowText(box);
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(seen));
    seen->hadOkButton = GetDlgItem(box, IDOK) != nullptr;
    // Posted again until the box is gone: a post can arrive before the box's
    // own loop has started.
    for (int attempt = 0; attempt < 100 && !seen->closed; ++attempt) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        seen->closed = WaitUntil(100, [](HWND* w) { return !IsWindow(*w); }, &box);
    }
    return 0;
}

TEST(UnCompressMessage, BrokenRecordShowsTheBufferErrorBox)
{
    SeenBox seen(10000);
    HANDLE helper = CreateThread(nullptr, 0, AnswerTheBox, &seen, 0, nullptr);
    ASSERT_NE(helper, nullptr);

    // A back-reference code without its second byte.
    const uint8_t codes[] = {0x80};
    int reason = -1;
    uint8_t* text = UnCompress(DayRecord{codes, 1, 5}, &reason);

    // The box is gone once UnCompress returned; the helper only has to finish.
    ASSERT_EQ(WaitForSingleObject(helper, 15000), WAIT_OBJECT_0);
    CloseHandle(helper);

    EXPECT_EQ(text, nullptr);
    std::free(text);
    EXPECT_EQ(reason, kLessonBadData);
    ASSERT_NE(seen.window, nullptr) << "no message box appeared";
    EXPECT_EQ(seen.text, L"UnCompress() buffer error!");
    EXPECT_TRUE(seen.hadOkButton);
    EXPECT_TRUE(seen.closed);
    // No caption given: the system's own, never empty.
    EXPECT_FALSE(seen.caption.empty());
}

TEST(UnCompressMessage, GoodRecordShowsNoBox)
{
    // A box would come up inside UnCompress; a short wait is enough to catch
    // one, and answering it keeps a wrong box from blocking the run.
    SeenBox seen(500);
    HANDLE helper = CreateThread(nullptr, 0, AnswerTheBox, &seen, 0, nullptr);
    ASSERT_NE(helper, nullptr);

    const uint8_t codes[] = {3, 'a', 'b', 'c'};
    int reason = -1;
    uint8_t* text = UnCompress(DayRecord{codes, 4, 3}, &reason);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(text), "abc");
    std::free(text);

    ASSERT_EQ(WaitForSingleObject(helper, 15000), WAIT_OBJECT_0);
    CloseHandle(helper);
    EXPECT_EQ(seen.window, nullptr);
}

}  // namespace
