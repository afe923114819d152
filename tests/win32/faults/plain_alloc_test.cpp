// The standard allocator failing inside parts of the reader that carry on
// without memory and say nothing: letter conversion (no text for the run),
// layout (no view), fonts (the device's own font), the clipboard's reading
// order (the text as stored). The reader keeps running through what a user
// does, shows no message and ends normally. Runs LumoraFaults.exe, told by
// the hardening suite where each part's code lies.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

struct Part {
    const char* name;
    const char* rangesVariable;  // set by the suite from the link map
    bool keepsView;              // whether the page still has a view
};

const Part kParts[] = {
    {"conversion", "LUMORA_CODE_CONVERSION", true},
    {"layout", "LUMORA_CODE_LAYOUT", false},
    {"fonts", "LUMORA_CODE_FONTS", true},
    {"reading_order", "LUMORA_CODE_READING_ORDER", true},
};

std::string Variable(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// Makes the allocations from `ranges` fail in the readers started while it
// lives, and counts them.
class MallocFailure {
public:
    explicit MallocFailure(const std::string& ranges)
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"lmm", 0, log_);
        DeleteFileW(log_);
        SetEnvironmentVariableA("LUMORA_FAIL_MALLOC_IN", ranges.c_str());
        SetEnvironmentVariableW(L"LUMORA_MALLOC_LOG", log_);
    }
    ~MallocFailure()
    {
        SetEnvironmentVariableA("LUMORA_FAIL_MALLOC_IN", nullptr);
        SetEnvironmentVariableW(L"LUMORA_MALLOC_LOG", nullptr);
        DeleteFileW(log_);
    }
    long Failures() const
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        return GetFileAttributesExW(log_, GetFileExInfoStandard, &data) ? long(data.nFileSizeLow) : 0;
    }

private:
    wchar_t log_[MAX_PATH];
};

class PlainAllocation : public ::testing::TestWithParam<Part> {};

TEST_P(PlainAllocation, TheReaderCarriesOnSilently)
{
    const Part& part = GetParam();
    const std::string ranges = Variable(part.rangesVariable);
    ASSERT_FALSE(ranges.empty()) << part.rangesVariable << " is not set";
    Seed(LongDayPinned(2));
    const uint8_t pattern[] = {'a', 0};
    Registry::PutBytes(L"SearchString", pattern, sizeof pattern);

    MallocFailure failure(ranges);
    LumoraProcess lumora;
    HWND window = lumora.StartAndWait();
    ASSERT_NE(window, nullptr);
    lumora.ScrollBar(SB_PAGEDOWN);
    lumora.SendCommand(IDC_NEXT_DAY);
    lumora.SendCommand(IDC_SEARCH_AGAIN);
    lumora.SendCommand(IDC_COPY);
    lumora.SendCommand(IDC_APPEND);
    lumora.Command(IDC_FONT);
    HWND chooser = lumora.WaitForDialog(L"Choose Font");
    ASSERT_NE(chooser, nullptr);
    LumoraProcess::PressButton(chooser, IDCANCEL);
    ASSERT_TRUE(lumora.WaitForDialogGone(L"Choose Font"));
    Screenshot(window, (L"plain-alloc-" + std::wstring(part.name, part.name + strlen(part.name))).c_str());

    EXPECT_GT(failure.Failures(), 0) << "no allocation of this part was made to fail";
    EXPECT_TRUE(lumora.OtherWindows().empty()) << "the reader showed a message";
    EXPECT_EQ(lumora.CloseAndWait(), 0);
    EXPECT_EQ(Registry::Number(L"Flags"), static_cast<long long>(kReadableFlags | kPinnedFlag));
    // Without a view there is no scroll position to store; the earlier one stays.
    if (!part.keepsView) {
        EXPECT_EQ(Registry::Number(L"LastPosition"), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(EachPart, PlainAllocation, ::testing::ValuesIn(kParts),
                         [](const ::testing::TestParamInfo<Part>& info) { return std::string(info.param.name); });

}  // namespace
