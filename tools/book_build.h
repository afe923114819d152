// Turning the book's source files into the fourteen lesson containers, with
// every problem found on the way. `check` reports the problems, `pack` writes
// the containers only when there are none.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "book_months.h"
#include "book_source.h"
#include "day_text.h"
#include "diagnostic.h"

using Compressor = std::vector<uint8_t> (*)(std::span<const uint8_t>);

struct BuiltDay {
    int day = 0;
    std::vector<uint8_t> text;   // the day's lesson text (decompressed form)
    std::vector<uint8_t> codes;  // its compressed form
};

struct BuiltMonth {
    const LessonMonth* month = nullptr;
    std::string sourcePath;
    bool present = false;          // the source file exists
    std::vector<BuiltDay> days;    // in day order once the month has no problems
    std::vector<uint8_t> container;
};

struct BuiltBook {
    std::vector<BuiltMonth> months;  // all fourteen, in index order
    std::vector<Diagnostic> problems;
};

// One source paragraph as a stored paragraph: letter code, and display order
// for display-order styles. Returns false after reporting what is wrong.
bool ConvertParagraph(const SourceParagraph& source, const std::string& file, Paragraph& out,
                      std::vector<Diagnostic>& problems);

// Builds one month from its source bytes. Its container is filled only when
// the month has no problems.
BuiltMonth BuildMonth(const LessonMonth& month, std::string_view bytes, const std::string& path,
                      Compressor compress, std::vector<Diagnostic>& problems);

// Reads BOOKDIR/NN-name.txt for every month; a file that does not exist is a
// month not written yet and gets an empty container.
BuiltBook BuildBook(const std::filesystem::path& bookDir, Compressor compress);

// Decodes every record of a built month's container with the program's own
// reader (FindDayRecord, UnCompress) and compares it with the text it came
// from. Returns false with a reason on the first difference.
bool VerifyMonth(const BuiltMonth& month, std::string* error);

// Writes OUTDIR/1001.bin .. 1014.bin, creating OUTDIR when needed.
bool WriteContainers(const BuiltBook& book, const std::filesystem::path& outDir,
                     std::string* error);
