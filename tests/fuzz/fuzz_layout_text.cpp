// Fuzzes the page layout with arbitrary decoded lesson bytes, as a damaged
// container can produce them: the walk over the records, line breaking on
// the deterministic measuring device, the title lines and the parts of every
// line. Nothing may be read outside the text and its three zero bytes, and
// every line must lie inside the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../native/fake_device.h"
#include "lessons/lesson_store.h"
#include "page/banner_lines.h"
#include "page/lesson_text.h"
#include "page/letter_code.h"
#include "page/line_parts.h"
#include "page/text_view.h"
#include "shell/app_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two bytes choose the area and the font; the rest is the lesson text,
    // followed by the zeros that the decompressor puts after every text.
    if (size < 2 || size - 2 > 0xFFFF) return 0;
    const size_t length = size - 2;
    auto* text = static_cast<uint8_t*>(std::malloc(length + kLessonPadding));
    std::memcpy(text, data + 2, length);
    std::memset(text + length, 0, kLessonPadding);

    g_app = AppState{};
    g_app.font.letterBase = kUnicodeLetterBase;
    g_app.flags = (data[1] & 0x80) ? 0x800 : 0;
    FakeDevice device{};
    device.variedWidths = data[1] & 1;
    FakeDeviceScope scope;
    FontRecord font{};
    font.size = (data[1] >> 1) & 0x3F;
    font.letterBase = kUnicodeLetterBase;
    const ViewRect area{0, 0, 1 + data[0] * 3, 200};
    TextView* view = NewTextView(AsDevice(&device), &area, &font, 4);
    if (!view) std::abort();

    uint16_t offset = 0;
    ParagraphRecord record{};
    while (NextParagraph(text, offset, record))
        if (size_t{record.textOffset} + record.textLength > length + 1) std::abort();

    BannerLine first{}, second{};
    FindBannerLines(text, &first, &second);

    if (LayoutText(view, text, true) == kLayoutDone) {
        for (const LineItem* line = view->lineItems; line->style; ++line) {
            if (size_t{line->offset} + line->count > length) std::abort();
            const LineParts parts = SplitLine(text, *line);
            if (size_t{parts.hangStart} + parts.hangCount > length) std::abort();
        }
        if (view->maxTopRow > view->rowCount) std::abort();
        FindRowOfOffset(view, static_cast<uint16_t>(length / 2));
    } else {
        std::free(text);  // a refused text stays with its caller
    }
    FreeTextView(view, true);
    if (device.fontsCreated != device.fontsDeleted) std::abort();
    return 0;
}
