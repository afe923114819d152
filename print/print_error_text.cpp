// Common-dialog (1..12, 0xFFFF) and print-dialog (0x1001..0x100C) error
// codes and their words, as the reader has always shown them.
#include "print/print_error_text.h"

namespace {

struct ErrorText {
    uint32_t code;
    const char16_t* text;
};

constexpr ErrorText kErrorTexts[] = {
    {1, u"Struct Size"},
    {2, u"Initialization"},
    {3, u"No Template"},
    {4, u"No hInstance"},
    {5, u"Load String Failure"},
    {6, u"Find Resource Failure"},
    {7, u"Load Resource Failure"},
    {8, u"Lock Resource Failure"},
    {9, u"Memory Allocation Failure"},
    {10, u"Memory Lock Failure"},
    {11, u"No Hook"},
    {12, u"RegisterWindowMessage Fail"},
    {0x1001, u"Setup Failure"},
    {0x1002, u"Parse Failure"},
    {0x1003, u"Return Default Failure"},
    {0x1004, u"Load Driver Failure"},
    {0x1005, u"GetDevMode Fail"},
    {0x1006, u"Init Failure"},
    {0x1007, u"No Printer Drivers Were Found"},
    {0x1008, u"No Default Printer"},
    {0x1009, u"DevMode and DevNames Are For Different Printers"},
    // Two spaces, as it has always read.
    {0x100A, u"Create Information Context  Failure"},
    {0x100B, u"Printer Not Found"},
    {0x100C, u"Default Different"},
    {0xFFFF, u"Dialog Failure"},
};

}  // namespace

const char16_t* PrintErrorTextFor(uint32_t code)
{
    for (const ErrorText& entry : kErrorTexts)
        if (entry.code == code) return entry.text;
    return nullptr;
}
