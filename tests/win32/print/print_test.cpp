// Printing the shown lesson from the real Lumora.exe on Wine's PostScript
// driver, each job kept as PDF, rendered pages and text: page setup, pages,
// margins, resolutions, the failures and the stored settings.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "page_book.h"
#include "e2e/book_days.h"
#include "e2e/lumora_process.h"
#include "e2e/reader_setup.h"
#include "pdf_printer.h"
#include "printed_page.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kSetupCaption[] = L"Setup Page";
// The page-setup dialog's margin boxes: left, top, right, bottom.
constexpr int kMarginEdits[4] = {1155, 1156, 1157, 1158};
constexpr int kDotTolerance = 12;

struct Margins {
    long left, top, right, bottom;
};

std::vector<uint8_t> LessonOfDay(int32_t day)
{
    const uint16_t key = LessonKeyOfDay(day);
    for (const PackedDay& d : LoadPackedBook())
        if (d.month * 256 + d.day == key) return d.text;
    return {};
}

ReaderSetup Pinned(int32_t day)
{
    ReaderSetup setup;
    setup.day = day;
    return setup;
}

std::vector<std::wstring> EditTexts(HWND dialog)
{
    std::vector<std::wstring> texts;
    for (int id : kMarginEdits) texts.push_back(LumoraProcess::ControlText(dialog, id));
    return texts;
}

// The margin boxes' texts in inches, as the dialog shows thousandths of an
// inch ("2" or "2.00" for 2000).
double Inches(const std::wstring& text)
{
    return _wtof(text.c_str());
}

// Opens page setup with Print, optionally types margins (inches), reads
// what the dialog showed first, and presses `button`.
struct SetupResult {
    bool opened = false;
    std::vector<std::wstring> shown;
};
SetupResult RunSetup(LumoraProcess& lumora, const wchar_t* const* typed, int button)
{
    SetupResult result;
    lumora.Command(IDC_PRINT);
    HWND setup = lumora.WaitForDialog(kSetupCaption, 20000);
    if (!setup) return result;
    result.opened = true;
    result.shown = EditTexts(setup);
    if (typed) {
        for (int i = 0; i < 4; ++i) {
            HWND edit = GetDlgItem(setup, kMarginEdits[i]);
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed[i]));
            // The dialog takes a typed margin when its box loses the focus.
            SendMessageW(setup, WM_COMMAND, MAKEWPARAM(kMarginEdits[i], EN_KILLFOCUS),
                         reinterpret_cast<LPARAM>(edit));
        }
    }
    LumoraProcess::PressButton(setup, button);
    lumora.WaitForDialogGone(kSetupCaption);
    return result;
}

// Prints the shown lesson through page setup as job `base`, rendered at
// `renderDpi`; the job, or one without pages when none came.
PrintedJob Print(LumoraProcess& lumora, const std::wstring& base, int renderDpi,
                 const wchar_t* const* typed = nullptr, SetupResult* setup = nullptr)
{
    ExpectJob(base, renderDpi);
    SetupResult result = RunSetup(lumora, typed, IDOK);
    if (setup) *setup = result;
    if (!result.opened || !WaitForJob(base)) return {};
    return ReadJob(base);
}

// The margin area of a printer's page for stored margins, as the reader
// computes it (dots; margins in thousandths of an inch).
InkBox MarginArea(const PrinterCaps& caps, const Margins& m)
{
    const int left = caps.dpiX * m.left / 1000, top = caps.dpiY * m.top / 1000;
    const int right = caps.width - caps.dpiX * m.right / 1000;
    const int bottom = caps.height - caps.dpiY * m.bottom / 1000;
    return {left, top, right - 1, bottom - 1};
}

// The page's ink lies inside the margin area, and reaches near its left
// (the footer's address), right (the text, flush right, and the header
// mark) and bottom (the footer) edges; the header mark sits at its top.
void ExpectInkFills(const PagePicture& page, const InkBox& area, double scale = 1.0)
{
    const InkBox ink = InkOf(page);
    ASSERT_FALSE(ink.empty());
    const int tol = int(kDotTolerance * scale) + 1;
    const auto s = [scale](int v) { return int(v * scale); };
    EXPECT_GE(ink.left, s(area.left) - tol);
    EXPECT_LE(ink.left, s(area.left) + tol);
    EXPECT_LE(ink.right, s(area.right) + tol);
    EXPECT_GE(ink.right, s(area.right) - tol);
    EXPECT_GE(ink.top, s(area.top) - tol);
    EXPECT_LE(ink.top, s(area.top) + tol);
    EXPECT_LE(ink.bottom, s(area.bottom) + tol);
    EXPECT_GE(ink.bottom, s(area.bottom) - 3 * tol);
    std::printf("    page %dx%d: ink %d..%d x %d..%d; margin area %d..%d x %d..%d (scale %.2f)\n",
                page.width, page.height, ink.left, ink.right, ink.top, ink.bottom, s(area.left),
                s(area.right), s(area.top), s(area.bottom), scale);
}

