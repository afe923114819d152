// Search benchmark: a full cycle over every lesson that finds nothing (each
// record decompressed and scanned once, as the reader's Search Again does)
// against decompressing every record alone, on the packed book. Prints both
// times and their ratio; fails when a cycle costs more than twice the
// decompression or the pattern is found. "--quick" measures fewer rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <malloc.h>
#include <string>
#include <vector>

#include "book_days.h"
#include "lessons/lesson_scan.h"
#include "lessons/lesson_search.h"
#include "lessons/lesson_store.h"

namespace {

struct Book {
    std::vector<uint8_t> containers[15];
    long loads = 0;
};

uint8_t* LoadFromBook(uint16_t key, size_t* size, void* context)
{
    auto* book = static_cast<Book*>(context);
    int resource = 0, index = 0;
    if (!LessonLocation(key, &resource, &index) || resource < 1001 || resource > 1014) return nullptr;
    const std::vector<uint8_t>& container = book->containers[resource - 1000];
    uint8_t* text = FindDayRecord(container.data(), container.size(), index, nullptr);
    if (!text) return nullptr;
    // The block's own size, as the reader takes it from the Windows heap.
    *size = malloc_usable_size(text);
    ++book->loads;
    return text;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// One full cycle from the first day, shown as the reader shows it: its
// lesson loaded, then searched (from the start, and again at the end of the
// circle as the reader does) or only decompressed with all the others.
bool Cycle(Book& book, bool search, const char* pattern)
{
    size_t shownSize = 0;
    uint8_t* shown = LoadFromBook(0x0101, &shownSize, &book);
    bool found = false;
    if (search) {
        const LessonHit hit = SearchAllLessons(shown, shownSize, 0, 0x0101,
                                               reinterpret_cast<const uint8_t*>(pattern),
                                               std::strlen(pattern), LoadFromBook, &book);
        std::free(hit.text);
        found = hit.hit != 0;
    } else {
        ScanDays(0x0101, [&](uint16_t key) {
            size_t size = 0;
            std::free(LoadFromBook(key, &size, &book));
            return false;
        });
    }
    std::free(shown);
    return found;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    Book book;
    int months = 0;
    for (int month = 1; month <= 14; ++month) {
        std::ifstream in(PackedBookDir() + "/" + std::to_string(1000 + month) + ".bin", std::ios::binary);
        if (!in) continue;
        book.containers[month].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ++months;
    }
    if (months == 0) {
        std::fprintf(stderr, "no packed book in %s\n", PackedBookDir().c_str());
        return 1;
    }
    // Letters in an order no Hebrew word has them, ending in a common letter.
    const char* pattern = "zqzqe";
    const int rounds = quick ? 20 : 200;
    double searched = 1e9, decoded = 1e9;
    long days = 0;
    for (int round = 0; round < rounds; ++round) {
        // Interleaved, each the best of its rounds: load on the machine
        // touches both alike.
        book.loads = 0;
        auto start = Clock::now();
        if (Cycle(book, true, pattern)) {
            std::fprintf(stderr, "the pattern \"%s\" is in the book: choose another\n", pattern);
            return 1;
        }
        searched = std::min(searched, Seconds(start));
        days = book.loads;
        start = Clock::now();
        Cycle(book, false, pattern);
        decoded = std::min(decoded, Seconds(start));
    }
    const double ratio = searched / decoded;
    std::printf("%ld days in %d months, best of %d rounds\n", days, months, rounds);
    std::printf("no-hit full cycle: %.3f ms\n", searched * 1000);
    std::printf("decompression alone: %.3f ms\n", decoded * 1000);
    std::printf("ratio: %.2f (goal: at most 2)\n", ratio);
    return ratio <= 2.0 ? 0 : 1;
}
