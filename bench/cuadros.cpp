// The frames of the main window as the X server sees them, around the end of a cut: every
// drawing into the window (DAMAGE extension) and every change of its title, both stamped by
// the server's clock in milliseconds. The window's title reads " - N de 360 grados" while a
// cut is under way; this watches until the title has stopped saying so and `despues` seconds
// more, then prints the frame gaps during the cut and around its end.
// Usage: bench_cuadros window width height [seconds after the end, 3]
// It refuses to print figures (status 3) if the window is not width x height, before or after.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string titulo(Display* d, Window w) {
    XTextProperty p;
    std::string t;
    if (XGetWMName(d, w, &p) && p.value) {
        t.assign(reinterpret_cast<const char*>(p.value), p.nitems);
        XFree(p.value);
    }
    return t;
}

bool en_curso(const std::string& t) {
    const std::string fin = " de 360 grados";
    return t.size() >= fin.size() && t.compare(t.size() - fin.size(), fin.size(), fin) == 0;
}

bool del_tamano(Display* d, Window w, int ancho, int alto) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a)) return false;
    if (a.width == ancho && a.height == alto) return true;
    std::fprintf(stderr, "bench_cuadros: the window measures %d x %d, not %d x %d as asked; no figures printed\n",
                 a.width, a.height, ancho, alto);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_cuadros window width height [seconds after the end]\n");
        return 2;
    }
    Window w = std::strtoul(argv[1], nullptr, 0);
    int ancho = std::atoi(argv[2]), alto = std::atoi(argv[3]);
    long despues = argc > 4 ? std::lround(1000 * std::atof(argv[4])) : 3000;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    int evento_damage = 0, error_damage = 0;
    if (!XDamageQueryExtension(d, &evento_damage, &error_damage)) {
        std::fprintf(stderr, "bench_cuadros: the X server has no DAMAGE extension\n");
        return 1;
    }
    if (!del_tamano(d, w, ancho, alto)) return 3;
    XSelectInput(d, w, PropertyChangeMask | StructureNotifyMask);
    Damage dano = XDamageCreate(d, w, XDamageReportNonEmpty);
    Atom wm_name = XInternAtom(d, "WM_NAME", False);
    XSync(d, False);
    std::printf("watching\n");
    std::fflush(stdout);

    std::vector<Time> cuadros;
    Time inicio = 0, fin = 0;
    bool visto_en_curso = en_curso(titulo(d, w)), otro_tamano = false;
    // At most 300 s: a cut that has not ended by then is a failure, not a figure.
    const int limite_ms = 300000;
    int esperado = 0;
    while (true) {
        if (!XPending(d)) {
            pollfd p{ConnectionNumber(d), POLLIN, 0};
            if (poll(&p, 1, 1000) == 0) {
                esperado += 1000;
                if (esperado > limite_ms) {
                    std::fprintf(stderr, "bench_cuadros: no frame for %d s\n", limite_ms / 1000);
                    return 1;
                }
                continue;
            }
        }
        XEvent e;
        XNextEvent(d, &e);
        Time t = 0;
        if (e.type == evento_damage + XDamageNotify) {
            auto& dn = reinterpret_cast<XDamageNotifyEvent&>(e);
            XDamageSubtract(d, dano, None, None);
            t = dn.timestamp;
            // One frame may reach the server in several pieces: a piece within 2 ms of the last is the same frame.
            if (cuadros.empty() || t > cuadros.back() + 2) cuadros.push_back(t);
        } else if (e.type == PropertyNotify && e.xproperty.atom == wm_name) {
            t = e.xproperty.time;
            bool ahora = en_curso(titulo(d, w));
            if (ahora && !visto_en_curso) inicio = t;
            if (!ahora && visto_en_curso && inicio != 0 && fin == 0) fin = t;
            if (ahora && !visto_en_curso && fin != 0) fin = 0;
            visto_en_curso = ahora;
        } else if (e.type == ConfigureNotify) {
            otro_tamano |= e.xconfigure.width != ancho || e.xconfigure.height != alto;
        }
        if (t) esperado = 0;
        if (fin != 0 && !cuadros.empty() && cuadros.back() > fin + static_cast<Time>(despues)) break;
    }
    if (otro_tamano || !del_tamano(d, w, ancho, alto)) {
        std::fprintf(stderr, "bench_cuadros: the window changed size while measured; no figures printed\n");
        return 3;
    }

    // Gaps between frames during the cut (from its first frame to the end) and around the end.
    std::vector<long> corte;
    long mayor_fin = 0, donde = 0;
    int cuadros_fin = 0;
    for (size_t i = 1; i < cuadros.size(); ++i) {
        long gap = static_cast<long>(cuadros[i] - cuadros[i - 1]);
        if (cuadros[i - 1] >= inicio && cuadros[i] <= fin) corte.push_back(gap);
        // Around the end: from 2 s before it to `despues` after it.
        if (cuadros[i] + 2000 >= fin && cuadros[i - 1] <= fin + static_cast<Time>(despues)) {
            ++cuadros_fin;
            if (gap > mayor_fin) {
                mayor_fin = gap;
                donde = static_cast<long>(cuadros[i - 1]) - static_cast<long>(fin);
            }
        }
    }
    if (corte.size() < 100) {
        std::fprintf(stderr, "bench_cuadros: only %zu frames seen during the cut; no figures printed\n", corte.size());
        return 1;
    }
    std::vector<long> orden = corte;
    std::sort(orden.begin(), orden.end());
    std::printf("window %d x %d (read back before and after)\n", ancho, alto);
    std::printf("cut: %.1f s, %zu frames, gap median %ld ms, 99th percentile %ld ms, longest %ld ms\n",
                (fin - inicio) / 1000.0, corte.size() + 1, orden[orden.size() / 2], orden[orden.size() * 99 / 100],
                orden.back());
    std::printf("around the end (2 s before to %.1f s after, %d frames): longest gap %ld ms, starting %+ld ms from the end\n",
                despues / 1000.0, cuadros_fin, mayor_fin, donde);
    XDamageDestroy(d, dano);
    XCloseDisplay(d);
    return 0;
}
