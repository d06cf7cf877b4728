#include "lectura.h"

#include <cairo.h>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <expat.h>
#include <gif_lib.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace lectura {

std::string contenido(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool existe(const std::string& ruta) {
    struct stat st {};
    return stat(ruta.c_str(), &st) == 0;
}

std::vector<Anillo> anillos_de_trayecto(const std::string& d) {
    std::vector<Anillo> anillos;
    Anillo actual;
    auto cerrar = [&] {
        if (actual.size() >= 3) anillos.push_back(actual);
        actual.clear();
    };
    const char* p = d.c_str();
    char orden = 0;
    std::vector<double> numeros;
    auto aplicar = [&] {
        if (orden == 'M') {
            cerrar();
            for (size_t i = 0; i + 1 < numeros.size(); i += 2) actual.push_back({numeros[i], numeros[i + 1]});
        } else if (orden == 'L') {
            for (size_t i = 0; i + 1 < numeros.size(); i += 2) actual.push_back({numeros[i], numeros[i + 1]});
        } else if (orden == 'C') {
            for (size_t i = 0; i + 5 < numeros.size(); i += 6) actual.push_back({numeros[i + 4], numeros[i + 5]});
        } else if (orden == 'Z') {
            cerrar();
        }
        numeros.clear();
    };
    while (*p) {
        if (std::isalpha(static_cast<unsigned char>(*p))) {
            aplicar();
            orden = *p++;
        } else if (std::isspace(static_cast<unsigned char>(*p)) || *p == ',') {
            ++p;
        } else {
            char* fin = nullptr;
            numeros.push_back(std::strtod(p, &fin));
            if (fin == p) return {};
            p = fin;
        }
    }
    aplicar();
    cerrar();
    return anillos;
}

namespace {

struct EstadoSvg {
    Svg* svg;
    int en_definiciones = 0;
};

const char* atributo(const XML_Char** a, const char* nombre) {
    for (int i = 0; a[i]; i += 2)
        if (std::string(a[i]) == nombre) return a[i + 1];
    return "";
}

void XMLCALL abre(void* datos, const XML_Char* nombre, const XML_Char** a) {
    auto* e = static_cast<EstadoSvg*>(datos);
    std::string n(nombre);
    if (n == "svg") {
        e->svg->ancho = atributo(a, "width");
        e->svg->alto = atributo(a, "height");
        e->svg->vista = atributo(a, "viewBox");
    } else if (n == "defs") {
        ++e->en_definiciones;
    } else if (n == "use") {
        ++e->svg->glifos;
        e->svg->glifos_y.push_back(std::atof(atributo(a, "y")));
    } else if (n == "path" && e->en_definiciones == 0) {
        e->svg->trazos.push_back({atributo(a, "style"), anillos_de_trayecto(atributo(a, "d"))});
    }
}

void XMLCALL cierra(void* datos, const XML_Char* nombre) {
    auto* e = static_cast<EstadoSvg*>(datos);
    if (std::string(nombre) == "defs") --e->en_definiciones;
}

class LectorDxf : public DL_CreationAdapter {
public:
    explicit LectorDxf(Dxf& d) : d_(d) {}
    void addLayer(const DL_LayerData& l) override { d_.capas.push_back(l.name); }
    void addPolyline(const DL_PolylineData& p) override {
        d_.polilineas.push_back({attributes.getLayer(), (p.flags & 1) != 0, {}});
    }
    void addVertex(const DL_VertexData& v) override {
        if (!d_.polilineas.empty()) d_.polilineas.back().puntos.push_back({v.x, v.y});
    }
    void addCircle(const DL_CircleData& c) override {
        d_.circulos.push_back({attributes.getLayer(), c.cx, c.cy, c.radius});
    }
    void addText(const DL_TextData& t) override { d_.textos.push_back(t.text); }
    void addLine(const DL_LineData& l) override {
        d_.lineas.push_back({attributes.getLayer(), {l.x1, l.y1}, {l.x2, l.y2}});
    }
private:
    Dxf& d_;
};

}  // namespace

bool leer_svg(const std::string& ruta, Svg& s) {
    std::string texto = contenido(ruta);
    if (texto.empty()) return false;
    XML_Parser p = XML_ParserCreate(nullptr);
    EstadoSvg e{&s};
    XML_SetUserData(p, &e);
    XML_SetElementHandler(p, abre, cierra);
    bool bien = XML_Parse(p, texto.data(), static_cast<int>(texto.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(p);
    return bien;
}

bool leer_dxf(const std::string& ruta, Dxf& d) {
    LectorDxf lector(d);
    DL_Dxf dxf;
    return dxf.in(ruta, &lector);
}

bool leer_gif(const std::string& ruta, Gif& g,
              const std::function<void(size_t, const std::vector<uint32_t>&)>& ver) {
    g = Gif{};
    int error = 0;
    GifFileType* f = DGifOpenFileName(ruta.c_str(), &error);
    if (!f) return false;
    if (DGifSlurp(f) != GIF_OK || !f->SColorMap) {
        DGifCloseFile(f, &error);
        return false;
    }
    g.ancho = f->SWidth;
    g.alto = f->SHeight;
    auto rgb = [](const GifColorType& c) {
        return static_cast<uint32_t>(c.Red) << 16 | static_cast<uint32_t>(c.Green) << 8 | c.Blue;
    };
    for (int i = 0; i < f->SColorMap->ColorCount; ++i) g.paleta.push_back(rgb(f->SColorMap->Colors[i]));
    // The loop extension, wherever the decoder keeps it: with the file or with the first picture.
    auto buscar_bucle = [&g](const ExtensionBlock* b, int n) {
        for (int i = 0; i + 1 < n; ++i)
            if (b[i].Function == APPLICATION_EXT_FUNC_CODE && b[i].ByteCount == 11 &&
                std::string(reinterpret_cast<const char*>(b[i].Bytes), 11) == "NETSCAPE2.0" &&
                b[i + 1].Function == CONTINUE_EXT_FUNC_CODE && b[i + 1].ByteCount == 3 && b[i + 1].Bytes[0] == 1) {
                g.bucle = true;
                g.repeticiones = b[i + 1].Bytes[1] | b[i + 1].Bytes[2] << 8;
            }
    };
    buscar_bucle(f->ExtensionBlocks, f->ExtensionBlockCount);
    if (f->ImageCount > 0) buscar_bucle(f->SavedImages[0].ExtensionBlocks, f->SavedImages[0].ExtensionBlockCount);
    bool bien = true;
    std::vector<uint32_t> pantalla(static_cast<size_t>(g.ancho) * static_cast<size_t>(g.alto),
                                   g.paleta.empty() ? 0 : g.paleta[static_cast<size_t>(f->SBackGroundColor) % g.paleta.size()]);
    for (int i = 0; i < f->ImageCount; ++i) {
        const SavedImage& s = f->SavedImages[i];
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(f, i, &gcb);
        ImagenGif im{s.ImageDesc.Left, s.ImageDesc.Top, s.ImageDesc.Width, s.ImageDesc.Height,
                     gcb.DelayTime, gcb.TransparentColor, gcb.DisposalMode, s.ImageDesc.ColorMap != nullptr};
        g.imagenes.push_back(im);
        if (!ver) continue;
        const ColorMapObject* mapa = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : f->SColorMap;
        if (im.x < 0 || im.y < 0 || im.x + im.ancho > g.ancho || im.y + im.alto > g.alto) {
            bien = false;
            break;
        }
        for (int y = 0; y < im.alto; ++y)
            for (int x = 0; x < im.ancho; ++x) {
                int v = s.RasterBits[static_cast<size_t>(y) * static_cast<size_t>(im.ancho) + static_cast<size_t>(x)];
                if (v == im.transparente) continue;
                pantalla[static_cast<size_t>(im.y + y) * static_cast<size_t>(g.ancho) + static_cast<size_t>(im.x + x)] =
                    v < mapa->ColorCount ? rgb(mapa->Colors[v]) : 0;
            }
        ver(static_cast<size_t>(i), pantalla);
        if (im.disposicion == DISPOSE_BACKGROUND)
            for (int y = 0; y < im.alto; ++y)
                for (int x = 0; x < im.ancho; ++x)
                    pantalla[static_cast<size_t>(im.y + y) * static_cast<size_t>(g.ancho) + static_cast<size_t>(im.x + x)] =
                        g.paleta[static_cast<size_t>(f->SBackGroundColor) % g.paleta.size()];
    }
    DGifCloseFile(f, &error);
    return bien;
}

bool leer_png(const std::string& ruta, Png& p) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(ruta.c_str());
    bool bien = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (bien) {
        cairo_surface_flush(s);
        p.ancho = cairo_image_surface_get_width(s);
        p.alto = cairo_image_surface_get_height(s);
        int paso = cairo_image_surface_get_stride(s);
        const unsigned char* datos = cairo_image_surface_get_data(s);
        p.pixeles.clear();
        for (int y = 0; y < p.alto; ++y) {
            const auto* fila = reinterpret_cast<const uint32_t*>(datos + y * paso);
            for (int x = 0; x < p.ancho; ++x) p.pixeles.push_back(fila[x] & 0xFFFFFFu);
        }
    }
    cairo_surface_destroy(s);
    return bien;
}

bool leer_pdf(const std::string& ruta, Pdf& p) {
    std::string t = contenido(ruta);
    if (t.empty()) return false;
    p.cabecera = t.rfind("%PDF-", 0) == 0;
    std::smatch m;
    std::regex caja(R"(/MediaBox\s*\[\s*([-0-9.]+)\s+([-0-9.]+)\s+([-0-9.]+)\s+([-0-9.]+)\s*\])");
    if (std::regex_search(t, m, caja))
        for (int i = 1; i <= 4; ++i) p.caja.push_back(std::atof(m[i].str().c_str()));
    std::regex pagina(R"(/Type\s*/Page[^s])");
    p.paginas = static_cast<int>(std::distance(std::sregex_iterator(t.begin(), t.end(), pagina), std::sregex_iterator()));
    return true;
}

}  // namespace lectura
