// Lesson texts made for tests, in both builds: records written out as the
// lesson text format stores them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TestRecord {
    uint8_t style;
    uint8_t parameter;
    std::string text;  // letter-coded bytes
};

// Records, the end marker and two more zero bytes, as stored lessons end.
std::vector<uint8_t> LessonBytes(const std::vector<TestRecord>& records);
