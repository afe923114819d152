// The lesson text as lines of UTF-16 text.
#include "clipboard/wide_text.h"

#include "clipboard/reading_order.h"
#include "page/convert_letters.h"
#include "page/lesson_text.h"
#include "shell/app_state.h"

namespace {

// Hyphens standing for a rule of width code p.
uint32_t RuleCharacters(uint8_t p)
{
    return p <= 160 ? p : (p - 160u) * 2u;
}

// Writes into the buffer, checking room before each write and keeping one
// unit for the terminator.
struct Writer {
    char16_t* out;
    size_t capacity;  // units, the terminator's included
    size_t used;

    bool Fits(size_t units) const { return capacity > 0 && units <= capacity - 1 - used; }
    bool Put(char16_t unit, size_t times)
    {
        if (!Fits(times)) return false;
        for (size_t i = 0; i < times; ++i) out[used++] = unit;
        return true;
    }
};

// Converts one text record into the writer. With the Unicode base the text is
// converted in stored order and display-order text is put back into reading
// order; otherwise it is converted as it is drawn.
int PutText(Writer& w, const uint8_t* lesson, const ParagraphRecord& record)
{
    const bool unicode = g_app.font.letterBase > 256;
    const uint32_t flags = g_app.flags;
    if (unicode) g_app.flags &= ~kReverseFlag;
    const uint8_t* text = lesson + record.textOffset;
    const char16_t* units = ConvertLetters(text, nullptr, &g_convertBuffer, record.textLength);
    g_app.flags = flags;
    if (!units) return WIDE_TEXT_NO_MEMORY;
    if (!w.Fits(record.textLength)) return WIDE_TEXT_FULL;
    char16_t* start = w.out + w.used;
    for (uint32_t i = 0; i < record.textLength; ++i) start[i] = units[i];
    w.used += record.textLength;
    if (unicode && (record.style & STYLE_DISPLAY_ORDER) &&
        !RestoreReadingOrder(start, record.textLength))
        return WIDE_TEXT_NO_MEMORY;
    return WIDE_TEXT_DONE;
}

}  // namespace

uint32_t WideTextUnits(const uint8_t* lesson)
{
    uint64_t units = 0;
    uint16_t at = 0;
    ParagraphRecord record;
    while (NextParagraph(lesson, at, record)) {
        units += (record.style & STYLE_BLANK_AFTER) ? 4 : 2;
        if (IsRuleStyle(record.style)) units += RuleCharacters(record.parameter);
        else units += record.parameter & PARAM_INDENT_MASK;
    }
    units += at + at / 2u;  // `at` is now the length up to the end marker
    return static_cast<uint32_t>(units);
}

int LessonToWideText(const uint8_t* lesson, char16_t* buffer, size_t bufferBytes)
{
    Writer w{buffer, bufferBytes / sizeof(char16_t), 0};
    if (w.capacity == 0) return WIDE_TEXT_FULL;
    uint16_t at = 0;
    ParagraphRecord record;
    int result = WIDE_TEXT_DONE;
    while (result == WIDE_TEXT_DONE && NextParagraph(lesson, at, record)) {
        if (IsRuleStyle(record.style)) {
            if (!w.Put(u'-', RuleCharacters(record.parameter))) result = WIDE_TEXT_FULL;
        } else {
            result = PutText(w, lesson, record);
            if (result == WIDE_TEXT_DONE && !w.Put(u' ', record.parameter & PARAM_INDENT_MASK))
                result = WIDE_TEXT_FULL;
        }
        const int lineEnds = (record.style & STYLE_BLANK_AFTER) ? 2 : 1;
        for (int i = 0; result == WIDE_TEXT_DONE && i < lineEnds; ++i)
            if (!w.Put(u'\r', 1) || !w.Put(u'\n', 1)) result = WIDE_TEXT_FULL;
    }
    // The terminator always has its unit, so the buffer ends as a string.
    buffer[w.used] = 0;
    return result;
}
