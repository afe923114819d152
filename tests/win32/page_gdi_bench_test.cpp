// The layout benchmark on GDI under the system at hand: every day of the
// packed book laid out at three widths with a real face; prints lines per
// second and MeasureRun calls per line.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "gdi_canvas.h"
#include "page/letter_code.h"
#include "page_book.h"
#include "page_gdi_support.h"
#include "shell/app_state.h"

namespace {

// GDI's operations, with the fitting queries (one per MeasureRun) counted.
const DeviceOps* g_gdi = nullptr;
long g_fitCalls = 0;

int32_t CountedFit(DeviceHandle device, const char16_t* units, int32_t count, int32_t limit)
{
    ++g_fitCalls;
    return g_gdi->fitCount(device, units, count, limit);
}

TEST(GdiBench, LaysOutTheWholeBook)
{
    const std::vector<PackedDay> days = LoadPackedBook();
    if (days.empty()) GTEST_SKIP() << "no packed book days in the book folder";
    g_app = AppState{};
    g_app.font.letterBase = kUnicodeLetterBase;
    g_gdi = g_deviceOps;
    DeviceOps counted = *g_deviceOps;
    counted.fitCount = CountedFit;
    g_deviceOps = &counted;
    g_fitCalls = 0;

    GdiCanvas canvas(64, 64);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    long lines = 0;
    for (int32_t width : {240, 480, 960}) {
        TextView* view = MakeGdiView(canvas.dc(), ViewRect{10, 10, 10 + width, 490},
                                     MakeFont(kFrankRuehl, 14));
        for (const PackedDay& day : days) {
            ASSERT_EQ(LayCopy(view, day.text), kLayoutDone);
            lines += view->itemCount;
        }
        FreeTextView(view, true);
    }
    QueryPerformanceCounter(&end);
    g_deviceOps = g_gdi;

    const double seconds = double(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    const double perLine = double(g_fitCalls) / lines;
    std::printf("GDI layout: %zu days x 3 widths: %ld lines in %.3f s\n", days.size(), lines, seconds);
    std::printf("GDI layout: %.0f lines per second, %.3f MeasureRun calls per line\n", lines / seconds,
                perLine);
    RecordProperty("lines_per_second", std::to_string(long(lines / seconds)));
    EXPECT_LE(perLine, 2.0);
}

}  // namespace
