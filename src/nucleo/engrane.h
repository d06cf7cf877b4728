// Two cut gears in mesh, or a cut gear and the basic rack of its cutter: the textbook values of
// the mesh, and the same values measured on the cut outlines turned together. Lengths in the
// gear's unit (the module's), angles in degrees where the name says so, radians otherwise.
// The scene frame: gear 1 centred at the origin, gear 2 centred at (a, 0); the rack lies below
// gear 1 with its teeth up and its reference line at y = -a. Gear 1 drives, turning
// counter-clockwise; gear 2 turns clockwise by Z1/Z2 of its angle, the rack moves along +x by r1
// times it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "evolvente.h"
#include "tallado.h"

// The angle in [0, π/2) whose involute function is v (v >= 0).
double involuta_inversa(double v);

// A gear as cut by a rack, or (z = 0) a rack. Radii of the pitch, base, tip and root circles;
// for a rack, ra is its addendum and rf its dedendum over its reference line, rp and rb are 0.
struct Rueda {
    int z = 0;
    double m = 1, alfa = 20, x = 0;  // module, pressure angle (degrees), shift coefficient
    double rp = 0, rb = 0, ra = 0, rf = 0;
};

// The gear of z teeth cut with shift x by a rack of tooth height h whose rolling line lies k above
// its root line (2.25 m and m for the standard rack): the tip is the blank, rp + k + max(x·m, 0),
// as the cut keeps it (a negative shift does not shorten the blank); the root rp + x·m - (h - k).
Rueda rueda_tallada(int z, double m, double alfa_grados, double x, double h, double k);
// The basic rack of that cutter: addendum k, dedendum h - k (m and 1.25 m for the standard one).
Rueda cremallera_basica(double m, double alfa_grados, double h, double k);

struct Punto2 {
    double x, y;
};

// The mesh by the book at centre distance a.
struct Teoria {
    double alfa_w = 0, a_w = 0;  // working pressure angle (degrees) and centre distance from the shifts
    double a = 0;                // centre distance used (for the rack: gear centre to its reference line)
    double alfa_a = 0;           // pressure angle at a (degrees): α_w at a_w
    double rw1 = 0, rw2 = 0;     // pitch radii rolling at a (rw2 = 0 for the rack)
    Punto2 C{}, T1{}, T2{}, A{}, E{};  // pitch point, tangency points, start and end of contact
    double epsilon = 0;          // contact ratio: length of the path A E over the base pitch
    bool interferencia = false;  // the path of contact runs past T1 or T2
    Punto2 donde{};              // where: T1 or T2
    double juego_normal = 0;     // normal backlash from the tooth thicknesses on the pitch circles rolling at a
};

// "" when the pair can mesh at a (a <= 0: at a_w), or one line saying why not.
std::string comprobar_engrane(const Rueda& r1, const Rueda& r2, double a);
// The textbook values; a <= 0 means a_w. Meaningful only where comprobar_engrane gives "".
Teoria teoria_engrane(const Rueda& r1, const Rueda& r2, double a);

// Two flanks within the contact distance on the driving side: where they touch and their gap.
struct Contacto {
    Punto2 punto;
    double holgura;
};

// The pair at one angle of gear 1.
struct Instante {
    double giro1 = 0;  // gear 1's turn (radians)
    double giro2 = 0;  // gear 2's turn (radians), or the rack's travel along x
    std::vector<Pieza> rueda1, rueda2;  // placed in the scene frame (empty when not asked for)
    std::vector<Contacto> contactos;    // one per pair of teeth in contact, driving side
    double juego = 0;   // normal backlash: how far the other flanks are apart along their normal
    double solape = 0;  // deepest overlap of the two outlines (0 when none)
};

// Where a partner's outline, given in its own frame, lies in the scene: turned by `giro` (radians,
// counter-clockwise) about its centre, the centre then moved to `centro`.
struct Lugar {
    double giro;
    Punto2 centro;
};

// Contacts: outlines within this many modules of each other.
constexpr double DISTANCIA_CONTACTO = 0.002;

class Engrane {
public:
    // The pair from its outlines, each in its own frame: gear 1 centred at the origin (any turn);
    // gear 2 centred at the origin, or the rack with its teeth up and its reference line at y = 0.
    // a <= 0: at a_w. Outlines must not be empty; comprobar_engrane(r1, r2, a) must be "".
    Engrane(const Rueda& r1, const Rueda& r2, const std::vector<Pieza>& contorno1, const std::vector<Pieza>& contorno2,
            double a);
    ~Engrane();
    Engrane(Engrane&&) noexcept;
    Engrane& operator=(Engrane&&) noexcept;

    const Rueda& rueda1() const;
    const Rueda& rueda2() const;
    const Teoria& teoria() const;
    // The outlines in their own frames, a tooth's middle on +x (gear 1 and gear 2) or as given (the rack).
    const std::vector<Pieza>& contorno1() const;
    const std::vector<Pieza>& contorno2() const;

    // The pair with gear 1 turned by giro1 (radians, counter-clockwise) and gear 2 placed from the
    // outlines so that the driving flanks touch; with the outlines placed when con_contornos.
    Instante en(double giro1, bool con_contornos = true) const;
    // Where contorno1() and contorno2() lie at that instant: the placement en() gives the outlines.
    Lugar lugar1(const Instante& s) const;
    Lugar lugar2(const Instante& s) const;

    // Over one pitch of gear 1 in `muestras` equal steps: the mean number of pairs in contact, the
    // mean normal backlash, the deepest overlap.
    struct Medidas {
        double relacion_contacto = 0, juego_normal = 0, solape = 0;
    };
    Medidas medir(int muestras) const;

private:
    struct Datos;
    std::unique_ptr<Datos> d_;
};

// The outline of a gear as a pure rotation: a tooth's middle on its pitch circle turned onto +x.
std::vector<Pieza> con_diente_en_x(const std::vector<Pieza>& contorno, double rp);

// The gear of z teeth cut with shift x (module m) by the rack of `datos`, as the standard cut makes
// it: a positive shift grows the blank by x·m, a negative one moves the teeth into the rack's root.
std::vector<Pieza> cortar_rueda(const float datos[], int z, double m, double x, double paso_grados);

// The basic rack of the cutter of `datos` as one area, its reference line on y = 0, teeth up.
std::vector<Pieza> cremallera_del_cortador(const float datos[]);

// Both partners cut by the rack of `datos` (slots 3 to 11, as llenar_datos fills them) at
// paso_grados a step: gear 1 (z1, x1) and gear 2 (z2, x2; z2 = 0: the basic rack), module m and
// pressure angle alfa_grados. For tests and benchmarks, which need no cut on screen.
struct ParCortado {
    Rueda r1, r2;
    std::vector<Pieza> contorno1, contorno2;
};
ParCortado cortar_par(const float datos[], double m, double alfa_grados, int z1, double x1, int z2, double x2,
                      double paso_grados);
