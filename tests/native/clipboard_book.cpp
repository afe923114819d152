// The real book, parsed and packed with the packer's own code.
#include "clipboard_book.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "book_build.h"
#include "book_months.h"
#include "book_source.h"
#include "page/letter_code.h"

std::u16string ReadingUnits(const std::u32string& source)
{
    std::u16string out;
    for (char32_t c : source)
        out.push_back(DisplayUnit(static_cast<uint8_t>(LetterByteFromUnicode(c)), kUnicodeLetterBase));
    return out;
}

std::vector<BookLesson> LoadBookLessons()
{
    std::vector<BookLesson> lessons;
    for (int index = 1; index <= kLessonMonthCount; ++index) {
        const std::string file = LessonMonthOf(index)->fileName;
        std::ifstream in(std::filesystem::path(LUMORA_BOOK_SOURCE_DIR) / file, std::ios::binary);
        if (!in) continue;  // a month not written yet
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::vector<Diagnostic> problems;
        const MonthSource month = ParseMonthSource(bytes, file, problems);
        for (const SourceDay& day : month.days) {
            BookLesson lesson;
            lesson.name = file + " day " + std::to_string(day.day);
            std::vector<Paragraph> stored;
            for (const SourceParagraph& source : day.paragraphs) {
                Paragraph p;
                if (!ConvertParagraph(source, file, p, problems)) continue;
                lesson.paragraphs.push_back({ReadingUnits(source.text), p});
                stored.push_back(p);
            }
            lesson.text = EncodeDayText(stored);
            lessons.push_back(std::move(lesson));
        }
        for (const Diagnostic& d : problems) ADD_FAILURE() << FormatDiagnostic(d);
    }
    return lessons;
}
