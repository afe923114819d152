// book_bench: how much the optimal parse saves over a plain greedy parse on
// a book folder (or on a generated book), in text and container bytes.
//
//   book_bench BOOKDIR [--require-gain]
//   book_bench --generate DIR [--require-gain]
//
// With --require-gain the exit status is 1 unless the optimal containers are
// smaller than the greedy ones.
#include <chrono>
#include <cstdio>
#include <string>

#include "book_build.h"
#include "lz77_compress.h"
#include "sample_book.h"

namespace {

struct Figures {
    size_t days = 0;
    size_t textBytes = 0;
    size_t codeBytes = 0;
    size_t containerBytes = 0;
    double seconds = 0;
    size_t problems = 0;
};

Figures Measure(const std::filesystem::path& dir, Compressor compress)
{
    Figures f;
    const auto start = std::chrono::steady_clock::now();
    const BuiltBook book = BuildBook(dir, compress);
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.problems = book.problems.size();
    for (const BuiltMonth& month : book.months) {
        f.containerBytes += month.container.size();
        for (const BuiltDay& day : month.days) {
            ++f.days;
            f.textBytes += day.text.size();
            f.codeBytes += day.codes.size();
        }
    }
    return f;
}

void Print(const char* name, const Figures& f)
{
    std::printf("%-8s %8zu text bytes  %8zu code bytes  %8zu container bytes  ratio %.4f  %.2f s\n",
                name, f.textBytes, f.codeBytes, f.containerBytes,
                f.textBytes ? static_cast<double>(f.containerBytes) / f.textBytes : 0.0, f.seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dir;
    bool generate = false, requireGain = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--generate") generate = true;
        else if (a == "--require-gain") requireGain = true;
        else if (dir.empty()) dir = a;
        else dir.clear(), i = argc;
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: book_bench [--generate] DIR [--require-gain]\n");
        return 2;
    }
    if (generate) {
        std::string error;
        if (!WriteSampleBook(dir, SampleBookOptions{}, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }
    const Figures optimal = Measure(dir, CompressOptimal);
    const Figures greedy = Measure(dir, CompressGreedy);
    if (optimal.problems || greedy.problems) {
        std::fprintf(stderr, "%s: %zu problems; run lumora-book check\n", dir.c_str(), optimal.problems);
        return 1;
    }
    std::printf("book %s: %zu days\n", dir.c_str(), optimal.days);
    Print("optimal", optimal);
    Print("greedy", greedy);
    const long saved = static_cast<long>(greedy.containerBytes) - static_cast<long>(optimal.containerBytes);
    std::printf("optimal saves %ld container bytes (%.2f %% of greedy)\n", saved,
                greedy.containerBytes ? 100.0 * saved / greedy.containerBytes : 0.0);
    if (requireGain && optimal.containerBytes >= greedy.containerBytes) {
        std::fprintf(stderr, "the optimal parse is not smaller than the greedy parse\n");
        return 1;
    }
    return 0;
}
