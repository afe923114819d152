// The About box and the update check in the real Lumora.exe, driven from
// this process: how the box opens and ends, what its link looks like and
// does, and what reaches the browser (a stand-in the suite sets up, which
// records each address it is given).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include <shlwapi.h>

#include "about_support.h"
#include "e2e/lumora_process.h"
#include "e2e/reader_setup.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kCaption[] = L"Lumora";

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

// What a user sees of the box: its size, owner and controls in order.
struct BoxView {
    SIZE size = {};
    HWND owner = nullptr;
    LONG exStyle = 0;
    struct Control {
        std::wstring className, text;
        int id;
        RECT rect;  // relative to the box
        bool operator==(const Control& o) const
        {
            return className == o.className && text == o.text && id == o.id && EqualRect(&rect, &o.rect);
        }
    };
    std::vector<Control> controls;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM parameter)
{
    auto* view = reinterpret_cast<std::pair<HWND, BoxView*>*>(parameter);
    BoxView::Control c;
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    c.className = className;
    c.text = TextOf(child);
    c.id = static_cast<short>(GetDlgCtrlID(child));
    GetWindowRect(child, &c.rect);
    MapWindowPoints(nullptr, view->first, reinterpret_cast<POINT*>(&c.rect), 2);
    view->second->controls.push_back(c);
    return TRUE;
}

BoxView ViewOf(HWND box)
{
    BoxView view;
    RECT r = {};
    GetWindowRect(box, &r);
    view.size = {r.right - r.left, r.bottom - r.top};
    view.owner = GetWindow(box, GW_OWNER);
    view.exStyle = GetWindowLongW(box, GWL_EXSTYLE);
    std::pair<HWND, BoxView*> parameter(box, &view);
    EnumChildWindows(box, CollectControl, reinterpret_cast<LPARAM>(&parameter));
    return view;
}

HWND Link(HWND box)
{
    return GetDlgItem(box, IDC_ABOUT_LINK);
}

