// Lesson texts and views for the native page tests: texts built from
// records, views on the fake device.
#pragma once
#include "lesson_bytes.h"
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "book_days.h"
#include "fake_device.h"
#include "page/text_view.h"

// A copy from the standard allocator, for LayoutText to own.
uint8_t* OwnedCopy(const std::vector<uint8_t>& bytes);
uint8_t* OwnedLesson(const std::vector<TestRecord>& records);

// A view on the fake device, released at the end of each test.
class PageTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A view `width` x `height` at (left, top) for a font of `size` points;
    // replaces the one before.
    TextView* MakeView(int32_t width, int32_t height, int32_t size = 12, int32_t left = 0,
                       int32_t top = 0);
    // Lays out a new text, releasing the one before; a refused text is freed.
    int32_t Lay(const std::vector<TestRecord>& records);
    std::vector<LineItem> Lines() const;
    // The stored bytes of a line's main part (reading-order lines).
    std::string Bytes(const LineItem& line) const;

    FakeDevice device{};
    FakeDeviceScope scope;
    TextView* view = nullptr;
};
