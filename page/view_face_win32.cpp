// Which installed face a view's text is really drawn in, as the system
// reports it: with no face asked for, the system picks one.
#include "page/lesson_text.h"
#include "page/paint_view_win32.h"

bool ViewFaceName(TextView* view, wchar_t* face, int capacity)
{
    if (!view || capacity <= 0) return false;
    face[0] = 0;
    const FontHandle before = SelectStyleFont(view, STYLE_NORMAL);
    const int length = GetTextFaceW(view->device, capacity, face);
    if (before) SelectObject(view->device, before);
    return length > 0 && face[0] != 0;
}
