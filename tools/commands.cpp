// Command implementations and the command line.
#include "commands.h"

#include <fstream>
#include <iterator>
#include <ostream>

#include "book_build.h"
#include "book_date.h"
#include "book_dump.h"
#include "book_months.h"
#include "calendar/hebrew_calendar.h"
#include "lz77_compress.h"

namespace {

constexpr const char* kUsage =
    "usage: lumora-book pack BOOKDIR OUTDIR     pack the book into 1001.bin .. 1014.bin\n"
    "       lumora-book check BOOKDIR           report every problem as FILE:LINE:COLUMN\n"
    "       lumora-book dump DIR [MONTH [DAY]]  containers back as book source\n"
    "       lumora-book date [YYYY-MM-DD]       Hebrew date and lesson key (default today)\n";

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

void PrintProblems(const std::vector<Diagnostic>& problems, std::ostream& to)
{
    for (const Diagnostic& d : problems) to << FormatDiagnostic(d) << "\n";
}

std::string Plural(size_t n, const char* word)
{
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// A decimal argument in [low, high], or -1.
int NumberArgument(const std::string& text, int low, int high)
{
    if (text.empty() || text.size() > 3) return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high ? value : -1;
}

bool ReadBytes(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int CheckCommand(const std::filesystem::path& bookDir, std::ostream& out, std::ostream& err)
{
    if (!IsFolder(bookDir)) {
        err << bookDir.string() << ": no such folder\n";
        return 2;
    }
    const BuiltBook book = BuildBook(bookDir, CompressOptimal);
    PrintProblems(book.problems, out);
    if (!book.problems.empty()) {
        out << Plural(book.problems.size(), "problem") << "\n";
        return 1;
    }
    size_t written = 0, days = 0;
    for (const BuiltMonth& m : book.months) {
        written += m.present;
        days += m.days.size();
    }
    out << "no problems: " << written << " of " << kLessonMonthCount << " months written, "
        << Plural(days, "day") << "\n";
    return 0;
}

int PackCommand(const std::filesystem::path& bookDir, const std::filesystem::path& outDir,
                std::ostream& out, std::ostream& err)
{
    if (!IsFolder(bookDir)) {
        err << bookDir.string() << ": no such folder\n";
        return 2;
    }
    const BuiltBook book = BuildBook(bookDir, CompressOptimal);
    if (!book.problems.empty()) {
        PrintProblems(book.problems, err);
        err << Plural(book.problems.size(), "problem") << "; nothing written\n";
        return 1;
    }
    size_t days = 0, textBytes = 0, containerBytes = 0;
    for (const BuiltMonth& month : book.months) {
        std::string error;
        if (!VerifyMonth(month, &error)) {
            err << "a packed record does not decode back: " << error << "; nothing written\n";
            return 1;
        }
        days += month.days.size();
        for (const BuiltDay& day : month.days) textBytes += day.text.size();
        containerBytes += month.container.size();
    }
    std::string error;
    if (!WriteContainers(book, outDir, &error)) {
        err << error << "\n";
        return 1;
    }
    out << "wrote " << kLessonMonthCount << " containers to " << outDir.string() << ": "
        << Plural(days, "day") << ", " << textBytes << " text bytes in " << containerBytes
        << " container bytes\n";
    return 0;
}

int DumpCommand(const std::filesystem::path& containerDir, int month, int day, std::ostream& out,
                std::ostream& err)
{
    int status = 0;
    const int first = month ? month : 1, last = month ? month : kLessonMonthCount;
    for (int index = first; index <= last; ++index) {
        const LessonMonth& m = *LessonMonthOf(index);
        const std::filesystem::path path = containerDir / ContainerFileName(index);
        std::vector<uint8_t> container;
        if (!ReadBytes(path, container)) {
            err << path.string() << ": cannot read\n";
            status = 1;
            continue;
        }
        std::vector<std::vector<uint8_t>> days;
        std::string error;
        if (!ReadContainerDays(container, days, &error)) {
            err << path.string() << ": " << error << "\n";
            status = 1;
            continue;
        }
        if (day && day > static_cast<int>(days.size())) {
            err << path.string() << ": " << m.name << " has no day " << day << " ("
                << Plural(days.size(), "day") << ")\n";
            return 1;
        }
        // A month's dump is a source file of its own: the comment names it.
        if (!day) {
            out << "# " << m.fileName << ": " << m.name << ", from " << ContainerFileName(index);
            // An existing file must hold every day, so a month not written
            // yet is kept by having no file.
            out << (days.empty() ? " (no days: leave the file out)\n" : "\n");
        }
        for (size_t i = 0; i < days.size(); ++i) {
            if (day && static_cast<int>(i) + 1 != day) continue;
            std::vector<Paragraph> paragraphs;
            if (!DecodeDayText(days[i], paragraphs, &error)) {
                err << path.string() << ": day " << i + 1 << ": " << error << "\n";
                status = 1;
                continue;
            }
            std::vector<std::string> warnings;
            if (!day) out << "\n";
            out << DaySource(static_cast<int>(i) + 1, paragraphs, warnings);
            for (const std::string& w : warnings) {
                err << path.string() << ": " << w << "\n";
                status = 1;
            }
        }
        if (!month && index != last) out << "\n";
    }
    return status;
}

int DateCommand(const std::string& date, std::ostream& out, std::ostream& err)
{
    CalendarDate gregorian{};
    if (date.empty()) {
        gregorian = TodayGregorian();
    } else if (const auto parsed = ParseIsoDate(date)) {
        gregorian = *parsed;
    } else {
        err << "date: '" << date << "' is not a date written YYYY-MM-DD\n";
        return 2;
    }
    out << DateReport(gregorian);
    return 0;
}

int RunBookTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::string command = args.empty() ? "" : args[0];
    const size_t n = args.size();
    if (command == "pack" && n == 3) return PackCommand(args[1], args[2], out, err);
    if (command == "check" && n == 2) return CheckCommand(args[1], out, err);
    if (command == "date" && n <= 2) return DateCommand(n == 2 ? args[1] : "", out, err);
    if (command == "dump" && n >= 2 && n <= 4) {
        const int month = n >= 3 ? NumberArgument(args[2], 1, kLessonMonthCount) : 0;
        if (month < 0) {
            err << "dump: MONTH is a lesson month index from 1 to 14\n";
            return 2;
        }
        const int day = n == 4 ? NumberArgument(args[3], 1, LessonMonthOf(month)->days) : 0;
        if (day < 0) {
            err << "dump: DAY is from 1 to " << LessonMonthOf(month)->days << "\n";
            return 2;
        }
        return DumpCommand(args[1], month, day, out, err);
    }
    err << kUsage;
    return 2;
}
