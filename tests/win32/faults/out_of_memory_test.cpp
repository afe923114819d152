// Memory running out at each place the reader asks for it through
// AllocOrAbort, reached by what a user does: the user is told once, the reader
// ends with code 0, and the settings are what the exit sequence leaves.
// Runs LumoraFaults.exe, whose allocator fails on request.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "lumora_process.h"
#include "reader_setup.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kMessage[] = L"There is not enough memory, aborting";

struct AllocCall {
    long call = 0;
    unsigned long site = 0;  // return address less the module base
    unsigned long size = 0;
};

std::wstring LogPath()
{
    wchar_t folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"lma", 0, path);
    return path;
}

std::vector<AllocCall> ReadLog(const std::wstring& path)
{
    std::vector<AllocCall> calls;
    if (FILE* f = _wfopen(path.c_str(), L"r")) {
        AllocCall c;
        while (std::fscanf(f, "%ld 0x%lx %lu", &c.call, &c.site, &c.size) == 3) calls.push_back(c);
        std::fclose(f);
    }
    return calls;
}

// Sets the allocator's variables for the processes started while it lives.
class AllocControl {
public:
    explicit AllocControl(long failingCall = 0) : log_(LogPath())
    {
        DeleteFileW(log_.c_str());
        SetEnvironmentVariableW(L"LUMORA_ALLOC_LOG", log_.c_str());
        SetEnvironmentVariableW(L"LUMORA_FAIL_ALLOC",
                                failingCall ? std::to_wstring(failingCall).c_str() : nullptr);
    }
    ~AllocControl()
    {
        SetEnvironmentVariableW(L"LUMORA_ALLOC_LOG", nullptr);
        SetEnvironmentVariableW(L"LUMORA_FAIL_ALLOC", nullptr);
        DeleteFileW(log_.c_str());
    }
    std::vector<AllocCall> Calls() const { return ReadLog(log_); }

private:
    std::wstring log_;
};

// A user action that reaches AllocOrAbort, on a reader whose window is up
// (none: start-up alone). `wait` says whether to wait until it is handled:
// yes on the clean run that finds the calls, no when a call fails (the
// message box then holds the reader inside the action).
struct Scenario {
    const char* name;
    std::function<void(LumoraProcess&, bool wait)> act;
};

void Command(LumoraProcess& lumora, int id, bool wait)
{
    if (wait) lumora.SendCommand(id); else lumora.Command(id);
}

// The reader in a known state, with a search pattern stored so that its
// read allocates too (alef: found at once, by the search scenario).
void SeedReader()
{
    Seed(LongDayPinned(2));
    const uint8_t pattern[] = {'a', 0};
    Registry::PutBytes(L"SearchString", pattern, sizeof pattern);
}

// Every message box the process shows with `caption`, answered with OK, until
// it has ended; the number answered.
int AnswerMessagesUntilExit(LumoraProcess& lumora, std::vector<std::wstring>& texts)
{
    int answered = 0;
    PollUntil([&] {
        if (HWND box = lumora.FindDialog(L"Error")) {
            texts.push_back(LumoraProcess::MessageText(box));
            ++answered;
            LumoraProcess::PressButton(box, IDOK);
            PollUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
        }
        return !lumora.Running();
    }, 20000);
    return answered;
}

void RunScenarioWithEachSiteFailing(const Scenario& scenario)
{
    // A clean run tells which calls the action makes, and where from.
    SeedReader();
    std::vector<AllocCall> before, during;
    {
        AllocControl control;
        LumoraProcess lumora;
        ASSERT_NE(lumora.StartAndWait(), nullptr);
        before = control.Calls();
        if (scenario.act) scenario.act(lumora, true);
        PumpMessages();
        during = control.Calls();
        ASSERT_EQ(lumora.CloseAndWait(), 0);
    }
    if (scenario.act) during.erase(during.begin(), during.begin() + before.size());
    std::map<unsigned long, long> firstCallOfSite;
    for (const AllocCall& c : during) firstCallOfSite.emplace(c.site, c.call);
    ASSERT_FALSE(firstCallOfSite.empty()) << scenario.name << " allocates nothing through AllocOrAbort";

    for (const auto& [site, call] : firstCallOfSite) {
        SCOPED_TRACE(std::string(scenario.name) + ", site 0x" + std::to_string(site) + ", call " +
                     std::to_string(call));
        SeedReader();
        const std::vector<Registry::Value> seeded = Registry::All();
        AllocControl control(call);
        LumoraProcess lumora;
        ASSERT_TRUE(lumora.Start());
        if (scenario.act) {
            ASSERT_NE(lumora.WaitForMainWindow(), nullptr);
            scenario.act(lumora, false);
        }
        std::vector<std::wstring> texts;
        EXPECT_EQ(AnswerMessagesUntilExit(lumora, texts), 1);
        for (const std::wstring& text : texts) EXPECT_EQ(text, kMessage);
        EXPECT_EQ(lumora.WaitForExit(), 0);

        // Nothing the user had is lost: each seeded value is still there or
        // was written again by the exit sequence with the run's own value.
        for (const Registry::Value& value : seeded) {
            SCOPED_TRACE(std::string(value.name.begin(), value.name.end()));
            EXPECT_TRUE(Registry::Has(value.name.c_str()));
            if (value.name == L"Flags" || value.name == L"Day" || value.name == L"Lesson" ||
                value.name == L"FontName" || value.name == L"FontAsciiBase") {
                EXPECT_EQ(Registry::Bytes(value.name.c_str()), value.data);
            }
        }
    }
}

TEST(OutOfMemory, EachSettingsReadAtStartUp)
{
    RunScenarioWithEachSiteFailing({"start-up", nullptr});
}

TEST(OutOfMemory, SearchAgain)
{
    RunScenarioWithEachSiteFailing({"search again", [](LumoraProcess& l, bool wait) {
        if (wait) l.SendKey(VK_RETURN); else l.Key(VK_RETURN);
    }});
}

TEST(OutOfMemory, CopyThenAppend)
{
    RunScenarioWithEachSiteFailing({"copy, append", [](LumoraProcess& l, bool wait) {
        Command(l, IDC_COPY, wait);
        Command(l, IDC_APPEND, wait);
    }});
}

}  // namespace
