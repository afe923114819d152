// The maker of Lumora and where it lives on the web.
#pragma once

constexpr char kMakerSiteA[] = "https://quillstead.example";
constexpr wchar_t kMakerSite[] = L"https://quillstead.example";
