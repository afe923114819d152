// The application's long-lived state: one static record, zeroed at start.
#pragma once
#include <cstdint>

#include "calendar/calendar_date.h"
#include "page/font_record.h"
#include "shell/platform_handles.h"

struct TextView;

struct Rect32 {
    int32_t left, top, width, height;
};

struct AppState {
    InstanceHandle instance;
    FontRecord font;
    uint16_t lastPosition;   // scroll position to restore ("LastPosition")
    uint32_t flags;          // option word ("Flags")
    int32_t lessonKey;       // month index << 8 | day of month ("Lesson")
    int32_t currentDay;      // day number; 0 = none yet ("Day")
    CalendarDate currentDate;
    FontHandle dateFont;
    uint8_t dateText[20];    // letter-coded date line, zero-terminated
    Rect32 dateBand;
    int32_t dateTextLength;
    uint8_t searchString[34];  // letter-coded pattern ("SearchString")
    TextView* mainView;
    int32_t gutter;          // pixels ("SurroundingGutter")
    WindowHandle toolbar;
    WindowHandle mainWindow;
};

extern AppState g_app;
