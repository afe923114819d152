// Clock, samples, the result table and screen pictures of the latency
// benchmark.
#include "latency_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <set>

double NowMs()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

int Repetitions()
{
    wchar_t text[32] = {};
    const DWORD n = GetEnvironmentVariableW(L"LUMORA_LATENCY_REPETITIONS", text, 32);
    if (n == 0 || n >= 32) return 20;
    const int value = _wtoi(text);
    return value >= 1 ? value : 20;
}

namespace {

std::vector<double> Sorted(const std::vector<double>& ms)
{
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

std::vector<Measure>& Table()
{
    static std::vector<Measure> table;
    return table;
}

}  // namespace

double Samples::Median() const
{
    if (ms.empty()) return 0;
    const std::vector<double> s = Sorted(ms);
    const size_t n = s.size();
    return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
}

double Samples::Min() const
{
    return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end());
}

double Samples::Max() const
{
    return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

double Samples::Quantile(double fraction) const
{
    if (ms.empty()) return 0;
    const std::vector<double> s = Sorted(ms);
    const size_t rank = static_cast<size_t>(std::ceil(fraction * double(s.size())));
    return s[std::min(s.size() - 1, rank > 0 ? rank - 1 : 0)];
}

void Record(const Measure& measure)
{
    Table().push_back(measure);
}

void PrintTable()
{
    if (Table().empty()) return;
    std::printf("\n%-44s %4s %8s %8s %8s %8s  %-34s %8s %7s  %-8s %s\n", "measure", "n", "median", "min",
                "p90", "max", "anchor", "anchor", "ratio", "goal", "");
    for (const Measure& m : Table()) {
        char goal[16] = "-";
        if (m.HasGoal()) std::snprintf(goal, sizeof goal, "<=%.1fx", m.goalRatio);
        const char* verdict = !m.HasGoal() ? "reported" : m.Met() ? "met" : "missed";
        std::printf("%-44ls %4zu %8.1f %8.1f %8.1f %8.1f  %-34ls %8.1f %6.2fx  %-8s %s\n", m.name.c_str(),
                    m.samples.ms.size(), m.samples.Median(), m.samples.Min(), m.samples.Quantile(0.9),
                    m.samples.Max(), m.anchor.c_str(), m.anchorMs, m.Ratio(), goal, verdict);
    }
    std::printf("(milliseconds; ratio = median / anchor)\n");
    for (const Measure& m : Table())
        if (!m.end.empty()) std::printf("  %ls: ends when %ls\n", m.name.c_str(), m.end.c_str());
    std::fflush(stdout);
}

int Colours(const ScreenPicture& picture, int limit)
{
    std::set<uint32_t> seen;
    for (uint32_t v : picture.rgb) {
        seen.insert(v);
        if (int(seen.size()) >= limit) break;
    }
    return int(seen.size());
}

RECT ClientOnScreen(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

RECT WindowOnScreen(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

double WhenScreenSettles(const RECT& area, const ScreenPicture& before, DWORD timeoutMs, double settleMs)
{
    return WhenScreenSettles(area, before, [](const ScreenPicture&) { return true; }, timeoutMs, settleMs);
}
