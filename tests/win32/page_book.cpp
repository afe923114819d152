// Reading the packed containers for the Win32 page tests.
#include "page_book.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "lessons/lesson_store.h"
#include "test_files.h"
#include "test_paths.h"

std::vector<PackedDay> LoadPackedBook()
{
    std::vector<PackedDay> days;
    if (BookDirPath().empty()) return days;
    for (int month = 1; month <= 14; ++month) {
        std::vector<uint8_t> container;
        if (!ReadWholeFile(BookDirPath() + L"\\" + std::to_wstring(1000 + month) + L".bin", &container))
            continue;
        for (int index = 0;; ++index) {
            uint8_t* text = FindDayRecord(container.data(), container.size(), index, nullptr);
            if (!text) break;
            size_t end = 0;
            while (text[end] != 0) {
                end += 2;
                while (text[end] != 0) ++end;
                ++end;
            }
            PackedDay day{month, index + 1, std::vector<uint8_t>(text, text + end + 1)};
            day.text.insert(day.text.end(), 2, 0);
            days.push_back(std::move(day));
            std::free(text);
        }
    }
    return days;
}

uint8_t* OwnedText(const std::vector<uint8_t>& text)
{
    auto* copy = static_cast<uint8_t*>(std::malloc(text.size()));
    std::memcpy(copy, text.data(), text.size());
    return copy;
}
