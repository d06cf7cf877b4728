// Prints the colour of one pixel of the X screen as #RRGGBB: a cheap probe of a large screen.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_pixel x y\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    XImage* im = XGetImage(d, DefaultRootWindow(d), std::atoi(argv[1]), std::atoi(argv[2]), 1, 1, AllPlanes, ZPixmap);
    if (!im) return 1;
    unsigned long p = XGetPixel(im, 0, 0);
    std::printf("#%02lX%02lX%02lX\n", (p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
    XDestroyImage(im);
    XCloseDisplay(d);
    return 0;
}
