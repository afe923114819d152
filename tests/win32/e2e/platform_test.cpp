// The Windows 95 family is refused before anything else happens.
#include <gtest/gtest.h>

#include "lumora_process.h"
#include "reader_setup.h"

namespace {

TEST(Platform, Windows98IsRefusedBeforeAnySettingIsRead)
{
    ReaderSetup setup = LongDayPinned(3);
    Seed(setup);
    const std::vector<Registry::Value> stored = Registry::All();
    // Wine reports Windows 98 to Lumora.exe alone while this lives.
    Registry::WineVersionForLumora windows98(L"win98");

    LumoraProcess lumora;
    ASSERT_TRUE(lumora.StartTraced());
    HWND message = lumora.WaitForDialog(L"https://quillstead.example");
    ASSERT_NE(message, nullptr);
    ASSERT_TRUE(lumora.TracingRegistry());
    EXPECT_EQ(LumoraProcess::MessageText(message),
              L"This Application does NOT run on:\n\n\tWINDOWS 95\n\tWINDOWS 98\n\tWINDOWS ME\n");
    EXPECT_EQ(GetWindow(message, GW_OWNER), nullptr);
    Screenshot(message, L"platform-refused");
    // No main window came up.
    EXPECT_EQ(FindWindowW(L"Lumora-Hebrew", L"Lumora"), nullptr);
    LumoraProcess::PressButton(message, IDOK);
    EXPECT_EQ(lumora.WaitForExit(), -1);  // 0xFFFFFFFF

    // Not a single registry call of its own, and the settings untouched.
    for (const RegistryCall& call : lumora.RegistryCalls())
        ADD_FAILURE() << "registry call " << std::string(call.function.begin(), call.function.end()) << " "
                      << std::string(call.name.begin(), call.name.end());
    EXPECT_TRUE(Registry::All() == stored);
}

}  // namespace
