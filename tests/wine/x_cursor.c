/* x_cursor: prints the X pointer's current cursor image as the X server
 * shows it: "WIDTHxHEIGHT HOTX,HOTY HASH" (HASH over the ARGB pixels). The
 * About suite uses it to tell which cursor Wine put up over a window. */
#include <stdint.h>
#include <stdio.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

int main(void)
{
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "x_cursor: no display\n");
        return 1;
    }
    int event_base, error_base;
    if (!XFixesQueryExtension(display, &event_base, &error_base)) {
        fprintf(stderr, "x_cursor: no XFIXES\n");
        return 1;
    }
    XFixesCursorImage *image = XFixesGetCursorImage(display);
    if (!image) {
        fprintf(stderr, "x_cursor: no cursor image\n");
        return 1;
    }
    uint64_t hash = 1469598103934665603ull; /* FNV-1a */
    for (int i = 0; i < image->width * image->height; ++i) {
        hash ^= (uint32_t)image->pixels[i];
        hash *= 1099511628211ull;
    }
    printf("%dx%d %d,%d %016llx\n", image->width, image->height, image->xhot, image->yhot,
           (unsigned long long)hash);
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
