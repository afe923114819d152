// The packed book for the page tests and the layout benchmark: every day's
// lesson text, and how many days each month's source holds.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct BookDay {
    int month;  // lesson month index 1..14
    int day;    // 1..30
    std::vector<uint8_t> text;  // the records, the end marker and two zero bytes
};

// Where the packed containers are (LUMORA_BOOK_DIR, else where the test run
// packs them) and where the book's sources are.
std::string PackedBookDir();
std::string BookSourceDir();

// Days written in each month's source file by lesson month index; 0 for a
// month whose file is absent.
std::array<int, 15> WrittenDays();

// The days of one packed month. `found` tells whether its container exists;
// `error` names a record that could not be read, if any.
std::vector<BookDay> LoadBookMonth(int month, bool* found, std::string* error);