std::vector<std::wstring> AllWords(const PrintedJob& job)
{
    std::vector<std::wstring> words;
    for (const std::wstring& text : job.pageTexts)
        for (std::wstring& w : PrintedWords(text)) words.push_back(w);
    return words;
}

// Every word of the lesson printed once (no line repeated or left out), in
// reading order but for what pdftotext's ordering of marks between words
// moves (at most one word in fifty).
void ExpectLessonWords(const PrintedJob& job, const std::vector<std::wstring>& lesson)
{
    const std::vector<std::wstring> printed = AllWords(job);
    EXPECT_TRUE(SameWords(printed, lesson)) << printed.size() << " words printed, " << lesson.size()
                                            << " in the lesson";
    const size_t moved = WordsOutOfOrder(printed, lesson);
    EXPECT_LE(moved * 50, lesson.size()) << moved << " words out of reading order";
    std::printf("    %zu words, %zu out of reading order in pdftotext\n", lesson.size(), moved);
}

int PrinterLineHeight(int dpi, const wchar_t* face, int points);

class Printing : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(UsePdfPrinter(300)) << "cannot add the PDF printer"; }
};

// First: no printer at all in the prefix.
TEST(PrintingWithoutPrinter, SaysNoDefaultPrinterAndPrintsNothing)
{
    ASSERT_TRUE(RemoveAllPrinters());
    Seed(Pinned(Today()));
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    // A change of this run that only the exit stores.
    lumora.SendCommand(IDC_NEXT_DAY);
    ExpectJob(L"none", 75);
    lumora.Command(IDC_PRINT);
    HWND message = lumora.WaitForDialog(L"Error Printing");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(LumoraProcess::MessageText(message), L"No Default Printer");
    EXPECT_EQ(lumora.FindDialog(kSetupCaption), nullptr);
    LumoraProcess::PressButton(message, IDOK);
    EXPECT_TRUE(lumora.WaitForDialogGone(L"Error Printing"));
    EXPECT_TRUE(lumora.Running());
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_FALSE(JobStarted(L"none"));
    EXPECT_FALSE(Registry::Has(L"PrintLeft"));
    EXPECT_EQ(Registry::Number(L"Day"), Today() + 1) << "the run's settings were stored";
}

TEST_F(Printing, ThePrinterReportsItsPage)
{
    const PrinterCaps caps = CapsOf(300);
    std::printf("    %ls: %d x %d dpi, %d x %d dots\n", PrinterName(300).c_str(), caps.dpiX, caps.dpiY,
                caps.width, caps.height);
    EXPECT_EQ(caps.dpiX, 300);
    EXPECT_EQ(caps.dpiY, 300);
    // A4 on the whole sheet: 8.27 x 11.69 inches.
    EXPECT_NEAR(caps.width, 2480, 2);
    EXPECT_NEAR(caps.height, 3508, 2);
}

TEST_F(Printing, TodaysLessonWithTheDefaultMargins)
{
    Seed(Pinned(Today()));
    const std::vector<std::wstring> lessonWords = LessonWords(LessonOfDay(Today()));
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    SetupResult setup;
    const PrintedJob job = Print(lumora, L"today", 300, nullptr, &setup);
    ASSERT_EQ(setup.shown.size(), 4u);
    for (const std::wstring& shown : setup.shown) EXPECT_DOUBLE_EQ(Inches(shown), 1.0) << shown;
    ASSERT_FALSE(job.pages.empty());
    ASSERT_EQ(job.pageTexts.size(), job.pages.size());
    std::printf("    today's lesson: %zu page(s)\n", job.pages.size());
    const std::wstring& first = job.pageTexts[0];
    EXPECT_NE(first.find(L"https://quillstead.example -- Lumora"), std::wstring::npos);
    EXPECT_NE(first.find(L"Page 1"), std::wstring::npos);
    EXPECT_NE(first.find(kHeaderMarkReading), std::wstring::npos) << "the header mark reads right";
    ExpectLessonWords(job, lessonWords);
    ExpectInkFills(job.pages[0], MarginArea(CapsOf(300), {1000, 1000, 1000, 1000}));
    KeepPage(L"today", 1, L"printed-page");
    EXPECT_EQ(lumora.CloseAndWait(), 0);

    for (const wchar_t* name : {L"PrintLeft", L"PrintTop", L"PrintRight", L"PrintBottom"}) {
        EXPECT_EQ(Registry::Type(name), DWORD(REG_DWORD)) << name;
        EXPECT_EQ(Registry::Number(name), 1000) << name;
    }
    EXPECT_EQ(Registry::Type(L"DevMode"), DWORD(REG_BINARY));
    const std::vector<uint8_t> mode = Registry::Bytes(L"DevMode");
    ASSERT_GE(mode.size(), sizeof(DEVMODEW));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(mode.data())), PrinterName(300));
}

