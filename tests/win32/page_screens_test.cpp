// Pictures of laid-out lessons for a person to look at: whole days of the
// book (or, without a packed book, the day this program carries) in two
// faces and widths, and one with a search hit across two lines and the
// banner. Saved as BMP files in the screenshot folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "gdi_canvas.h"
#include "lessons/lesson_store.h"
#include "page/convert_letters.h"
#include "page/letter_code.h"
#include "page/paint_view_win32.h"
#include "page_book.h"
#include "page_gdi_support.h"
#include "test_paths.h"
#include "shell/app_state.h"

namespace {

// Days worth looking at: the first of Tishri, the longest day, and one
// with centred lines; or the one day in this program's resources.
std::vector<PackedDay> DaysToShow()
{
    const std::vector<PackedDay> book = LoadPackedBook();
    std::vector<PackedDay> chosen;
    const PackedDay* longest = nullptr;
    const PackedDay* centred = nullptr;
    for (const PackedDay& day : book) {
        if (day.month == 7 && day.day == 1) chosen.push_back(day);
        if (!longest || day.text.size() > longest->text.size()) longest = &day;
        for (size_t i = 0; !centred && i + 1 < day.text.size(); ++i)
            if (day.text[i] == 0 && day.text[i + 1] == 0x59) centred = &day;
    }
    if (longest) chosen.push_back(*longest);
    if (centred) chosen.push_back(*centred);
    if (chosen.empty()) {
        g_app.instance = GetModuleHandleW(nullptr);
        if (uint8_t* text = LoadLesson(0x0101, nullptr)) {
            size_t end = 0;
            while (text[end] != 0) {
                end += 2;
                while (text[end] != 0) ++end;
                ++end;
            }
            std::vector<uint8_t> bytes(text, text + end + 1);
            bytes.insert(bytes.end(), 2, 0);
            chosen.push_back(PackedDay{1, 1, bytes});
            std::free(text);
        }
    }
    return chosen;
}

class Screens : public testing::Test {
protected:
    void SetUp() override
    {
        if (ScreensDirPath().empty()) GTEST_SKIP() << "no screenshot folder given";
        g_app = AppState{};
        g_app.font.letterBase = kUnicodeLetterBase;
        g_app.flags = kReverseFlag;  // Wine draws Hebrew right to left
    }

    // Paints `text` on a canvas of the given width and saves it; returns the view's rows.
    void Shoot(const std::vector<uint8_t>& text, const wchar_t* face, int32_t size, int width,
               const std::wstring& name, uint16_t hitStart = 0, uint16_t hitEnd = 0,
               bool banner = false)
    {
        GdiCanvas canvas(width, 900);
        TextView* view = MakeGdiView(canvas.dc(), ViewRect{20, 20, width - 20, 880}, MakeFont(face, size));
        ASSERT_EQ(LayCopy(view, text), kLayoutDone);
        view->hitStart = hitStart;
        view->hitEnd = hitEnd;
        EXPECT_EQ(PaintView(view, 1), 0);
        if (banner) ShowSearchBanner(view);
        EXPECT_TRUE(canvas.Save(ScreensDirPath() + L"\\" + name + L".bmp"));
        FreeTextView(view, true);
    }
};

TEST_F(Screens, LessonsInTwoFacesAndWidths)
{
    const std::vector<PackedDay> days = DaysToShow();
    ASSERT_FALSE(days.empty());
    for (const PackedDay& day : days) {
        const std::wstring name =
            L"lesson-" + std::to_wstring(day.month) + L"-" + std::to_wstring(day.day);
        Shoot(day.text, kFrankRuehl, 14, 640, name + L"-frank-ruehl");
        Shoot(day.text, kDejaVuSans, 11, 360, name + L"-dejavu-narrow");
    }
}

TEST_F(Screens, ASearchHitAcrossTwoLinesAndTheBanner)
{
    const std::vector<PackedDay> days = DaysToShow();
    ASSERT_FALSE(days.empty());
    // Title records in front of the day's own records.
    std::vector<uint8_t> text = LessonBytes({{0xDC, 0, "{rjl fwz"}, {0xD1, 0, "ipwsb lrhg"}});
    text.resize(text.size() - 3);
    text.insert(text.end(), days[0].text.begin(), days[0].text.end());

    GdiCanvas probe(64, 64);
    TextView* view = MakeGdiView(probe.dc(), ViewRect{20, 20, 620, 880}, MakeFont(kDejaVuSans, 12));
    ASSERT_EQ(LayCopy(view, text), kLayoutDone);
    // The first body paragraph long enough for two lines: a hit from the end
    // of its second line into its first.
    uint16_t hitStart = 0, hitEnd = 0;
    for (uint16_t i = 0; i + 1 < view->itemCount; ++i) {
        const LineItem& a = view->lineItems[i];
        const LineItem& b = view->lineItems[i + 1];
        if (a.style == 0x31 && b.offset + b.count < a.offset && b.count > 6 && a.count > 6) {
            hitStart = b.offset + b.count - 5;
            hitEnd = a.offset + 6;
            break;
        }
    }
    FreeTextView(view, true);
    Shoot(text, kDejaVuSans, 12, 640, L"lesson-search-hit-banner", hitStart, hitEnd, true);
}

}  // namespace