// The reader on a known day, started and shown.
class AboutBox : public testing::Test {
protected:
    void SetUp() override
    {
        Seed(LongDayPinned());
        ASSERT_NE(lumora_.StartAndWait(), nullptr);
    }
    void TearDown() override
    {
        if (HWND box = lumora_.FindDialog(kCaption)) LumoraProcess::PressButton(box, IDCANCEL);
        lumora_.WaitForDialogGone(kCaption);
        EXPECT_EQ(lumora_.CloseAndWait(), 0);
    }
    HWND OpenByCommand()
    {
        lumora_.Command(IDC_ABOUT);
        return lumora_.WaitForDialog(kCaption);
    }
    // Lumora still answers, and its main window is still there.
    bool Responsive() const
    {
        DWORD_PTR ignored = 0;
        return lumora_.Running() &&
               SendMessageTimeoutW(lumora_.mainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
    }
    LumoraProcess lumora_;
};

TEST_F(AboutBox, F1AndTheMenuOpenTheSameBox)
{
    // The File menu by keyboard, as a user opens it: Alt+F, then A.
    ASSERT_TRUE(lumora_.TypeKeys({VK_MENU}, 'F'));
    ASSERT_TRUE(PollUntil([&] { return lumora_.FindMenuPopup() != nullptr; }, 5000));
    ASSERT_TRUE(lumora_.TypeKeys({}, 'A'));
    HWND byMenu = lumora_.WaitForDialog(kCaption);
    ASSERT_NE(byMenu, nullptr);
    const BoxView menuView = ViewOf(byMenu);
    EXPECT_EQ(menuView.owner, lumora_.mainWindow());
    EXPECT_TRUE(menuView.exStyle & WS_EX_TOOLWINDOW);
    ASSERT_EQ(menuView.controls.size(), 5u);
    EXPECT_EQ(menuView.controls[0].text, L"Lumora");
    EXPECT_EQ(menuView.controls[2].text, L"Version 1.84a");
    EXPECT_EQ(menuView.controls[4].text, kHomePage);
    EXPECT_EQ(menuView.controls[4].id, IDC_ABOUT_LINK);
    // The picture shows at its own size.
    EXPECT_EQ(menuView.controls[1].rect.right - menuView.controls[1].rect.left, 65);
    EXPECT_EQ(menuView.controls[1].rect.bottom - menuView.controls[1].rect.top, 72);
    Screenshot(byMenu, L"about");
    LumoraProcess::PressButton(byMenu, IDCANCEL);
    ASSERT_TRUE(lumora_.WaitForDialogGone(kCaption));

    ASSERT_TRUE(lumora_.TypeKeys({}, VK_F1));
    HWND byF1 = lumora_.WaitForDialog(kCaption);
    ASSERT_NE(byF1, nullptr);
    const BoxView f1View = ViewOf(byF1);
    EXPECT_EQ(f1View.owner, lumora_.mainWindow());
    EXPECT_EQ(f1View.size.cx, menuView.size.cx);
    EXPECT_EQ(f1View.size.cy, menuView.size.cy);
    EXPECT_TRUE(f1View.controls == menuView.controls);
    // One box: nothing else of Lumora's is open.
    EXPECT_EQ(lumora_.OtherWindows().size(), 1u);
}

TEST_F(AboutBox, EnterEscAndTheCloseBoxEachEndIt)
{
    struct Ending {
        const char* name;
        bool (*end)(HWND box);
    };
    const Ending endings[] = {
        {"Enter", [](HWND box) { return TypeInto(box, VK_RETURN); }},
        {"Esc", [](HWND box) { return TypeInto(box, VK_ESCAPE); }},
        {"close box", [](HWND box) {
             POINT close = {};
             if (!FindCloseBox(box, &close)) return false;
             ClickAt(close);
             return true;
         }},
    };
    for (int round = 0; round < 2; ++round) {
        for (const Ending& ending : endings) {
            SCOPED_TRACE(ending.name);
            HWND box = OpenByCommand();
            ASSERT_NE(box, nullptr);
            ASSERT_TRUE(ending.end(box));
            EXPECT_TRUE(lumora_.WaitForDialogGone(kCaption));
            EXPECT_TRUE(Responsive());
            EXPECT_TRUE(IsWindowEnabled(lumora_.mainWindow()));
        }
    }
}

TEST_F(AboutBox, F1InTheBoxOpensNoSecondBox)
{
    HWND box = OpenByCommand();
    ASSERT_NE(box, nullptr);
    CaptureClientSettled(box);
    // F1's help request is handled before the Esc typed after it: a second
    // box would take the Esc and leave the first one open.
    ASSERT_TRUE(TypeInto(box, {VK_F1, VK_ESCAPE}));
    EXPECT_TRUE(lumora_.WaitForDialogGone(kCaption, 5000));
    EXPECT_TRUE(lumora_.OtherWindows().empty());
}

TEST_F(AboutBox, LinkIsDrawnBlueAndUnderlined)
{
    HWND box = OpenByCommand();
    ASSERT_NE(box, nullptr);
    CaptureClientSettled(box);
    RECT r = {};
    GetWindowRect(Link(box), &r);
    const Pixels link = CaptureScreen(r);
    ASSERT_FALSE(link.empty());
    const uint32_t background = link.at(link.width - 1, 0);
    int blue = 0, foreign = 0, longestBlueRow = 0;
    for (int y = 0; y < link.height; ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < link.width; ++x) {
            const uint32_t v = link.at(x, y);
            if (v == 0x0000FF) {
                ++blue;
                longest = std::max(longest, ++run);
                continue;
            }
            run = 0;
            // Anything else is the background or the text's blended edge,
            // never a colour of its own.
            const int red = (v >> 16) & 0xFF, green = (v >> 8) & 0xFF, b = v & 0xFF;
            if (v != background && (b < red || b < green)) ++foreign;
        }
        longestBlueRow = std::max(longestBlueRow, longest);
    }
    EXPECT_GT(blue, 100);
    EXPECT_EQ(foreign, 0);
    // The underline runs under the whole text: most of the button's width
    // (the button is the text's width plus the edges).
    EXPECT_GE(longestBlueRow, link.width - 2 * GetSystemMetrics(SM_CXEDGE) - 2);
}