TEST_F(Printing, LargeTextRunsOverNumberedPages)
{
    ReaderSetup setup = Pinned(LongDay());
    setup.fontSize = 72;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    const PrintedJob job = Print(lumora, L"large", 50);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    ASSERT_GT(job.pages.size(), 2u);
    ASSERT_EQ(job.pageTexts.size(), job.pages.size());
    std::printf("    size 72: %zu pages\n", job.pages.size());
    for (size_t k = 0; k < job.pageTexts.size(); ++k) {
        const std::wstring number = L"Page " + std::to_wstring(k + 1);
        const std::wstring& text = job.pageTexts[k];
        EXPECT_NE(text.find(number), std::wstring::npos) << number;
        EXPECT_EQ(text.find(L"Page " + std::to_wstring(k + 2)), std::wstring::npos);
        EXPECT_FALSE(PrintedWords(text).empty()) << "page " << k + 1 << " holds lesson text";
    }
    // Every word once, in order: no line is printed twice or left out.
    ExpectLessonWords(job, LessonWords(LessonOfDay(LongDay())));
}

TEST_F(Printing, MarginsFromTheDialogMoveTheTextAndAreKept)
{
    Registry::Clear();
    Seed(Pinned(Today()));
    const PrinterCaps caps = CapsOf(300);
    {
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        const wchar_t* zero[4] = {L"0", L"0", L"0", L"0"};
        const PrintedJob none = Print(lumora, L"margins-0", 300, zero);
        ASSERT_FALSE(none.pages.empty());
        ExpectInkFills(none.pages[0], MarginArea(caps, {0, 0, 0, 0}));
        for (const wchar_t* name : {L"PrintLeft", L"PrintTop", L"PrintRight", L"PrintBottom"})
            EXPECT_EQ(Registry::Number(name), 0) << name;

        const wchar_t* two[4] = {L"2", L"2", L"2", L"2"};
        SetupResult setup;
        const PrintedJob wide = Print(lumora, L"margins-2000", 300, two, &setup);
        for (const std::wstring& shown : setup.shown) EXPECT_DOUBLE_EQ(Inches(shown), 0.0) << "kept in the run";
        ASSERT_FALSE(wide.pages.empty());
        ExpectInkFills(wide.pages[0], MarginArea(caps, {2000, 2000, 2000, 2000}));
        EXPECT_GE(wide.pages.size(), none.pages.size());
        std::printf("    margins 0: %zu page(s), margins 2000: %zu page(s)\n", none.pages.size(),
                    wide.pages.size());
        EXPECT_EQ(lumora.CloseAndWait(), 0);
    }
    for (const wchar_t* name : {L"PrintLeft", L"PrintTop", L"PrintRight", L"PrintBottom"}) {
        EXPECT_EQ(Registry::Type(name), DWORD(REG_DWORD)) << name;
        EXPECT_EQ(Registry::Number(name), 2000) << name;
    }
    EXPECT_EQ(Registry::Type(L"DevMode"), DWORD(REG_BINARY));
    // After a restart the dialog shows them again.
    LumoraProcess again;
    ASSERT_NE(again.StartAndWait(), nullptr);
    const SetupResult shown = RunSetup(again, nullptr, IDCANCEL);
    ASSERT_EQ(shown.shown.size(), 4u);
    for (const std::wstring& text : shown.shown) EXPECT_DOUBLE_EQ(Inches(text), 2.0) << text;
    if (HWND message = again.WaitForDialog(L"Error Printing")) LumoraProcess::PressButton(message, IDOK);
    EXPECT_EQ(again.CloseAndWait(), 0);
}

