// A generated book in the source format: Hebrew-like lesson text of every
// day of every month, for the benchmark and the tests. The same seed always
// gives the same text.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

struct SampleBookOptions {
    uint32_t seed = 1;
    int paragraphsPerDay = 4;   // body paragraphs of the first entry
    int sentencesPerParagraph = 4;
};

// The source file of one month (index 1..14), every day written.
std::string SampleMonthSource(int monthIndex, const SampleBookOptions& options);

// Writes all fourteen month files into `dir` (created when needed).
bool WriteSampleBook(const std::filesystem::path& dir, const SampleBookOptions& options,
                     std::string* error);
