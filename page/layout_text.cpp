// Line breaking: a lesson text's paragraphs broken into the lines of a view,
// in reading order, at spaces and after hyphens.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "page/lesson_text.h"
#include "page/text_view.h"

namespace {

// Line entries hold 16-bit offsets: text beyond this is not laid out.
constexpr uint32_t kLastOffset = 0xFFFF;

// What one pass carries from record to record.
struct LayoutPass {
    TextView* view;
    FontHandle savedFont;   // selected before the pass, put back at its end
    uint32_t fontStyle;     // style whose font is selected
    int32_t lineHeight;
    int32_t maxCharWidth;
    int32_t indent;         // running indent of the paragraph
    uint32_t blankRows;
};

void SelectFont(LayoutPass& pass, uint32_t key)
{
    const FontHandle before = SelectStyleFont(pass.view, key);
    if (!pass.savedFont) pass.savedFont = before;
    const FontMetrics metrics = g_deviceOps->fontMetrics(pass.view->device);
    pass.lineHeight = metrics.height;
    pass.maxCharWidth = metrics.maxCharWidth;
    pass.fontStyle = key;
}

void EmptyLines(TextView* view)
{
    if (view->lineItems) view->lineItems[0] = LineItem{};
    view->itemCount = 0;
    view->rowCount = 0;
}

// Room for one more entry besides the terminator: the array grows by 128.
bool MakeRoom(TextView* view)
{
    if (view->itemCount < view->capacity) return true;
    if (view->capacity == 0xFFFF) return false;  // entries are counted in 16 bits
    uint32_t grown = uint32_t{view->capacity} + kLineGrowth;
    if (grown > 0xFFFF) grown = 0xFFFF;
    auto* items = static_cast<LineItem*>(std::malloc((grown + 1) * sizeof(LineItem)));
    if (!items) return false;
    std::memcpy(items, view->lineItems, view->capacity * sizeof(LineItem));
    std::free(view->lineItems);
    view->lineItems = items;
    view->capacity = static_cast<uint16_t>(grown);
    return true;
}

// Empty: no record at all, or a first record that is neither a rule nor
// holds any text.
bool IsEmptyText(const uint8_t* text)
{
    return text[0] == 0 || (!IsRuleStyle(text[0]) && text[2] == 0);
}

// Rule widths: 1..160 pixels, or 161..255 in steps of 2 % of the area.
int32_t RuleWidth(uint8_t parameter, int32_t areaWidth)
{
    int32_t width = parameter <= 160 ? parameter : (parameter - 160) * 2 * areaWidth / 100;
    if (width > areaWidth) width = areaWidth;
    return width < 0 ? 0 : width;
}

// Left edge of a line's main part of width `a` for indent `i` and hanging
// column `h`, measured from the aligned edge.
int32_t AlignedX(uint8_t style, int32_t left, int32_t areaWidth, int32_t i, int32_t h, int32_t a)
{
    switch (style & STYLE_ALIGN_MASK) {
    case STYLE_ALIGN_RIGHT: return left + areaWidth - i - h - a;
    case STYLE_ALIGN_CENTER: return left + i + (areaWidth - a - (i + h)) / 2;
    default: return left + i + h;
    }
}

LineItem& NextEntry(TextView* view)
{
    return view->lineItems[view->itemCount];
}

void LayRule(LayoutPass& pass, uint8_t style, uint8_t parameter, uint32_t textPos)
{
    TextView* view = pass.view;
    const int32_t width = RuleWidth(parameter, view->width);
    LineItem& line = NextEntry(view);
    line = LineItem{};
    line.offset = static_cast<uint16_t>(textPos);
    line.width = static_cast<int16_t>(width);
    line.height = static_cast<uint16_t>(pass.lineHeight);
    line.style = style;
    line.x = static_cast<int16_t>(AlignedX(style, view->left, view->width, 0, 0, width));
    if (style & STYLE_BLANK_AFTER) ++pass.blankRows;
    ++view->itemCount;
}

// Lays one text record out. `hanging` is the record's hanging count (0 for
// none or a continuation). False when memory ran out.
bool LayParagraph(LayoutPass& pass, uint8_t style, int hanging, const uint8_t* stored,
                  uint32_t textPos, uint32_t length)
{
    TextView* view = pass.view;
    const int32_t areaWidth = view->width;
    if ((pass.fontStyle & FONT_CACHE_KEY_MASK) != (style & STYLE_FONT_MASK)) SelectFont(pass, style);
    pass.fontStyle = style;

    int32_t hang = hanging ? (hanging + 1) * pass.maxCharWidth / 2 : 0;
    // Display-order text is broken from its reading start: a reversed copy.
    const bool displayOrder = style & STYLE_DISPLAY_ORDER;
    uint8_t* scratch = nullptr;
    const uint8_t* run = stored;
    if (displayOrder) {
        scratch = static_cast<uint8_t*>(std::malloc(length + 1));
        if (!scratch) return false;
        for (uint32_t i = 0; i < length; ++i) scratch[i] = stored[length - 1 - i];
        scratch[length] = 0;
        run = scratch;
    }
    if (pass.indent >= areaWidth) pass.indent = 0;
    // The hanging column never reaches past the area.
    if (hang > areaWidth - pass.indent) hang = areaWidth > pass.indent ? areaWidth - pass.indent : 0;

    // Spaces after the last word make no line, so the line before them is
    // the paragraph's last and keeps its blank row.
    uint32_t end = length;
    while (end > 0 && run[end - 1] == ' ') --end;

    uint32_t at = 0;
    for (;;) {
        while (at < end && run[at] == ' ') ++at;
        if (at >= end) break;
        if (!MakeRoom(view)) {
            std::free(scratch);
            return false;
        }
        int32_t available = areaWidth - pass.indent;
        uint32_t main = at;
        if (hang) {
            while (main < end && run[main] != ' ') ++main;
            while (main < end && run[main] == ' ') ++main;
            available -= hang;
        }
        if (available < 0) available = 0;

        int32_t count = static_cast<int32_t>(end - main);
        int32_t width = available;
        MeasureRun(view->device, run + main, &width, &count);
        if (main + count < end && run[main + count] != ' ') {
            // The line would end inside a word: break at the last space, or
            // after the last hyphen, before it; position 0 never breaks.
            int32_t k = count - 1;
            while (k >= 1 && run[main + k] != ' ' && run[main + k] != '-') --k;
            if (k >= 1) {
                count = run[main + k] == '-' ? k + 1 : k;
                width = available;
                MeasureRun(view->device, run + main, &width, &count);
            }
        }
        if (count == 0 && main == at) {
            // Not one character fits: the line takes one all the same, or
            // the paragraph would never move on.
            count = 1;
            width = INT32_MAX;
            MeasureRun(view->device, run + main, &width, &count);
            if (count == 0) {
                count = 1;
                width = 0;
            }
        }

        LineItem& line = NextEntry(view);
        line.count = static_cast<uint16_t>(count);
        line.width = static_cast<int16_t>(width);
        line.height = static_cast<uint16_t>(pass.lineHeight);
        line.hangWidth = static_cast<int16_t>(hang);
        // Display order: the same bytes in the stored text, which for a
        // hanging first line are those of the main part only.
        line.offset = static_cast<uint16_t>(displayOrder ? textPos + length - main - count
                                                         : textPos + at);
        line.x = static_cast<int16_t>(
            AlignedX(style, view->left, areaWidth, pass.indent, hang, width));

        // Following lines are indented by the hanging column.
        pass.indent += hang;
        if (pass.indent >= areaWidth) pass.indent = 0;
        hang = 0;
        at = main + count;
        const bool last = at >= end;
        line.style = last ? style : style & ~STYLE_BLANK_AFTER;
        if (last && (style & STYLE_BLANK_AFTER)) ++pass.blankRows;
        ++view->itemCount;
    }
    std::free(scratch);
    return true;
}

}  // namespace

