// A laid-out text area on one device (the main window or a printed page):
// the view record, its lines and fonts, and the portable operations on it.
#pragma once
#include <cstdint>

#include "page/device_ops.h"
#include "page/font_record.h"

// One laid-out line. An entry whose style is 0 ends the list.
struct LineItem {
    uint16_t offset;     // first byte of the line in the lesson text (a rule: its text field)
    uint16_t count;      // bytes of the line's main part (0 for a rule)
    int16_t x;           // left edge of the main part
    int16_t hangWidth;   // hanging column on a hanging paragraph's first line, else 0
    int16_t width;       // measured width of the main part, or the rule's width
    uint16_t height;     // text height of the line's font
    uint8_t style;       // paragraph style; 0x80 only on a paragraph's last line
};

// One font of a view, made the first time its key is used.
struct FontCacheNode {
    FontCacheNode* next;
    FontHandle font;     // none once the view's fonts were released
    uint32_t key;        // font key AND FONT_CACHE_KEY_MASK
};

struct TextView {
    LineItem* lineItems;       // room for capacity + 1 entries (the terminator)
    DeviceHandle device;
    uint8_t* text;             // the lesson text laid out; the view owns it
    int32_t rowsPainted;       // rows drawn by the last paint
    FontRecord font;
    FontCacheNode* fontCache;
    int32_t left, top, width, height;
    uint16_t topRow;           // the scroll position: first row shown
    uint16_t rowCount;         // lines plus the blank rows after paragraphs
    uint16_t itemCount;        // line entries, without the terminator
    uint16_t capacity;
    uint16_t maxTopRow;        // largest topRow that still fills the area
    uint16_t hitStart, hitEnd; // search hit: byte offsets, both 0 for none
    LineItem* pageStart;       // where painting starts (printing), or none for topRow
    LineItem* pageNext;        // first line the last paint did not draw
    // Points of normal text when the font record's size is 0: 0 leaves the
    // height to the device (the screen's default). A printer has no useful
    // default, so a print view gets the screen's measured size here.
    int32_t defaultPoints;
};

struct ViewRect {
    int32_t left, top, right, bottom;
};

// Font keys: a style widened by two flags. The cache keeps key AND 0x101F.
constexpr uint32_t FONT_KEY_COLOR = 0x100;  // also set the text colour
constexpr uint32_t FONT_KEY_TINY = 0x1000;  // 8 points: print header and footer
constexpr uint32_t FONT_CACHE_KEY_MASK = 0x101F;

// Colours (0x00BBGGRR).
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kWhite = 0xFFFFFF;

// Results of LayoutText: 16-bit codes returned widened; any non-zero code is
// a failed layout, after which the view has no lines to paint and the text
// given still belongs to the caller.
constexpr int32_t kLayoutDone = 0;
constexpr int32_t kLayoutNoText = 2;
constexpr int32_t kLayoutEmptyText = 0xFFFC;
constexpr int32_t kLayoutNoMemory = 0xFFFE;
constexpr int32_t kLayoutNoView = -1;
constexpr int32_t kResizeBadSize = -5;

// The line array grows by this many entries at a time.
constexpr uint16_t kLineGrowth = 128;

// A zeroed view on `device` with a copy of `font`, its area taken from
// `rect` (none: all zero) and, with capacity > 0, room for that many lines.
// None when no memory could be had.
TextView* NewTextView(DeviceHandle device, const ViewRect* rect, const FontRecord* font,
                      int32_t capacity);

// Breaks `text` into lines for the view's area and fonts and records it as
// the view's text; `releasePrevious` frees the text the view held before.
// Clears the search hit; keeps topRow.
int32_t LayoutText(TextView* view, uint8_t* text, bool releasePrevious);

// New area size and a new layout of the view's own text; -5 (nothing
// changes) when either size is not positive, -1 without a view.
int32_t ResizeView(TextView* view, int32_t width, int32_t height);

// Deletes every font of the view; the cache keeps its keys.
void ReleaseViewFonts(TextView* view);

// Releases the view's text, lines and fonts, and the view itself when asked.
void FreeTextView(TextView* view, bool releaseView);

// Character height in points of the font of `key` for a font record's size.
int32_t StyleFontPoints(int32_t size, uint32_t key);

// Selects the font of `key` into the view's device, making it on first use;
// with FONT_KEY_COLOR also sets the text colour (blue for large bold, else
// black). Returns the font selected before.
FontHandle SelectStyleFont(TextView* view, uint32_t key);

// Makes the font of a cache node for `key`.
void CreateStyleFont(TextView* view, FontCacheNode* node, uint32_t key);

// Measures letter-coded bytes in the selected font, always in stored order.
// In: *width the limit, *count the bytes offered. Out: *count the bytes that
// fit, *width the width of exactly those.
void MeasureRun(DeviceHandle device, const uint8_t* bytes, int32_t* width, int32_t* count);

// The largest topRow that still fills the area; -1 (left alone) for a view
// without lines.
int32_t ComputeMaxTopRow(TextView* view);

// Scrolls to the row of the first line holding `offset` (at most maxTopRow).
// Returns 1, or 0 when no line holds it.
int FindRowOfOffset(TextView* view, uint16_t offset);

// Whether a point lies on the text area widened by the gutter to the left,
// right and top (not below): where a click pages the text.
bool PointNearView(const TextView* view, int32_t x, int32_t y);

#ifdef _WIN32
// Win32 code that works on views also paints them.
#include "page/paint_view_win32.h"
#endif
