// Identifiers shared by lumora.rc and the code.
#pragma once

// Lesson containers: 1000 + lesson month index.
#define IDR_LESSONS_FIRST 1001
#define IDR_LESSONS_LAST 1014
