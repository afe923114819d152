// Page arithmetic of printing, kept apart from the printer so that it can be
// checked on any machine.
#include "print/print_geometry.h"

namespace {

int32_t SaneMargin(int32_t margin)
{
    return margin >= 0 && margin <= kMaxDialogMargin ? margin : kDefaultPrintMargin;
}

// The printable extent in thousandths of an inch.
int64_t ExtentThousandths(int32_t dots, int32_t dotsPerInch)
{
    return dotsPerInch > 0 && dots > 0 ? int64_t{dots} * 1000 / dotsPerInch : 0;
}

// Shrinks a pair of margins so that together they take at most three
// quarters of `extent`, keeping their proportion.
void FitPair(int32_t& first, int32_t& second, int64_t extent)
{
    if (first < 0) first = 0;
    if (second < 0) second = 0;
    const int64_t room = extent * 3 / 4;
    const int64_t sum = int64_t{first} + second;
    if (sum <= room) return;
    first = static_cast<int32_t>(int64_t{first} * room / sum);
    second = static_cast<int32_t>(int64_t{second} * room / sum);
}

int32_t Scale(int32_t dotsPerInch, int32_t margin)
{
    return static_cast<int32_t>(int64_t{dotsPerInch} * margin / 1000);
}

}  // namespace

PrintMargins SaneDialogMargins(PrintMargins m)
{
    return PrintMargins{SaneMargin(m.left), SaneMargin(m.top), SaneMargin(m.right),
                        SaneMargin(m.bottom)};
}

PrintMargins ClampPrintMargins(PrintMargins m, const PrintPage& page)
{
    FitPair(m.left, m.right, ExtentThousandths(page.width, page.dotsPerInchX));
    FitPair(m.top, m.bottom, ExtentThousandths(page.height, page.dotsPerInchY));
    return m;
}

PrintArea ComputePrintArea(const PrintPage& page, const PrintMargins& m)
{
    PrintArea area;
    area.left = Scale(page.dotsPerInchX, m.left);
    area.top = Scale(page.dotsPerInchY, m.top);
    area.width = page.width - Scale(page.dotsPerInchX, m.right) - area.left;
    area.height = page.height - Scale(page.dotsPerInchY, m.bottom) - area.top;
    return area;
}

PrintBands ComputePrintBands(const PrintArea& margin, int32_t a, int32_t b)
{
    PrintBands bands;
    bands.text = PrintArea{margin.left, margin.top + a + 5, margin.width, margin.height - a - b - 10};
    bands.header = PrintArea{margin.left, bands.text.top - a - 5, margin.width, a};
    bands.footer = PrintArea{margin.left, bands.text.top + bands.text.height + 5, margin.width, b};
    return bands;
}

int32_t PointsOfPixels(int32_t pixels, int32_t dotsPerInch)
{
    if (pixels <= 0 || dotsPerInch <= 0) return 0;
    return static_cast<int32_t>((int64_t{pixels} * 72 + dotsPerInch / 2) / dotsPerInch);
}
