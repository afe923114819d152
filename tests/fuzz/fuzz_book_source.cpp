// Fuzzes the book packer with arbitrary month source bytes: whatever a source
// file holds, parsing, checking and packing never read or write outside their
// buffers, and a month packed without problems reads back through the
// program's own decoder as exactly the text it was packed from.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "book_build.h"
#include "book_months.h"
#include "lz77_compress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the month (so that day counts 29 and 30 are both
    // reached) and the compressor; the rest is the file.
    if (size < 1) return 0;
    const LessonMonth* month = LessonMonthOf(1 + (data[0] & 0x7F) % kLessonMonthCount);
    const Compressor compress = (data[0] & 0x80) ? CompressGreedy : CompressOptimal;
    if (!month) std::abort();
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<Diagnostic> problems;
    const BuiltMonth built = BuildMonth(*month, bytes, "fuzz.txt", compress, problems);
    if (problems.empty() != !built.container.empty()) {
        std::fprintf(stderr, "container %s although %zu problems\n",
                     built.container.empty() ? "missing" : "written", problems.size());
        std::abort();
    }
    if (!built.container.empty()) {
        std::string error;
        if (!VerifyMonth(built, &error)) {
            std::fprintf(stderr, "packed month does not read back: %s\n", error.c_str());
            std::abort();
        }
    }
    return 0;
}
