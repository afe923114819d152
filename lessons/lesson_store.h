// The lesson containers: a big-endian list of separately compressed day
// records per lesson month, and the decompression of one record.
#pragma once
#include <cstddef>
#include <cstdint>

// Why a lookup returned nothing.
enum LessonFailure : int {
    kLessonNoResource = 1,    // no resource with the identifier
    kLessonNotLoaded = 2,     // resource empty or not loadable, or no memory
    kLessonNoRecord = 3,      // record index beyond the records
    kLessonEmptyRecord = 4,   // the record's decompressed length is 0
    kLessonBadData = 5,       // decoding did not come out at the stated length
};

// Resource identifiers of the lesson containers: 1000 + lesson month index.
constexpr int kFirstLessonResource = 1001;
constexpr int kLastLessonResource = 1014;
constexpr int kContainerHeaderSize = 6;
constexpr int kRecordHeaderSize = 4;

// One compressed day record as found in a container.
struct DayRecord {
    const uint8_t* data;    // compressed bytes
    uint16_t compressedLength;
    uint16_t decodedLength;
};

// Called when a record decodes to a length other than the one it states;
// the Windows build shows a message box, the host build does nothing.
void ReportDecompressionError();

// Zero bytes after every decompressed lesson text. A walk over paragraph
// records reads at most the style, parameter and terminator bytes past the
// last text byte, so three zeros end it inside the buffer even when the text
// itself ends in the middle of a record (a damaged container).
constexpr size_t kLessonPadding = 3;

// Decompresses one record into a new buffer of decodedLength + 3 bytes (the
// text and three zeros after it), owned by the caller (release with free()).
// Returns nullptr and stores the reason when `reason` is given.
uint8_t* UnCompress(const DayRecord& record, int* reason);

// Walks a container (its bytes and total size) to record `recordIndex` and
// decompresses it. Never reads outside the `size` bytes given.
uint8_t* FindDayRecord(const uint8_t* container, size_t size, int recordIndex, int* reason);

// Resource identifier and record index named by a lesson key (key - 1:
// high byte + 1000, low byte). Returns false for key 0.
bool LessonLocation(int32_t key, int* resourceId, int* recordIndex);

// The lesson text of a key from the resources of the program's module
// (g_app.instance); platform code.
uint8_t* LoadLesson(int32_t key, int* reason);
