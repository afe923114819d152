// Helpers of the book tool tests: scratch folders and small books written
// for the tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "book_months.h"
#include "page/letter_code.h"

namespace book_test {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumora-book-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
        path_ = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.flush()) << path;
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Join(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

// A complete month as lines: three lines a day ("@day N", a heading and one
// body line), so that day N's lines are 3N-2, 3N-1 and 3N.
inline std::vector<std::string> MonthLines(int days)
{
    std::vector<std::string> lines;
    for (int day = 1; day <= days; ++day) {
        lines.push_back("@day " + std::to_string(day));
        lines.push_back("@head יום " + std::to_string(day));
        lines.push_back("הנר הקטן מראה את הדרך.");
    }
    return lines;
}

inline std::string MonthFile(int index) { return LessonMonthOf(index)->fileName; }

// Letter code of a reading-order or display-order string, for expectations.
inline std::vector<uint8_t> LetterBytes(const std::u32string& text)
{
    std::vector<uint8_t> out;
    for (char32_t c : text) out.push_back(static_cast<uint8_t>(LetterByteFromUnicode(c)));
    return out;
}

}  // namespace book_test
