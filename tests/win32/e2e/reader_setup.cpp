// Seeding the reader's settings.
#include "reader_setup.h"

#include "book_days.h"
#include "lumora_process.h"

void Seed(const ReaderSetup& setup)
{
    Registry::Clear();
    if (setup.face) Registry::PutText(L"FontName", setup.face);
    Registry::PutNumber(L"Flags", setup.flags);
    if (setup.day) {
        Registry::PutNumber(L"Day", static_cast<DWORD>(setup.day));
        Registry::PutNumber(L"Lesson", LessonKeyOfDay(setup.day));
    }
    Registry::PutNumber(L"LastPosition", static_cast<DWORD>(setup.lastPosition));
    if (setup.fontSize >= 0) Registry::PutNumber(L"FontSize", static_cast<DWORD>(setup.fontSize));
    if (setup.letterBase >= 0) Registry::PutNumber(L"FontAsciiBase", static_cast<DWORD>(setup.letterBase));
    if (setup.smallWindow) Registry::PutPlacement(kSmallLeft, kSmallTop, kSmallWidth, kSmallHeight);
}

ReaderSetup LongDayPinned(int lastPosition)
{
    ReaderSetup setup;
    setup.day = LongDay();
    setup.lastPosition = lastPosition;
    return setup;
}
