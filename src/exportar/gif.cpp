#include "gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "idioma/idioma.h"

namespace exportar {

namespace {

std::uint8_t canal(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

int escribir_memoria(GifFileType* g, const GifByteType* datos, int n) {
    auto* v = static_cast<std::vector<unsigned char>*>(g->UserData);
    v->insert(v->end(), datos, datos + n);
    return n;
}

std::string error_gif(int codigo) {
    const char* t = GifErrorString(codigo);
    return formato(_("GIF: %s"), t ? t : _("error desconocido"));
}

}  // namespace

Rgb a_rgb(const Color& c) { return {canal(c.r), canal(c.g), canal(c.b)}; }

std::vector<Rgb> paleta_con_mezclas(const std::vector<Color>& colores) {
    std::vector<Rgb> puros;
    for (const Color& c : colores) {
        Rgb p = a_rgb(c);
        if (std::find(puros.begin(), puros.end(), p) == puros.end()) puros.push_back(p);
    }
    std::vector<Rgb> paleta = puros;
    for (size_t i = 0; i < puros.size(); ++i)
        for (size_t j = i + 1; j < puros.size(); ++j)
            for (int k = 1; k <= 3; ++k) {
                auto mezcla = [k](std::uint8_t a, std::uint8_t b) {
                    return static_cast<std::uint8_t>((a * (4 - k) + b * k + 2) / 4);
                };
                Rgb m{mezcla(puros[i].r, puros[j].r), mezcla(puros[i].g, puros[j].g), mezcla(puros[i].b, puros[j].b)};
                if (std::find(paleta.begin(), paleta.end(), m) == paleta.end()) paleta.push_back(m);
            }
    if (paleta.size() > 255) return {};
    return paleta;
}

struct EscritorGif::Estado {
    GifFileType* gif = nullptr;
    std::vector<unsigned char> bytes;
    std::unordered_map<std::uint32_t, std::uint8_t> cache;
    std::uint32_t ultimo = 0xFFFFFFFFu;
    std::uint8_t ultimo_indice = 0;
};

EscritorGif::EscritorGif(int ancho, int alto, std::vector<Rgb> paleta, int retardo, bool solo_cambios)
    : e_(new Estado), ancho_(ancho), alto_(alto), retardo_(retardo), solo_cambios_(solo_cambios),
      paleta_(std::move(paleta)) {
    if (ancho_ < 1 || alto_ < 1 || ancho_ > 65535 || alto_ > 65535) {
        fallo_ = _("GIF: tamano de imagen no valido");
        return;
    }
    if (paleta_.empty() || paleta_.size() > 255) {
        fallo_ = _("GIF: paleta no valida");
        return;
    }
    lienzo_.assign(static_cast<size_t>(ancho_) * static_cast<size_t>(alto_), 0);
    nuevo_ = lienzo_;
    int error = 0;
    e_->gif = EGifOpen(&e_->bytes, escribir_memoria, &error);
    if (!e_->gif) {
        fallo_ = error_gif(error);
        return;
    }
    EGifSetGifVersion(e_->gif, true);
    // One entry more than the palette: the transparent "unchanged" index.
    int bits = 1;
    while ((1 << bits) < static_cast<int>(paleta_.size()) + 1) ++bits;
    ColorMapObject* mapa = GifMakeMapObject(1 << bits, nullptr);
    if (!mapa) {
        fallo_ = _("GIF: sin memoria");
        return;
    }
    for (int i = 0; i < (1 << bits); ++i) {
        Rgb c = i < static_cast<int>(paleta_.size()) ? paleta_[static_cast<size_t>(i)] : Rgb{0, 0, 0};
        mapa->Colors[i] = {c.r, c.g, c.b};
    }
    int r = EGifPutScreenDesc(e_->gif, ancho_, alto_, 8, 0, mapa);
    GifFreeMapObject(mapa);
    if (r == GIF_ERROR) {
        fallo_ = error_gif(e_->gif->Error);
        return;
    }
    // The loop extension: NETSCAPE2.0, sub-block 1, repeat count 0 (for ever).
    const GifByteType aplicacion[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType repetir[] = {1, 0, 0};
    if (EGifPutExtensionLeader(e_->gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(e_->gif, sizeof aplicacion, aplicacion) == GIF_ERROR ||
        EGifPutExtensionBlock(e_->gif, sizeof repetir, repetir) == GIF_ERROR ||
        EGifPutExtensionTrailer(e_->gif) == GIF_ERROR)
        fallo_ = error_gif(e_->gif->Error);
}

EscritorGif::~EscritorGif() {
    if (e_->gif) EGifCloseFile(e_->gif, nullptr);
}

std::uint8_t EscritorGif::indice(std::uint32_t pixel) {
    pixel &= 0x00FFFFFFu;
    if (pixel == e_->ultimo) return e_->ultimo_indice;
    auto it = e_->cache.find(pixel);
    std::uint8_t mejor = 0;
    if (it != e_->cache.end()) {
        mejor = it->second;
    } else {
        int r = static_cast<int>(pixel >> 16), g = static_cast<int>((pixel >> 8) & 0xFF),
            b = static_cast<int>(pixel & 0xFF);
        long menor = -1;
        for (size_t i = 0; i < paleta_.size(); ++i) {
            long dr = r - paleta_[i].r, dg = g - paleta_[i].g, db = b - paleta_[i].b;
            long d = dr * dr + dg * dg + db * db;
            if (menor < 0 || d < menor) {
                menor = d;
                mejor = static_cast<std::uint8_t>(i);
            }
        }
        e_->cache.emplace(pixel, mejor);
    }
    e_->ultimo = pixel;
    e_->ultimo_indice = mejor;
    return mejor;
}

std::string EscritorGif::emitir(int x0, int y0, int x1, int y1, bool transparente) {
    GifFileType* g = e_->gif;
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = retardo_;
    gcb.TransparentColor = transparente ? static_cast<int>(paleta_.size()) : NO_TRANSPARENT_COLOR;
    GifByteType ext[4];
    size_t n = EGifGCBToExtension(&gcb, ext);
    if (EGifPutExtension(g, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext) == GIF_ERROR ||
        EGifPutImageDesc(g, x0, y0, x1 - x0, y1 - y0, false, nullptr) == GIF_ERROR)
        return error_gif(g->Error);
    std::vector<GifPixelType> linea(static_cast<size_t>(x1 - x0));
    const auto T = static_cast<std::uint8_t>(paleta_.size());
    for (int y = y0; y < y1; ++y) {
        size_t fila = static_cast<size_t>(y) * static_cast<size_t>(ancho_);
        for (int x = x0; x < x1; ++x) {
            std::uint8_t v = nuevo_[fila + static_cast<size_t>(x)];
            bool igual = transparente && v == lienzo_[fila + static_cast<size_t>(x)];
            linea[static_cast<size_t>(x - x0)] = igual ? T : v;
        }
        if (EGifPutLine(g, linea.data(), x1 - x0) == GIF_ERROR) return error_gif(g->Error);
    }
    return "";
}

std::string EscritorGif::agregar(const unsigned char* pixeles, int paso) {
    if (!fallo_.empty()) return fallo_;
    for (int y = 0; y < alto_; ++y) {
        const auto* fila = reinterpret_cast<const std::uint32_t*>(pixeles + static_cast<size_t>(y) * static_cast<size_t>(paso));
        std::uint8_t* destino = nuevo_.data() + static_cast<size_t>(y) * static_cast<size_t>(ancho_);
        for (int x = 0; x < ancho_; ++x) destino[x] = indice(fila[x]);
    }
    int x0 = 0, y0 = 0, x1 = ancho_, y1 = alto_;
    bool cambios = cuadros_ > 0 && solo_cambios_;
    if (cambios) {
        // The smallest rectangle holding every pixel whose index changed.
        x0 = ancho_, y0 = alto_, x1 = 0, y1 = 0;
        for (int y = 0; y < alto_; ++y) {
            size_t fila = static_cast<size_t>(y) * static_cast<size_t>(ancho_);
            const std::uint8_t* a = lienzo_.data() + fila;
            const std::uint8_t* b = nuevo_.data() + fila;
            if (std::equal(a, a + ancho_, b)) continue;
            int i = 0, j = ancho_;
            while (a[i] == b[i]) ++i;
            while (a[j - 1] == b[j - 1]) --j;
            x0 = std::min(x0, i);
            x1 = std::max(x1, j);
            y0 = std::min(y0, y);
            y1 = y + 1;
        }
        // Nothing changed: one transparent pixel keeps the timing.
        if (x0 >= x1) x0 = 0, y0 = 0, x1 = 1, y1 = 1;
    }
    fallo_ = emitir(x0, y0, x1, y1, cambios);
    if (!fallo_.empty()) return fallo_;
    // Outside the rectangle the new picture equals the canvas: it is the canvas now.
    lienzo_.swap(nuevo_);
    ++cuadros_;
    return "";
}

std::vector<unsigned char> EscritorGif::terminar(std::string& fallo) {
    fallo = fallo_;
    if (!e_->gif) {
        if (fallo.empty()) fallo = _("GIF: ya terminado");
        return {};
    }
    int error = 0;
    int r = EGifCloseFile(e_->gif, &error);
    e_->gif = nullptr;
    if (fallo.empty() && r == GIF_ERROR) fallo = error_gif(error);
    if (!fallo.empty()) return {};
    return std::move(e_->bytes);
}

}  // namespace exportar
