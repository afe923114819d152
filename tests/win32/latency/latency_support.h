// What the latency benchmark shares between its measurements: a clock, the
// samples of one measurement and the table of results, and waiting for what
// the screen shows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "lumora_process.h"

// Milliseconds on the performance counter, from an arbitrary origin.
double NowMs();

// How many times each measurement is taken: LUMORA_LATENCY_REPETITIONS, or
// 20 when it is unset or not a number of at least 1.
int Repetitions();

// The samples of one measurement, in milliseconds.
struct Samples {
    std::vector<double> ms;
    double Median() const;
    double Min() const;
    double Max() const;
    // The value at `fraction` of the sorted samples (nearest rank).
    double Quantile(double fraction) const;
};

// One line of the result table.
struct Measure {
    std::wstring name;        // what was measured, "start to first painted page"
    Samples samples;
    std::wstring anchor;      // what it is compared with
    double anchorMs = 0;      // the anchor's median (or the goal's budget)
    double goalRatio = 0;     // the ratio that meets the goal; 0: none (reported only)
    std::wstring end;         // what ended the timing, for the notes under the table
    double Ratio() const { return anchorMs > 0 ? samples.Median() / anchorMs : 0; }
    bool HasGoal() const { return goalRatio > 0; }
    bool Met() const { return HasGoal() && Ratio() <= goalRatio; }
};

// The table of every measurement taken in this run, printed at the end.
void Record(const Measure& measure);
void PrintTable();

// A rectangle of the screen as CaptureScreen reads it.
using ScreenPicture = Pixels;
// How many different colours a picture holds, up to `limit`.
int Colours(const ScreenPicture& picture, int limit = 3);
// The client area of a window, or its whole rectangle, on the screen.
RECT ClientOnScreen(HWND window);
RECT WindowOnScreen(HWND window);

// Polls the screen at `area` until its picture is no longer `before` and no
// longer changes (the same for `settleMs`); returns the time (NowMs) at which
// the final picture was first seen, or a negative value when the area did
// not change within `timeoutMs`. `accept` may refuse pictures (e.g. blank).
template <typename Accept>
double WhenScreenSettles(const RECT& area, const ScreenPicture& before, Accept accept,
                         DWORD timeoutMs = 10000, double settleMs = 60);
double WhenScreenSettles(const RECT& area, const ScreenPicture& before, DWORD timeoutMs = 10000,
                         double settleMs = 60);

template <typename Accept>
double WhenScreenSettles(const RECT& area, const ScreenPicture& before, Accept accept,
                         DWORD timeoutMs, double settleMs)
{
    const double deadline = NowMs() + timeoutMs;
    ScreenPicture last;
    double firstSeen = -1;
    while (NowMs() < deadline) {
        ScreenPicture now = CaptureScreen(area);
        const double seen = NowMs();
        if (now == before || !accept(now)) {
            firstSeen = -1;
            last = ScreenPicture();
        } else if (firstSeen < 0 || now != last) {
            firstSeen = seen;
            last = std::move(now);
        } else if (seen - firstSeen >= settleMs) {
            return firstSeen;
        }
        // A millisecond between looks keeps the watcher off the CPU the
        // reader needs.
        Sleep(1);
    }
    return -1;
}
