// The About box's resources as Lumora.exe carries them: dialog template 103
// control by control, and bitmap 113.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about_support.h"
#include "resource_ids.h"

namespace {

// A dialog template field that is either a number (0xFFFF, n) or a string.
struct NameOrId {
    int id = -1;
    std::wstring name;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : at_(reinterpret_cast<const WORD*>(data)) {}
    WORD Word() { return *at_++; }
    DWORD Dword()
    {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    NameOrId Name()
    {
        NameOrId result;
        if (*at_ == 0xFFFF) {
            ++at_;
            result.id = Word();
            return result;
        }
        while (*at_) result.name.push_back(static_cast<wchar_t>(*at_++));
        ++at_;
        return result;
    }
    void AlignDword()
    {
        if (reinterpret_cast<UINT_PTR>(at_) % 4) ++at_;
    }

private:
    const WORD* at_;
};

struct Control {
    DWORD style, exStyle;
    short x, y, cx, cy;
    int id;
    std::wstring className;  // upper case, or the predefined class's name
    NameOrId text;
};

std::wstring ClassName(const NameOrId& c)
{
    if (c.id == 0x80) return L"BUTTON";
    if (c.id == 0x82) return L"STATIC";
    std::wstring upper = c.name;
    CharUpperW(&upper[0]);
    return upper;
}

const BYTE* Resource(LPCWSTR type, int id, DWORD* size)
{
    const HMODULE module = LumoraResources();
    if (!module) return nullptr;
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return nullptr;
    *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

TEST(AboutTemplate, IsDialog103AsSpecified)
{
    DWORD size = 0;
    const BYTE* data = Resource(RT_DIALOG, IDD_ABOUT, &size);
    ASSERT_NE(data, nullptr) << "no dialog 103 in Lumora.exe";
    TemplateReader t(data);
    const DWORD style = t.Dword();
    ASSERT_NE(style >> 16, 0xFFFFu) << "an extended template; this reads the plain one";
    EXPECT_EQ(style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT));
    EXPECT_EQ(t.Dword(), static_cast<DWORD>(WS_EX_TOOLWINDOW));
    const WORD count = t.Word();
    t.Short();
    t.Short();
    EXPECT_EQ(t.Short(), 140);
    EXPECT_EQ(t.Short(), 85);
    const NameOrId menu = t.Name();
    EXPECT_TRUE(menu.id == -1 && menu.name.empty());  // no menu
    const NameOrId windowClass = t.Name();
    EXPECT_TRUE(windowClass.id == -1 && windowClass.name.empty());  // the dialog class
    EXPECT_EQ(t.Name().name, L"Lumora");
    EXPECT_EQ(t.Word(), 8);
    EXPECT_EQ(t.Name().name, L"MS Sans Serif");
    ASSERT_EQ(count, 5);

    std::vector<Control> controls;
    for (int i = 0; i < count; ++i) {
        t.AlignDword();
        Control c;
        c.style = t.Dword();
        c.exStyle = t.Dword();
        c.x = t.Short();
        c.y = t.Short();
        c.cx = t.Short();
        c.cy = t.Short();
        c.id = t.Short();
        c.className = ClassName(t.Name());
        c.text = t.Name();
        const WORD extra = t.Word();
        for (WORD k = 0; k < (extra + 1) / 2; ++k) t.Word();
        controls.push_back(c);
    }

    struct Expected {
        const wchar_t* className;
        int id;
        const wchar_t* text;  // nullptr: a bitmap by number
        int bitmap;
        short x, y, cx, cy;
        DWORD style;
    };
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const Expected expected[] = {
        {L"STATIC", -1, L"Lumora", 0, 7, 7, 81, 8, child | SS_LEFT | SS_NOPREFIX | WS_GROUP},
        {L"STATIC", -1, nullptr, IDB_ABOUT, 88, 7, 47, 20, child | SS_BITMAP},
        {L"STATIC", -1, L"Version 1.84a", 0, 7, 24, 45, 8, child | SS_LEFT | WS_GROUP},
        {L"STATIC", -1, nullptr, 0, 7, 41, 80, 8, child | SS_LEFT | WS_GROUP},
        {L"BUTTON", IDC_ABOUT_LINK, kHomePage, 0, 7, 58, 100, 8, child | BS_OWNERDRAW | WS_TABSTOP},
    };
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const Control& c = controls[i];
        const Expected& e = expected[i];
        EXPECT_EQ(c.className, e.className);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.style, e.style);
        EXPECT_EQ(c.exStyle, 0u);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.cx, e.cx);
        EXPECT_EQ(c.cy, e.cy);
        if (e.text) {
            EXPECT_EQ(c.text.name, e.text);
        }
        if (e.bitmap) {
            EXPECT_EQ(c.text.id, e.bitmap);
        }
    }
    // The rights notice: ours, and short enough for its 80 units.
    const std::wstring notice = controls[3].text.name;
    EXPECT_NE(notice.find(L"Quillstead"), std::wstring::npos) << std::string(notice.begin(), notice.end());
    EXPECT_NE(notice.find(L"\u00A9"), std::wstring::npos);
}

TEST(AboutTemplate, Bitmap113Is65By72OneBitAndAPicture)
{
    DWORD size = 0;
    const BYTE* data = Resource(RT_BITMAP, IDB_ABOUT, &size);
    ASSERT_NE(data, nullptr) << "no bitmap 113 in Lumora.exe";
    ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    EXPECT_EQ(header->biWidth, 65);
    EXPECT_EQ(header->biHeight, 72);
    EXPECT_EQ(header->biBitCount, 1);
    EXPECT_EQ(header->biPlanes, 1);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    // Two colours, black and white, then 72 rows of 12 bytes (65 bits and
    // padding to four bytes).
    const auto* colours = reinterpret_cast<const RGBQUAD*>(data + header->biSize);
    const int colourCount = header->biClrUsed ? static_cast<int>(header->biClrUsed) : 2;
    ASSERT_EQ(colourCount, 2);
    EXPECT_EQ(RGB(colours[0].rgbRed, colours[0].rgbGreen, colours[0].rgbBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(colours[1].rgbRed, colours[1].rgbGreen, colours[1].rgbBlue), RGB(255, 255, 255));
    const BYTE* bits = data + header->biSize + 2 * sizeof(RGBQUAD);
    ASSERT_EQ(size, header->biSize + 2 * sizeof(RGBQUAD) + 72 * 12);
    int black = 0;
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 65; ++x)
            if (!(bits[y * 12 + x / 8] & (0x80 >> (x % 8)))) ++black;
    // A drawing: neither empty nor solid.
    EXPECT_GT(black, 200);
    EXPECT_LT(black, 65 * 72 / 2);
}

}  // namespace