TEST_F(AboutBox, PictureIsBitmap113)
{
    HWND box = OpenByCommand();
    ASSERT_NE(box, nullptr);
    CaptureClientSettled(box);
    const BoxView view = ViewOf(box);
    ASSERT_EQ(view.controls.size(), 5u);
    RECT r = view.controls[1].rect;
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const Pixels shown = CaptureScreen(r);
    const HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(LumoraResources(), MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ before = SelectObject(memory, bitmap);
    // A black-and-white bitmap is drawn in the text and background colours
    // of the box: black stays black, white takes the box's face colour
    // (that of its empty bottom-right corner).
    RECT client = {};
    GetClientRect(box, &client);
    const Pixels face = CaptureClient(box);
    const uint32_t faceColour = face.at(client.right - 2, client.bottom - 2);
    EXPECT_NE(faceColour, 0u);
    int differing = 0;
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 65; ++x) {
            const COLORREF c = GetPixel(memory, x, y);
            const uint32_t expected = c == RGB(0, 0, 0) ? 0x000000 : faceColour;
            if (shown.at(x, y) != expected) ++differing;
        }
    SelectObject(memory, before);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    EXPECT_EQ(differing, 0);
}

TEST_F(AboutBox, LinkClickOpensTheHomePageAndTheBoxStays)
{
    ASSERT_FALSE(BrowserLogPath().empty()) << "the suite sets up no stand-in browser";
    const size_t before = BrowserCalls().size();
    HWND box = OpenByCommand();
    ASSERT_NE(box, nullptr);
    CaptureClientSettled(box);
    ClickAt(CentreOf(Link(box)));
    ASSERT_TRUE(WaitForBrowserCalls(before + 1));
    const auto calls = BrowserCalls();
    ASSERT_EQ(calls.size(), before + 1);
    EXPECT_EQ(calls.back(), kHomePageAsReceived);
    EXPECT_EQ(lumora_.FindDialog(kCaption), box);
    EXPECT_TRUE(IsWindowVisible(box));
}

TEST_F(AboutBox, CheckForUpdatesOpensTheUpdatePage)
{
    ASSERT_FALSE(BrowserLogPath().empty()) << "the suite sets up no stand-in browser";
    const size_t before = BrowserCalls().size();
    lumora_.Command(IDC_CHECK_UPDATES);
    ASSERT_TRUE(WaitForBrowserCalls(before + 1));
    const auto calls = BrowserCalls();
    ASSERT_EQ(calls.size(), before + 1);
    EXPECT_EQ(calls.back(), kUpdatePageAsReceived);
    EXPECT_TRUE(Responsive());
    EXPECT_TRUE(lumora_.OtherWindows().empty());
}

// A window of this program showing a given system cursor, to learn what
// the X server shows for it.
class CursorSample {
public:
    CursorSample(LPCWSTR cursor, const wchar_t* className, int x, int y)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, cursor);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = className;
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOPMOST, className, L"", WS_POPUP | WS_VISIBLE, x, y, 40, 40, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        PumpMessages();
    }
    ~CursorSample() { DestroyWindow(window_); }
    HWND window() const { return window_; }

private:
    HWND window_;
};

// Moves the pointer to `point` and waits until the X server's cursor is
// `expected` (or any settled cursor when `expected` is empty); the cursor.
std::string CursorAt(POINT point, const std::string& expected = "")
{
    SetCursorPos(point.x, point.y);
    std::string shown;
    PollUntil([&] {
        shown = ShownCursor();
        return !shown.empty() && (expected.empty() || shown == expected);
    }, 5000);
    return shown;
}

TEST_F(AboutBox, HandOverTheLinkArrowElsewhere)
{
    ASSERT_TRUE(CursorProbeAvailable()) << "the suite has no X cursor probe";
    std::string hand, arrow;
    {
        CursorSample handSample(IDC_HAND, L"HandSample", 0, 0);
        CursorSample arrowSample(IDC_ARROW, L"ArrowSample", 60, 0);
        hand = CursorAt(CentreOf(handSample.window()));
        arrow = CursorAt(CentreOf(arrowSample.window()));
        // Settle on each again: the first look may still show the previous one.
        hand = CursorAt(CentreOf(handSample.window()));
        arrow = CursorAt(CentreOf(arrowSample.window()));
    }
    ASSERT_FALSE(hand.empty());
    ASSERT_NE(hand, arrow);

    HWND box = OpenByCommand();
    ASSERT_NE(box, nullptr);
    CaptureClientSettled(box);
    const BoxView view = ViewOf(box);
    ASSERT_EQ(view.controls.size(), 5u);
    RECT version = view.controls[2].rect;
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&version), 2);
    const POINT onVersion = {(version.left + version.right) / 2, (version.top + version.bottom) / 2};
    RECT client = {};
    GetClientRect(box, &client);
    POINT onEmpty = {client.right - 4, client.bottom - 4};
    ClientToScreen(box, &onEmpty);

    EXPECT_EQ(CursorAt(CentreOf(Link(box)), hand), hand);
    EXPECT_EQ(CursorAt(onVersion, arrow), arrow);
    EXPECT_EQ(CursorAt(CentreOf(Link(box)), hand), hand);
    EXPECT_EQ(CursorAt(onEmpty, arrow), arrow);
}