TEST_F(Printing, EachResolutionBreaksTheLessonAnew)
{
    const int32_t day = LongDay();
    const std::vector<std::wstring> words = LessonWords(LessonOfDay(day));
    for (int dpi : {300, 600}) {
        ASSERT_TRUE(UsePdfPrinter(dpi));
        Seed(Pinned(day));  // no stored printer: the default one
        const PrinterCaps caps = CapsOf(dpi);
        ASSERT_EQ(caps.dpiY, dpi);
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        const std::wstring base = L"dpi-" + std::to_wstring(dpi);
        const PrintedJob job = Print(lumora, base, 150);
        EXPECT_EQ(lumora.CloseAndWait(), 0);
        ASSERT_FALSE(job.pages.empty());
        const InkBox area = MarginArea(caps, {1000, 1000, 1000, 1000});
        std::printf("    %d dpi: page %dx%d dots, text area from (%d, %d), %d x %d before the bands;"
                    " %zu page(s)\n",
                    dpi, caps.width, caps.height, area.left, area.top, area.right + 1 - area.left,
                    area.bottom + 1 - area.top, job.pages.size());
        // The bands: 8-point text high, 5 dots clear of the text.
        const int band = PrinterLineHeight(dpi, kTestFace, 8);
        std::printf("    %d dpi: bands %d dots high; the lesson's area (%d, %d), %d x %d\n", dpi, band,
                    area.left, area.top + band + 5, area.right + 1 - area.left,
                    area.bottom + 1 - area.top - 2 * band - 10);
        ExpectInkFills(job.pages[0], area, 150.0 / dpi);
        ExpectLessonWords(job, words);
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(Registry::Bytes(L"DevMode").data())),
                  PrinterName(dpi));
        KeepPage(base, 1, base.c_str());
    }
    ASSERT_TRUE(UsePdfPrinter(300));
}

TEST_F(Printing, CancelSaysUnknownErrorAndPrintsNothing)
{
    Seed(Pinned(Today()));
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    ExpectJob(L"cancelled", 75);
    ASSERT_TRUE(RunSetup(lumora, nullptr, IDCANCEL).opened);
    HWND message = lumora.WaitForDialog(L"Error Printing");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(LumoraProcess::MessageText(message), L"Unknown Error");
    LumoraProcess::PressButton(message, IDOK);
    EXPECT_TRUE(lumora.WaitForDialogGone(L"Error Printing"));
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_FALSE(JobStarted(L"cancelled"));
    EXPECT_FALSE(Registry::Has(L"PrintLeft"));
}

TEST_F(Printing, LetterBase224DrawsTheMarkAsStored)
{
    ReaderSetup setup = Pinned(Today());
    setup.letterBase = 224;
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    const PrintedJob job = Print(lumora, L"base-224", 100);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    ASSERT_FALSE(job.pageTexts.empty());
    // The stored units 0xE3 0x22 0xF1 0xE1, not raised into the Hebrew block.
    const std::wstring& text = job.pageTexts[0];
    const size_t line = text.find(L'\n');
    const std::wstring head = text.substr(0, line);
    for (wchar_t unit : {L'\u00E3', L'"', L'\u00F1', L'\u00E1'})
        EXPECT_NE(head.find(unit), std::wstring::npos) << std::hex << int(unit);
    EXPECT_EQ(text.find(L'\u05D3'), std::wstring::npos) << "no Hebrew letters at base 224";
}

TEST_F(Printing, GarbageDevModeCountsAsNoneStored)
{
    struct Garbage {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> lying(sizeof(DEVMODEW), 0);
    auto* fake = reinterpret_cast<DEVMODEW*>(lying.data());
    wcscpy(fake->dmDeviceName, L"Lumora PDF 300");
    fake->dmSize = sizeof(DEVMODEW);
    fake->dmDriverExtra = 60000;  // far more than stored
    const Garbage cases[] = {{"ones", std::vector<uint8_t>(300, 0xFF)},
                             {"three bytes", {1, 2, 3}},
                             {"lying sizes", lying}};
    for (const Garbage& g : cases) {
        Seed(Pinned(Today()));
        Registry::PutBytes(L"DevMode", g.bytes.data(), DWORD(g.bytes.size()));
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        const PrintedJob job = Print(lumora, L"garbage", 50);
        EXPECT_FALSE(job.pages.empty()) << g.what;
        EXPECT_EQ(lumora.CloseAndWait(), 0) << g.what;
        const std::vector<uint8_t> stored = Registry::Bytes(L"DevMode");
        ASSERT_GE(stored.size(), sizeof(DEVMODEW)) << g.what;
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(stored.data())), PrinterName(300));
    }
}

