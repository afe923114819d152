// Finds a day's lesson in the program's own RT_RCDATA resources.
#include <windows.h>
#include "lessons/lesson_store.h"
#include "shell/app_state.h"

uint8_t* LoadLesson(int32_t key, int* reason)
{
    int resourceId = 0, recordIndex = 0;
    if (!LessonLocation(key, &resourceId, &recordIndex)) return nullptr;

    HMODULE self = g_app.instance;
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    if (!found) {
        if (reason) *reason = kLessonNoResource;
        return nullptr;
    }
    const DWORD size = SizeofResource(self, found);
    HGLOBAL loaded = size ? LoadResource(self, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        if (reason) *reason = kLessonNotLoaded;
        return nullptr;
    }
    // Resource data stays mapped for the life of the module: read in place.
    return FindDayRecord(static_cast<const uint8_t*>(bytes), size, recordIndex, reason);
}