// Sets a registry text value under `root` for the life of the
// object; then puts the old one back, or, when the key was not there,
// removes `createdRoot` (the key or the first of its parents it made).
class RegistryOverride {
public:
    RegistryOverride(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* value,
                     const wchar_t* createdRoot = nullptr)
        : root_(root), key_(key), name_(name), createdRoot_(createdRoot ? createdRoot : key)
    {
        HKEY k = nullptr;
        keyExisted_ = RegOpenKeyExW(root_, createdRoot_, 0, KEY_READ, &k) == ERROR_SUCCESS;
        if (keyExisted_) RegCloseKey(k);
        RegCreateKeyExW(root_, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        wchar_t old[1024] = {};
        DWORD size = sizeof old, type = 0;
        had_ = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        old_ = old;
        RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
    }
    ~RegistryOverride()
    {
        if (!keyExisted_) {
            SHDeleteKeyW(root_, createdRoot_);
            return;
        }
        HKEY k = nullptr;
        RegOpenKeyExW(root_, key_, 0, KEY_ALL_ACCESS, &k);
        if (had_)
            RegSetValueExW(k, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(k, name_);
        RegCloseKey(k);
    }
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

private:
    HKEY root_;
    const wchar_t* key_;
    const wchar_t* name_;
    const wchar_t* createdRoot_;
    bool keyExisted_ = false;
    bool had_ = false;
    std::wstring old_;
};

std::set<HWND> WindowSet()
{
    const auto windows = VisibleTopLevelWindows();
    return std::set<HWND>(windows.begin(), windows.end());
}

// Opens the update page (the menu command) and the home page (the link)
// with the browser set up by `Override`; afterwards every window is as it
// was, the stand-in browser got nothing and the reader still answers.
template <typename Override>
void ExpectNothingShown(LumoraProcess& lumora, Override override)
{
    const size_t calls = BrowserCalls().size();
    HWND box = nullptr;
    std::set<HWND> before;
    {
        auto change = override();
        lumora.Command(IDC_ABOUT);
        box = lumora.WaitForDialog(kCaption);
        ASSERT_NE(box, nullptr);
        CaptureClientSettled(box);
        before = WindowSet();
        // Sent, so that each returns only when the reader has handed the
        // address over (or stays blocked if anything waits for the user).
        DWORD_PTR ignored = 0;
        EXPECT_NE(SendMessageTimeoutW(lumora.mainWindow(), WM_COMMAND, IDC_CHECK_UPDATES, 0, SMTO_ABORTIFHUNG,
                                      10000, &ignored), 0);
        EXPECT_NE(SendMessageTimeoutW(Link(box), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored), 0);
        // Whatever the shell started has finished.
        EXPECT_TRUE(PollUntil([] { return ProcessCount(L"winebrowser.exe") == 0; }, 20000));
    }
    EXPECT_TRUE(WindowSet() == before) << "a window came or went";
    EXPECT_EQ(BrowserCalls().size(), calls);
    EXPECT_EQ(lumora.FindDialog(kCaption), box);
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutW(lumora.mainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored), 0);
}

TEST_F(AboutBox, NoBrowserInstalledShowsNothing)
{
    ExpectNothingShown(lumora_, [] {
        return std::make_unique<RegistryOverride>(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers",
                                                  L"/nonexistent/lumora-test-browser");
    });
}

TEST_F(AboutBox, NoProgramForWebAddressesShowsNothing)
{
    // Web addresses handed to a program that does not exist (the system's
    // own association, which the shell reads): the shell fails, and would
    // say so in a message box if asked to.
    ExpectNothingShown(lumora_, [] {
        return std::make_unique<RegistryOverride>(HKEY_LOCAL_MACHINE,
                                                  L"Software\\Classes\\https\\shell\\open\\command", L"",
                                                  L"C:\\lumora-missing-browser.exe \"%1\"");
    });
}

}  // namespace
