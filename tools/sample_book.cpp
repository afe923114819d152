// Generated lesson text: words drawn with a skewed frequency, as in real
// prose, so that the compressor meets repeats near and far.
#include "sample_book.h"

#include <fstream>
#include <vector>

#include "book_months.h"

namespace {

// xorshift32: the same sequence from every standard library.
struct Random {
    uint32_t state;
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    size_t Below(size_t n) { return Next() % n; }
    // Small indexes far more often than large ones.
    size_t Skewed(size_t n)
    {
        const size_t a = Below(n), b = Below(n);
        return a < b ? a : b;
    }
};

const char* const kWords[] = {
    "של", "את", "על", "הוא", "לא", "כי", "אשר", "זה", "כל", "גם", "אבל", "היה", "אל", "מה",
    "יש", "אם", "רק", "עוד", "כך", "בין", "לפני", "אחרי", "היום", "האדם", "הלב", "הנר",
    "האור", "החושך", "התורה", "המצוה", "השבת", "הדרך", "העולם", "החיים", "הבית", "המשפחה",
    "השמחה", "האמונה", "התפילה", "הברכה", "הזמן", "המקום", "העם", "הארץ", "ירושלים", "בית",
    "אור", "לב", "נר", "דבר", "מעשה", "טוב", "גדול", "קטן", "חדש", "ישן", "אחד", "שני",
    "שלישי", "רביעי", "אומר", "אמרו", "כתוב", "למד", "לומד", "מלמד", "עושה", "הולך", "בא",
    "רואה", "שומע", "יודע", "מבין", "זוכר", "שוכח", "מדליק", "מוסיף", "מאיר", "מראה",
    "חכמים", "רבותינו", "הנביא", "המלך", "דוד", "משה", "אברהם", "יעקב", "שלמה", "רחל",
    "חסד", "אמת", "שלום", "צדקה", "ענוה", "גבורה", "תשובה", "קדושה", "חנוכה", "פסח",
    "סוכות", "פורים", "ראש", "השנה", "יום", "לילה", "בוקר", "ערב", "שבוע", "חודש", "שנה",
    "ולכן", "כאשר", "משום", "אפילו", "דווקא", "תמיד", "לעולם", "ביותר", "מאד", "הרבה",
    "מעט", "כמו", "בתוך", "לפי", "ללמוד", "לעשות", "לתת", "לקבל", "לשמוח", "להודות",
};
const char* const kSources[] = {"משלי", "תהלים", "ישעיהו", "בראשית", "שמות", "דברים", "קהלת"};
const char* const kLetters[] = {"א", "ב", "ג", "ד", "ה", "ו", "ז", "ח", "ט"};
const char* const kTens[] = {"", "י", "כ", "ל"};
const char* const kHebrewMonths[] = {"ניסן", "אייר", "סיון", "תמוז", "אב",  "אלול", "תשרי",
                                     "חשון", "כסלו", "טבת",  "שבט",  "אדר א", "אדר ב", "אדר"};

// A Hebrew numeral 1..39 with geresh or gershayim: א', ט"ו, כ"ז.
std::string Numeral(int n)
{
    std::string tens = kTens[n / 10];
    std::string units = n % 10 ? kLetters[n % 10 - 1] : "";
    if (n == 15) tens = "ט", units = "ו";
    if (n == 16) tens = "ט", units = "ז";
    if (tens.empty() || units.empty()) return tens + units + "'";
    return tens + "\"" + units;
}

std::string Sentence(Random& random)
{
    std::string out;
    const size_t words = 5 + random.Below(9);
    for (size_t i = 0; i < words; ++i) {
        if (i) out += random.Below(12) == 0 ? ", " : " ";
        out += kWords[random.Skewed(std::size(kWords))];
    }
    switch (random.Below(10)) {
    case 0:
        out += " (" + std::string(kSources[random.Below(std::size(kSources))]) + " " +
               Numeral(1 + static_cast<int>(random.Below(30))) + ", " +
               Numeral(1 + static_cast<int>(random.Below(20))) + ")";
        break;
    case 1: out += " " + std::to_string(1 + random.Below(613)); break;
    default: break;
    }
    out += random.Below(8) == 0 ? "!" : ".";
    return out;
}

std::string Paragraph(Random& random, int sentences)
{
    std::string out;
    for (int i = 0; i < sentences; ++i) {
        if (i) out += random.Below(3) == 0 ? "\n" : " ";  // some lines wrap
        out += Sentence(random);
    }
    return out + "\n";
}

}  // namespace

std::string SampleMonthSource(int monthIndex, const SampleBookOptions& options)
{
    const LessonMonth* month = LessonMonthOf(monthIndex);
    if (!month) return {};
    Random random{options.seed * 2654435761u + static_cast<uint32_t>(monthIndex) * 40503u + 1};
    std::string out = "# " + std::string(month->name) + ", generated\n\n";
    for (int day = 1; day <= month->days; ++day) {
        out += "@day " + std::to_string(day) + "\n";
        out += "@head " + Numeral(day) + " " + kHebrewMonths[monthIndex - 1] + "\n";
        out += "@head תהלים: " + Numeral(1 + static_cast<int>(random.Below(30))) + "-" +
               Numeral(1 + static_cast<int>(random.Below(30))) + "\n";
        out += "@head " + std::string(kWords[random.Below(std::size(kWords))]) + " " +
               kWords[random.Below(std::size(kWords))] + "\n";
        out += "@rule\n";
        for (int p = 0; p < options.paragraphsPerDay; ++p) {
            if (p) out += "\n";
            out += Paragraph(random, options.sentencesPerParagraph);
        }
        if (random.Below(3) == 0) {
            out += "\n@rule full\n@head " + std::string(kWords[random.Below(std::size(kWords))]) +
                   "\n" + Paragraph(random, options.sentencesPerParagraph);
        }
        if (random.Below(4) == 0) out += "\n@center שבוע טוב\n@center-bold ושנה טובה\n";
        out += "\n";
    }
    return out;
}

bool WriteSampleBook(const std::filesystem::path& dir, const SampleBookOptions& options,
                     std::string* error)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        if (error) *error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    for (int index = 1; index <= kLessonMonthCount; ++index) {
        const std::filesystem::path path = dir / LessonMonthOf(index)->fileName;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << SampleMonthSource(index, options);
        if (!out.flush()) {
            if (error) *error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}
