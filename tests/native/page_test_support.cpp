// Test texts and views for the page tests.
#include "page_test_support.h"

#include <cstdlib>
#include <cstring>

#include "page/letter_code.h"
#include "shell/app_state.h"

uint8_t* OwnedCopy(const std::vector<uint8_t>& bytes)
{
    auto* copy = static_cast<uint8_t*>(std::malloc(bytes.size() + 2));
    std::memcpy(copy, bytes.data(), bytes.size());
    copy[bytes.size()] = copy[bytes.size() + 1] = 0;
    return copy;
}

uint8_t* OwnedLesson(const std::vector<TestRecord>& records)
{
    return OwnedCopy(LessonBytes(records));
}

void PageTest::SetUp()
{
    g_app = AppState{};
    g_app.font.letterBase = kUnicodeLetterBase;
    g_app.gutter = 10;
}

void PageTest::TearDown()
{
    FreeTextView(view, true);
    view = nullptr;
    EXPECT_EQ(device.fontsCreated, device.fontsDeleted) << "every font made is deleted";
}

TextView* PageTest::MakeView(int32_t width, int32_t height, int32_t size, int32_t left, int32_t top)
{
    FreeTextView(view, true);
    FontRecord font{};
    font.size = size;
    font.letterBase = kUnicodeLetterBase;
    const ViewRect area{left, top, left + width, top + height};
    view = NewTextView(AsDevice(&device), &area, &font, 100);
    return view;
}

int32_t PageTest::Lay(const std::vector<TestRecord>& records)
{
    uint8_t* text = OwnedLesson(records);
    const int32_t result = LayoutText(view, text, true);
    if (result != kLayoutDone) std::free(text);
    return result;
}

std::vector<LineItem> PageTest::Lines() const
{
    std::vector<LineItem> lines;
    for (const LineItem* line = view->lineItems; line && line->style; ++line) lines.push_back(*line);
    EXPECT_EQ(lines.size(), view->itemCount);
    return lines;
}

std::string PageTest::Bytes(const LineItem& line) const
{
    return std::string(reinterpret_cast<const char*>(view->text) + line.offset, line.count);
}
