// Layout benchmark: every day of the packed book laid out at three widths on
// the deterministic device, timed; prints lines per second and MeasureRun
// calls per line. "--quick" makes one round (the CTest run), else enough
// rounds to take about a second. Fails when a day does not lay out or a line
// costs more than two MeasureRun calls on average.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "book_days.h"
#include "fake_device.h"
#include "page/letter_code.h"
#include "page/text_view.h"
#include "shell/app_state.h"

namespace {

struct Round {
    long lines = 0;
    long failures = 0;
};

Round LayOutBook(const std::vector<BookDay>& days, FakeDevice* device)
{
    Round round;
    FontRecord font{};
    font.size = 12;
    font.letterBase = kUnicodeLetterBase;
    for (const int32_t width : {240, 480, 960}) {
        const ViewRect area{10, 10, 10 + width, 490};
        TextView* view = NewTextView(AsDevice(device), &area, &font, 100);
        if (!view) std::exit(2);
        for (const BookDay& day : days) {
            auto* text = static_cast<uint8_t*>(std::malloc(day.text.size()));
            std::memcpy(text, day.text.data(), day.text.size());
            if (LayoutText(view, text, true) != kLayoutDone) {
                std::free(text);
                ++round.failures;
                continue;
            }
            round.lines += view->itemCount;
        }
        FreeTextView(view, true);
    }
    return round;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    std::vector<BookDay> days;
    const auto written = WrittenDays();
    for (int month = 1; month <= 14; ++month) {
        if (!written[month]) continue;
        bool found = false;
        std::string error;
        auto monthDays = LoadBookMonth(month, &found, &error);
        if (!found || !error.empty()) {
            std::fprintf(stderr, "month %d: %s\n", month,
                         found ? error.c_str() : ("no container in " + PackedBookDir()).c_str());
            return 1;
        }
        days.insert(days.end(), monthDays.begin(), monthDays.end());
    }
    if (days.empty()) {
        std::printf("no month of the book is written yet: nothing to measure\n");
        return 0;
    }

    g_app = AppState{};
    g_app.font.letterBase = kUnicodeLetterBase;
    FakeDevice device{};
    device.variedWidths = true;
    FakeDeviceScope scope;

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long lines = 0, failures = 0, rounds = 0;
    double seconds = 0;
    do {
        const Round round = LayOutBook(days, &device);
        lines += round.lines;
        failures += round.failures;
        ++rounds;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (!quick && seconds < 1.0);

    const double perLine = lines ? double(device.fitCalls) / lines : 0;
    std::printf("%zu days x 3 widths x %ld rounds: %ld lines in %.3f s\n", days.size(), rounds,
                lines, seconds);
    std::printf("%.0f lines per second, %.3f MeasureRun calls per line\n", lines / seconds, perLine);
    if (failures) std::printf("%ld layouts failed\n", failures);
    return failures || perLine > 2.0 ? 1 : 0;
}
