// The maker of Lumora and where it lives on the web. The address is written
// once, here, as a macro so that the resource script (link text of the About
// box) and the code (home page, update page, print footer, platform message)
// share it.
#pragma once

#define LUMORA_MAKER_SITE "https://quillstead.example"

#ifndef RC_INVOKED
constexpr char kMakerSiteA[] = LUMORA_MAKER_SITE;
constexpr wchar_t kMakerSite[] = L"" LUMORA_MAKER_SITE;
constexpr char16_t kMakerSiteUnits[] = u"" LUMORA_MAKER_SITE;
#endif
