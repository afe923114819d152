// The packed book's days for the Win32 page tests, read from the container
// files with the program's own lookup.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

struct PackedDay {
    int month;
    int day;
    std::vector<uint8_t> text;  // records, end marker, two more zero bytes
};

// Every day of every container in BookDirPath(); none when the folder or
// the containers are missing or empty.
std::vector<PackedDay> LoadPackedBook();

// A copy of a lesson text from the standard allocator, for LayoutText.
uint8_t* OwnedText(const std::vector<uint8_t>& text);