TEST_F(Printing, AbsurdMarginsLeaveATextArea)
{
    const PrinterCaps caps = CapsOf(300);
    // Stored: nothing a page setup could have given.
    ReaderSetup setup = Pinned(Today());
    Seed(setup);
    Registry::PutNumber(L"PrintLeft", DWORD(-5000));
    Registry::PutNumber(L"PrintTop", 99999999);
    Registry::PutNumber(L"PrintRight", 0x7FFFFFFF);
    Registry::PutNumber(L"PrintBottom", 0x80000000);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    SetupResult shown;
    const PrintedJob stored = Print(lumora, L"absurd-stored", 100, nullptr, &shown);
    ASSERT_FALSE(stored.pages.empty());
    for (const std::wstring& text : shown.shown) EXPECT_DOUBLE_EQ(Inches(text), 1.0) << text;
    // Typed: margins wider than the sheet.
    const wchar_t* wide[4] = {L"30", L"1", L"30", L"1"};
    const PrintedJob typed = Print(lumora, L"absurd-typed", 100, wide);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    ASSERT_FALSE(typed.pages.empty());
    const long left = long(Registry::Number(L"PrintLeft")), right = long(Registry::Number(L"PrintRight"));
    std::printf("    typed 30-inch margins kept as %ld and %ld; %zu page(s)\n", left, right,
                typed.pages.size());
    EXPECT_GE(left, 0);
    EXPECT_GE(right, 0);
    const int width = caps.width - caps.dpiX * right / 1000 - caps.dpiX * left / 1000;
    EXPECT_GE(width, caps.width / 4 - 2);
    // Never more pages than lines: far fewer than a runaway job.
    EXPECT_LT(typed.pages.size(), 60u);
}

TEST_F(Printing, CffFaceIsPrintedInATrueTypeFace)
{
    ReaderSetup setup = Pinned(Today());
    setup.face = L"David CLM";
    Seed(setup);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    lumora.SendCommand(IDC_NEXT_DAY);
    const PrintedJob job = Print(lumora, L"cff", 100);
    ASSERT_TRUE(lumora.Running()) << "the reader survived the job";
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Day"), Today() + 1) << "the run's settings were stored";
    ASSERT_FALSE(job.pages.empty());
    EXPECT_EQ(job.postScript.find("DavidCLM"), std::string::npos);
    ExpectLessonWords(job, LessonWords(LessonOfDay(Today() + 1)));
    EXPECT_EQ(Registry::Text(L"FontName"), L"David CLM") << "the chosen face stays chosen";
}

// The screen's normal text at the default size, as the reader measures it.
int ScreenDefaultPoints(const wchar_t* face)
{
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcscpy(wanted.lfFaceName, face);
    HFONT font = CreateFontIndirectW(&wanted);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(screen, &tm);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return ((tm.tmHeight - tm.tmInternalLeading) * 72 + dpi / 2) / dpi;
}

// The line height of a face at `points` on a printer.
int PrinterLineHeight(int dpi, const wchar_t* face, int points)
{
    HDC device = CreateICW(nullptr, PrinterName(dpi).c_str(), nullptr, nullptr);
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wanted.lfHeight = -MulDiv(points, GetDeviceCaps(device, LOGPIXELSY), 72);
    wcscpy(wanted.lfFaceName, face);
    HFONT font = CreateFontIndirectW(&wanted);
    HGDIOBJ old = SelectObject(device, font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(device, &tm);
    SelectObject(device, old);
    DeleteObject(font);
    DeleteDC(device);
    return tm.tmHeight;
}

TEST_F(Printing, DefaultSizePrintsAtTheScreensSize)
{
    ReaderSetup setup = Pinned(Today());  // no "FontSize": size 0
    Seed(setup);
    const int points = ScreenDefaultPoints(kTestFace);
    const int line = PrinterLineHeight(300, kTestFace, points);
    std::printf("    size 0 prints at %d points: lines %d dots apart at 300 dpi\n", points, line);
    ASSERT_GE(points, 6);
    LumoraProcess lumora;
    ASSERT_NE(lumora.StartAndWait(), nullptr);
    const PrintedJob job = Print(lumora, L"size-0", 300);
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    ASSERT_FALSE(job.pages.empty());
    ExpectLessonWords(job, LessonWords(LessonOfDay(Today())));
    // Body lines follow each other one line height apart.
    const InkBox area = MarginArea(CapsOf(300), {1000, 1000, 1000, 1000});
    const std::vector<int> distances = BaselineDistances(job.pages[0], area.top + 60, area.bottom - 60);
    const long matching = std::count_if(distances.begin(), distances.end(),
                                        [&](int d) { return std::abs(d - line) <= 1; });
    std::string seen;
    for (int d : distances) seen += std::to_string(d) + " ";
    EXPECT_GE(matching, 3) << "baseline distances: " << seen;
    KeepPage(L"size-0", 1, L"printed-size-0");
}

}  // namespace
