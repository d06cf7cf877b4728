#include "dxf.h"
#include "idioma/idioma.h"

#include <dxflib/dl_dxf.h>

#include <cstdio>
#include <cstring>
#include <set>

#include "pintura.h"

namespace exportar {

namespace {

// AutoCAD colour index nearest to an RGB colour among the seven plain ones.
int indice_color(const Color& c) {
    int r = c.r > 0.5, g = c.g > 0.5, b = c.b > 0.5;
    static const int TABLA[2][2][2] = {{{7, 5}, {3, 4}}, {{1, 6}, {2, 7}}};
    return TABLA[r][g][b];
}

// dxflib's ASCII writer with its output kept in memory: every group goes to a string, in
// the format the library's own file writer uses (real numbers with up to 16 decimals,
// trailing zeros cut). Its own file stream is never opened.
class EscritorEnMemoria : public DL_WriterA {
public:
    explicit EscritorEnMemoria(std::string& destino) : DL_WriterA("", DL_Codes::AC1015), texto(destino) {}

    void dxfReal(int gc, double value) const override {
        char s[400];
        std::snprintf(s, sizeof s, "%.16f", value);
        // The last non-zero decimal ends the number, keeping one decimal at least.
        if (char* punto = std::strchr(s, '.')) {
            char* fin = punto + 2;
            for (char* c = punto + 1; *c; ++c)
                if (*c != '0') fin = c + 1;
            if (fin < s + std::strlen(s)) *fin = '\0';
        }
        dxfString(gc, s);
    }
    void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        char s[16];
        std::snprintf(s, sizeof s, "%0X", static_cast<unsigned>(value));
        dxfString(gc, s);
    }
    void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
    void dxfString(int gc, const std::string& value) const override {
        texto += gc < 10 ? "  " : gc < 100 ? " " : "";
        texto += std::to_string(gc) + "\n" + value + "\n";
    }

private:
    std::string& texto;
};

DL_Attributes atributos(const std::string& capa) { return DL_Attributes(capa, 256, -1, "BYLAYER", 1.0); }

void anillo(DL_Dxf& dxf, DL_WriterA& dw, const Anillo& a, const std::string& capa) {
    if (a.size() < 3) return;
    dxf.writePolyline(dw, DL_PolylineData(static_cast<int>(a.size()), 0, 0, 1), atributos(capa));
    for (const auto& v : a) dxf.writeVertex(dw, DL_VertexData(v.x, v.y, 0.0, 0.0));
    dxf.writePolylineEnd(dw);
}

}  // namespace

std::string escribir_dxf(const Lamina& l, std::string& bytes) {
    bytes.clear();
    DL_Dxf dxf;
    // A new reader-writer speaks AutoCAD 2000, the version the writer below is made for.
    if (dxf.getVersion() != DL_Codes::AC1015) return _("version de DXF inesperada");
    EscritorEnMemoria escritor(bytes);
    DL_WriterA* dw = &escritor;

    dxf.writeHeader(*dw);
    dw->dxfString(9, "$INSUNITS");
    dw->dxfInt(70, 4);  // millimetres
    dw->sectionEnd();

    dw->sectionTables();
    dxf.writeVPort(*dw);
    dw->tableLinetypes(3);
    dxf.writeLinetype(*dw, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    dw->tableEnd();

    // Layer "0", the polygons' layer, the groups' layers, then each circle and line layer once, in
    // the colour of its first circle or line.
    std::vector<std::pair<std::string, int>> capas{{"0", 7}, {l.capa_poligonos, indice_color(l.relleno)}};
    std::set<std::string> vistas{"0", l.capa_poligonos};
    for (const auto& g : l.grupos)
        if (vistas.insert(g.capa).second) capas.emplace_back(g.capa, indice_color(g.relleno));
    for (const auto& k : l.circulos)
        if (vistas.insert(k.capa).second) capas.emplace_back(k.capa, indice_color(k.color));
    for (const auto& k : l.lineas)
        if (vistas.insert(k.capa).second) capas.emplace_back(k.capa, indice_color(k.color));
    dw->tableLayers(static_cast<int>(capas.size()));
    for (const auto& [nombre, color] : capas)
        dxf.writeLayer(*dw, DL_LayerData(nombre, 0), DL_Attributes("", color, -1, "CONTINUOUS", 1.0));
    dw->tableEnd();

    dw->tableStyle(1);
    dxf.writeStyle(*dw, DL_StyleData("standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw->tableEnd();
    dxf.writeView(*dw);
    dxf.writeUcs(*dw);
    dw->tableAppid(1);
    dxf.writeAppid(*dw, "ACAD");
    dw->tableEnd();
    dxf.writeDimStyle(*dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(*dw);
    dw->tableEnd();
    dw->sectionEnd();

    dw->sectionBlocks();
    for (const char* b : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(*dw, DL_BlockData(b, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(*dw, b);
    }
    dw->sectionEnd();

    dw->sectionEntities();
    for (const auto& p : l.poligonos) {
        anillo(dxf, *dw, p.exterior, l.capa_poligonos);
        for (const auto& h : p.huecos) anillo(dxf, *dw, h, l.capa_poligonos);
    }
    for (const auto& g : l.grupos)
        for (const auto& p : g.poligonos) {
            anillo(dxf, *dw, p.exterior, g.capa);
            for (const auto& h : p.huecos) anillo(dxf, *dw, h, g.capa);
        }
    for (const auto& k : l.circulos) dxf.writeCircle(*dw, DL_CircleData(k.cx, k.cy, 0.0, k.radio), atributos(k.capa));
    for (const auto& k : l.lineas)
        dxf.writeLine(*dw, DL_LineData(k.desde.x, k.desde.y, 0.0, k.hasta.x, k.hasta.y, 0.0), atributos(k.capa));
    if (!l.texto.empty()) {
        Pagina p = pagina_de(l);
        for (size_t i = 0; i < l.texto.size(); ++i) {
            // Page lines under the drawing, placed back in drawing coordinates.
            double x = p.texto_x - p.dx, y = p.dy - (p.texto_y + static_cast<double>(i) * p.renglon);
            dxf.writeText(*dw, DL_TextData(x, y, 0, x, y, 0, p.letra, 1.0, 0, 0, 0, l.texto[i], "standard", 0.0),
                          atributos("0"));
        }
    }
    dw->sectionEnd();

    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    return "";
}

}  // namespace exportar