int32_t LayoutText(TextView* view, uint8_t* text, bool releasePrevious)
{
    if (!view) return kLayoutNoView;
    view->hitStart = view->hitEnd = 0;
    view->rowCount = view->maxTopRow = 0;
    if (!text) {
        if (releasePrevious) {
            std::free(view->text);
            view->text = nullptr;
        }
        EmptyLines(view);
        return kLayoutNoText;
    }
    if (IsEmptyText(text)) {
        EmptyLines(view);
        return kLayoutEmptyText;
    }
    if (releasePrevious && view->text != text) {
        std::free(view->text);
        view->text = nullptr;
    }
    EmptyLines(view);
    if (!view->lineItems || view->capacity == 0) {
        std::free(view->lineItems);
        view->capacity = 0;
        view->lineItems = static_cast<LineItem*>(std::malloc((kLineGrowth + 1) * sizeof(LineItem)));
        if (!view->lineItems) return kLayoutNoMemory;
        view->capacity = kLineGrowth;
        EmptyLines(view);
    }

    LayoutPass pass{};
    pass.view = view;
    SelectFont(pass, STYLE_NORMAL);

    bool failed = false;
    uint8_t previousParameter = 0;
    uint32_t pos = 0;
    while (text[pos] != 0 && !failed) {
        const uint8_t style = text[pos];
        const uint8_t parameter = text[pos + 1];
        const uint32_t textPos = pos + 2;
        uint32_t length = 0;
        while (text[textPos + length] != 0) ++length;
        if (textPos + length > kLastOffset) break;

        // The indent: a hanging record that starts with a space continues
        // the hanging layout of the record before it, shifted by the
        // difference of their indents.
        int hanging = parameter >> PARAM_HANGING_SHIFT;
        const int32_t ownIndent = parameter & PARAM_INDENT_MASK;
        if (hanging != 0 && text[textPos] == ' ' && view->itemCount > 0) {
            pass.indent += ownIndent - (previousParameter & PARAM_INDENT_MASK);
            if (pass.indent < 0) pass.indent = 0;
            hanging = 0;
        } else {
            pass.indent = ownIndent;
        }
        previousParameter = parameter;

        if (IsRuleStyle(style)) {
            if (parameter != 0) {
                if (MakeRoom(view))
                    LayRule(pass, style, parameter, textPos);
                else
                    failed = true;
            }
        } else if (!LayParagraph(pass, style, hanging, text + textPos, textPos, length)) {
            failed = true;
        }
        pos = textPos + length + 1;
    }

    uint32_t rows = 0;
    if (!failed) {
        view->lineItems[view->itemCount] = LineItem{};
        // A text never ends on a blank row.
        if (view->itemCount > 0) {
            LineItem& last = view->lineItems[view->itemCount - 1];
            if (last.style & STYLE_BLANK_AFTER) {
                last.style &= ~STYLE_BLANK_AFTER;
                --pass.blankRows;
            }
        }
        rows = view->itemCount + pass.blankRows;
        failed = rows > 0xFFFF;
    }
    if (pass.savedFont) g_deviceOps->selectFont(view->device, pass.savedFont);
    if (failed) {
        // The lines stand for a text the view does not hold: drop them all.
        EmptyLines(view);
        return kLayoutNoMemory;
    }
    view->rowCount = static_cast<uint16_t>(rows);
    view->text = text;
    ComputeMaxTopRow(view);
    return kLayoutDone;
}
