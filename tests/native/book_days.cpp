// Reading the packed book's containers with the program's own lookup.
#include "book_days.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "lessons/lesson_store.h"

std::string PackedBookDir()
{
    if (const char* dir = std::getenv("LUMORA_BOOK_DIR")) return dir;
    return LUMORA_PACKED_BOOK_DIR;
}

std::string BookSourceDir()
{
    return LUMORA_BOOK_SOURCE_DIR;
}

std::array<int, 15> WrittenDays()
{
    std::array<int, 15> days{};
    namespace fs = std::filesystem;
    std::error_code failed;
    for (const fs::directory_entry& entry : fs::directory_iterator(BookSourceDir(), failed)) {
        const std::string name = entry.path().filename().string();
        // Month files are named by their index: "07-tishri.txt".
        if (name.size() < 7 || name.substr(name.size() - 4) != ".txt" || name[2] != '-') continue;
        const int month = std::atoi(name.substr(0, 2).c_str());
        if (month < 1 || month > 14) continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("@day ", 0) == 0) ++days[month];
    }
    return days;
}

std::vector<BookDay> LoadBookMonth(int month, bool* found, std::string* error)
{
    std::vector<BookDay> days;
    const std::string path = PackedBookDir() + "/" + std::to_string(1000 + month) + ".bin";
    std::ifstream in(path, std::ios::binary);
    *found = bool(in);
    if (!in) return days;
    const std::vector<uint8_t> container((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    for (int index = 0;; ++index) {
        int reason = 0;
        uint8_t* text = FindDayRecord(container.data(), container.size(), index, &reason);
        if (!text) {
            if (reason != kLessonNoRecord)
                *error = path + " record " + std::to_string(index) + ": reason " + std::to_string(reason);
            break;
        }
        size_t end = 0;
        while (text[end] != 0) {
            end += 2;
            while (text[end] != 0) ++end;
            ++end;
        }
        BookDay day{month, index + 1, std::vector<uint8_t>(text, text + end + 1)};
        day.text.insert(day.text.end(), 2, 0);
        days.push_back(std::move(day));
        std::free(text);
    }
    return days;
}
