// Lesson texts made for tests.
#include "lesson_bytes.h"

std::vector<uint8_t> LessonBytes(const std::vector<TestRecord>& records)
{
    std::vector<uint8_t> bytes;
    for (const TestRecord& r : records) {
        bytes.push_back(r.style);
        bytes.push_back(r.parameter);
        bytes.insert(bytes.end(), r.text.begin(), r.text.end());
        bytes.push_back(0);
    }
    bytes.insert(bytes.end(), 3, 0);
    return bytes;
}
