// Source to containers: conversion, day sequence, limits, verification.
#include "book_build.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include "bidi_order.h"
#include "container_write.h"
#include "lessons/lesson_store.h"
#include "page/letter_code.h"
#include "utf8.h"

namespace {

std::string WhyNotStorable(char32_t c)
{
    std::string message = "character " + DescribeCharacter(c) + " cannot be stored";
    if (c >= U'a' && c <= U'z') return message + ": Latin lowercase would read back as a Hebrew letter";
    if (c == U'~') return message + ": it would read back as '{'";
    if (c >= 0x591 && c <= 0x5C7) return message + ": the book carries no vowel points or accents";
    return message + " in the letter code";
}

// Reports missing, extra, repeated and out-of-order days. Returns true when
// the days are exactly 1..month.days in order.
bool CheckDaySequence(const MonthSource& source, const LessonMonth& month, const std::string& file,
                      std::vector<Diagnostic>& problems)
{
    const size_t before = problems.size();
    std::vector<const SourceDay*> seen(month.days + 1, nullptr);
    int highest = 0;
    for (const SourceDay& day : source.days) {
        if (day.day > month.days) {
            problems.push_back({file, day.at,
                                "day " + std::to_string(day.day) + " is beyond the " +
                                    std::to_string(month.days) + " days of " + month.name});
        } else if (seen[day.day]) {
            problems.push_back({file, day.at,
                                "day " + std::to_string(day.day) + " again (first at line " +
                                    std::to_string(seen[day.day]->at.line) + ")"});
        } else {
            if (day.day < highest)
                problems.push_back({file, day.at,
                                    "day " + std::to_string(day.day) + " comes after day " +
                                        std::to_string(highest)});
            seen[day.day] = &day;
        }
        if (day.day > highest) highest = day.day;
    }
    for (int n = 1; n <= month.days; ++n) {
        if (seen[n]) continue;
        // Named where it would have gone: at the first later day written,
        // or at the end of the file.
        SourcePosition at{std::max(source.lineCount, 1), 1};
        for (const SourceDay& day : source.days)
            if (day.day > n) {
                at = day.at;
                break;
            }
        problems.push_back({file, at, "day " + std::to_string(n) + " is missing"});
    }
    return problems.size() == before;
}

bool ReadFile(const std::filesystem::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

bool ConvertParagraph(const SourceParagraph& source, const std::string& file, Paragraph& out,
                      std::vector<Diagnostic>& problems)
{
    out = Paragraph{source.style, source.parameter, {}};
    bool good = true;
    std::vector<uint8_t> reading;
    reading.reserve(source.text.size());
    for (size_t i = 0; i < source.text.size(); ++i) {
        const int byte = LetterByteFromUnicode(source.text[i]);
        if (byte < 0) {
            problems.push_back({file, source.where[i], WhyNotStorable(source.text[i])});
            good = false;
            continue;
        }
        reading.push_back(static_cast<uint8_t>(byte));
    }
    if (!good) return false;
    if (!IsDisplayOrderStyle(source.style)) {
        out.text = std::move(reading);
        return true;
    }

    // Reordered is the text as the program will read it back, so geresh,
    // gershayim and maqaf take part as the ASCII marks they are stored as.
    std::u32string stored;
    stored.reserve(reading.size());
    for (uint8_t b : reading) stored.push_back(DisplayUnit(b, kUnicodeLetterBase));
    size_t difference = 0;
    if (!ReorderIsReversible(stored, &difference)) {
        const std::u32string back = ReorderRightToLeft(ReorderRightToLeft(stored));
        problems.push_back({file, source.where[difference],
                            "this paragraph's right-to-left order cannot be undone exactly; "
                            "it would read back as: " + EncodeUtf8(back)});
        return false;
    }
    for (char32_t c : ReorderRightToLeft(stored)) {
        const int byte = LetterByteFromUnicode(c);
        if (byte < 0) {
            // Mirroring maps ASCII brackets onto ASCII brackets, so this
            // stays out of reach unless FriBidi changes its tables.
            problems.push_back({file, source.start,
                                "reordering gave " + DescribeCharacter(c) +
                                    ", which the letter code cannot carry"});
            return false;
        }
        out.text.push_back(static_cast<uint8_t>(byte));
    }
    return true;
}

BuiltMonth BuildMonth(const LessonMonth& month, std::string_view bytes, const std::string& path,
                      Compressor compress, std::vector<Diagnostic>& problems)
{
    BuiltMonth built;
    built.month = &month;
    built.sourcePath = path;
    built.present = true;
    const size_t before = problems.size();
    const MonthSource source = ParseMonthSource(bytes, path, problems);
    const bool inOrder = CheckDaySequence(source, month, path, problems);

    std::vector<BuiltDay> days;
    std::vector<SourcePosition> dayPlaces;
    for (const SourceDay& day : source.days) {
        if (day.paragraphs.empty()) {
            problems.push_back({path, day.at, "day " + std::to_string(day.day) + " is empty"});
            continue;
        }
        std::vector<Paragraph> paragraphs(day.paragraphs.size());
        bool good = true;
        for (size_t i = 0; i < day.paragraphs.size(); ++i)
            good = ConvertParagraph(day.paragraphs[i], path, paragraphs[i], problems) && good;
        if (!good) continue;
        BuiltDay out;
        out.day = day.day;
        out.text = EncodeDayText(paragraphs);
        if (out.text.size() > kMaxField) {
            problems.push_back({path, day.at,
                                "day " + std::to_string(day.day) + " holds " +
                                    std::to_string(out.text.size()) +
                                    " bytes of lesson text, more than the 65535 a record can"});
            continue;
        }
        out.codes = compress(out.text);
        if (out.codes.size() > kMaxField) {
            problems.push_back({path, day.at,
                                "day " + std::to_string(day.day) + " compresses to " +
                                    std::to_string(out.codes.size()) +
                                    " bytes, more than the 65535 a record can"});
            continue;
        }
        days.push_back(std::move(out));
        dayPlaces.push_back(day.at);
    }

    if (inOrder && days.size() == static_cast<size_t>(month.days)) {
        // The whole month shares one 16-bit container length; name the day
        // that takes it over the limit.
        size_t length = kContainerTerminator;
        for (size_t i = 0; i < days.size(); ++i) {
            length += kRecordHeaderSize + days[i].codes.size();
            if (length > kMaxField) {
                problems.push_back({path, dayPlaces[i],
                                    "with day " + std::to_string(days[i].day) + " the " +
                                        month.name + " container grows past 65535 bytes"});
                break;
            }
        }
    }
    if (problems.size() != before) return built;

    built.days = std::move(days);
    std::vector<CompressedDay> records;
    for (const BuiltDay& day : built.days) records.push_back({day.text.size(), day.codes});
    std::string error;
    if (!BuildContainer(records, built.container, &error))
        problems.push_back({path, {1, 1}, error});
    return built;
}

BuiltBook BuildBook(const std::filesystem::path& bookDir, Compressor compress)
{
    BuiltBook book;
    for (int index = 1; index <= kLessonMonthCount; ++index) {
        const LessonMonth& month = *LessonMonthOf(index);
        const std::filesystem::path path = bookDir / month.fileName;
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) {
            // Not written yet: a month without days.
            BuiltMonth empty;
            empty.month = &month;
            empty.sourcePath = path.string();
            BuildContainer({}, empty.container, nullptr);
            book.months.push_back(std::move(empty));
            continue;
        }
        std::string bytes;
        if (!ReadFile(path, bytes)) {
            book.problems.push_back({path.string(), {1, 1}, "cannot read the file"});
            BuiltMonth unread;
            unread.month = &month;
            unread.sourcePath = path.string();
            unread.present = true;
            book.months.push_back(std::move(unread));
            continue;
        }
        const size_t first = book.problems.size();
        book.months.push_back(BuildMonth(month, bytes, path.string(), compress, book.problems));
        // Problems are found pass by pass; they read best in file order.
        std::stable_sort(book.problems.begin() + static_cast<std::ptrdiff_t>(first), book.problems.end(),
                         [](const Diagnostic& a, const Diagnostic& b) {
                             return a.at.line != b.at.line ? a.at.line < b.at.line
                                                           : a.at.column < b.at.column;
                         });
    }
    return book;
}

bool VerifyMonth(const BuiltMonth& month, std::string* error)
{
    auto fail = [&](std::string why) {
        if (error) *error = std::string(month.month ? month.month->name : "?") + ": " + why;
        return false;
    };
    const std::vector<uint8_t>& c = month.container;
    if (c.size() < kContainerHeaderSize + kContainerTerminator) return fail("container too short");
    if ((size_t{c[4]} << 8 | c[5]) != month.days.size()) return fail("wrong record count");
    for (size_t i = 0; i < month.days.size(); ++i) {
        int reason = 0;
        std::unique_ptr<uint8_t, decltype(&std::free)> text(
            FindDayRecord(c.data(), c.size(), static_cast<int>(i), &reason), &std::free);
        const std::vector<uint8_t>& want = month.days[i].text;
        if (!text) return fail("day " + std::to_string(i + 1) + " does not decode (reason " +
                               std::to_string(reason) + ")");
        if (!std::equal(want.begin(), want.end(), text.get()))
            return fail("day " + std::to_string(i + 1) + " decodes differently");
    }
    // Nothing may follow the last record but the terminator.
    int reason = 0;
    uint8_t* extra = FindDayRecord(c.data(), c.size(), static_cast<int>(month.days.size()), &reason);
    if (extra) {
        std::free(extra);
        return fail("a record after the last day");
    }
    return true;
}

bool WriteContainers(const BuiltBook& book, const std::filesystem::path& outDir,
                     std::string* error)
{
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        if (error) *error = "cannot create " + outDir.string() + ": " + ec.message();
        return false;
    }
    for (const BuiltMonth& month : book.months) {
        const std::filesystem::path path = outDir / ContainerFileName(month.month->index);
        // Written beside and renamed, so a failed write leaves no half file.
        const std::filesystem::path temporary = path.string() + ".part";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(month.container.data()),
                      static_cast<std::streamsize>(month.container.size()));
            if (!out.flush()) {
                if (error) *error = "cannot write " + temporary.string();
                return false;
            }
        }
        std::filesystem::rename(temporary, path, ec);
        if (ec) {
            if (error) *error = "cannot write " + path.string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}
