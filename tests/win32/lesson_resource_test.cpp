// LoadLesson against the real Lumora.exe, mapped as data: every key of every
// lesson month must give exactly what the packer's container holds, and keys
// outside the book must fail with the reason the caller reports.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lessons/lesson_store.h"
#include "shell/app_state.h"
#include "test_files.h"
#include "test_paths.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Text = std::unique_ptr<uint8_t, decltype(&std::free)>;

uint16_t BigEndian16(const Bytes& b, size_t at)
{
    return static_cast<uint16_t>(b[at] << 8 | b[at + 1]);
}

// Decoded lengths of a container's records, walked here on its own so that
// a fault in the walk under test cannot hide itself.
std::vector<uint16_t> DecodedLengths(const Bytes& container)
{
    std::vector<uint16_t> lengths;
    size_t at = kContainerHeaderSize;
    while (at + kRecordHeaderSize <= container.size()) {
        const uint16_t compressed = BigEndian16(container, at);
        if (compressed == 0) break;
        lengths.push_back(BigEndian16(container, at + 2));
        at += kRecordHeaderSize + compressed;
    }
    return lengths;
}

std::wstring ContainerPath(int month)
{
    return BookDirPath() + L"\\" + std::to_wstring(1000 + month) + L".bin";
}

class LumoraResources : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module_ = LoadLibraryExW(LumoraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
        g_app.instance = nullptr;
    }
    void SetUp() override
    {
        ASSERT_FALSE(LumoraExePath().empty()) << "no Lumora.exe given (--lumora-exe= or LUMORA_EXE)";
        ASSERT_NE(module_, nullptr) << "cannot map " << testing::PrintToString(LumoraExePath())
                                    << " as data, error " << GetLastError();
        g_app.instance = module_;
    }

    static HMODULE module_;
};

HMODULE LumoraResources::module_ = nullptr;

class LessonMonth : public LumoraResources, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        LumoraResources::SetUp();
        ASSERT_FALSE(BookDirPath().empty()) << "no container folder given (--book-dir= or LUMORA_BOOK_DIR)";
        ASSERT_TRUE(ReadWholeFile(ContainerPath(GetParam()), &container_))
            << "cannot read " << testing::PrintToString(ContainerPath(GetParam()));
    }

    Bytes container_;
};

TEST_P(LessonMonth, ResourceIsThePackedContainer)
{
    const int id = 1000 + GetParam();
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), RT_RCDATA);
    ASSERT_NE(found, nullptr) << "no RCDATA " << id;
    const DWORD size = SizeofResource(module_, found);
    ASSERT_EQ(size, container_.size());
    const void* bytes = LockResource(LoadResource(module_, found));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, container_.data(), size), 0);
}

TEST_P(LessonMonth, EveryDayMatchesThePackedContainer)
{
    const int month = GetParam();
    const std::vector<uint16_t> lengths = DecodedLengths(container_);
    ASSERT_LE(lengths.size(), 30u) << "a lesson month has at most 30 days";

    for (int day = 1; day <= 30; ++day) {
        SCOPED_TRACE("month " + std::to_string(month) + " day " + std::to_string(day));
        const int32_t key = month << 8 | day;
        int reason = -1;
        Text got(LoadLesson(key, &reason), &std::free);

        int expectedReason = -1;
        Text expected(FindDayRecord(container_.data(), container_.size(), day - 1, &expectedReason),
                      &std::free);

        if (static_cast<size_t>(day) > lengths.size()) {
            EXPECT_EQ(got, nullptr);
            EXPECT_EQ(reason, kLessonNoRecord);
            continue;
        }
        if (lengths[day - 1] == 0) {
            EXPECT_EQ(got, nullptr);
            EXPECT_EQ(reason, kLessonEmptyRecord);
            continue;
        }
        ASSERT_NE(expected, nullptr) << "the packed record does not decode, reason " << expectedReason;
        ASSERT_NE(got, nullptr) << "reason " << reason;
        EXPECT_EQ(reason, -1) << "a reason stored on success";
        // The text, then the two zero bytes that end it.
        EXPECT_EQ(std::memcmp(got.get(), expected.get(), lengths[day - 1] + 2u), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllMonths, LessonMonth, testing::Range(1, 15),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Month" + std::to_string(info.param);
                         });

TEST_F(LumoraResources, KeysBeyondTheContainersFindNoResource)
{
    int reason = -1;
    EXPECT_EQ(LoadLesson(0x0001, &reason), nullptr);  // resource 1000
    EXPECT_EQ(reason, kLessonNoResource);

    reason = -1;
    EXPECT_EQ(LoadLesson(0x0F01, &reason), nullptr);  // resource 1015
    EXPECT_EQ(reason, kLessonNoResource);
}

TEST_F(LumoraResources, KeyZeroIsNoLessonAndNoFailure)
{
    int reason = -1;
    EXPECT_EQ(LoadLesson(0, &reason), nullptr);
    EXPECT_EQ(reason, -1);
}

}  // namespace
