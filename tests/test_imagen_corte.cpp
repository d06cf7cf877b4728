#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "nucleo/callbacks.h"
#include "nucleo/escena.h"
#include "nucleo/estado.h"
#include "nucleo/imagen_corte.h"
#include "nucleo/movimiento.h"
#include "prueba.h"

namespace {

constexpr int MAXIMO = 4096;

class ImagenCorte : public Programa {
protected:
    float cero[3] = {0, 0, 0};
    // The key of a 660-pixel square view with the present offsets.
    ClaveCorte clave(int ancho = 660, int alto = 660, int maximo = MAXIMO) {
        return clave_corte(caja_proyeccion(Origen, trans, ancho, alto), ancho, alto, maximo);
    }
    void rodar(int pasos) {
        glui_AutoOnOff->user_press();
        for (int n = 0; n < 100000 && Conta_h < 1 + pasos; ++n) idle();
        glui_AutoOnOff->user_press();
    }
};

}  // namespace

TEST_F(ImagenCorte, ClaveDeLaVistaPorDefecto) {
    elegir(SIMULACION_ESTANDAR);
    rodar(1);
    ClaveCorte k = clave();
    EXPECT_FLOAT_EQ(k.centro_y, 0) << "after the first approach the rack turns about the blank's centre";
    EXPECT_FLOAT_EQ(k.referencia_y, -8);
    EXPECT_FLOAT_EQ(k.distancia, 8);
    EXPECT_FLOAT_EQ(k.radio, 8) << "the blank, wider than both circles";
    EXPECT_FLOAT_EQ(k.recorte, 8);
    EXPECT_FLOAT_EQ(k.incremento, 1);
    EXPECT_NEAR(k.interior, 5.75, 1e-5) << "the rack's tips reach down to the root circle, no nearer";
    // 660 pixels over 35 units: the image's 16 units get as many texels as pixels, plus one each side.
    EXPECT_EQ(k.lado, static_cast<int>(std::ceil(16 * 660 / 35.0)) + 2);
    float d[NUM_DATOS];
    llenar_datos(d);
    for (int i = 0; i < NUM_DATOS - 3; ++i) EXPECT_EQ(k.forma[i], d[3 + i]) << "slot " << 3 + i;
    CajaVista c = caja_imagen(k);
    EXPECT_FLOAT_EQ(c.izquierda, -8);
    EXPECT_FLOAT_EQ(c.derecha, 8);
    EXPECT_FLOAT_EQ(c.abajo, -8);
    EXPECT_FLOAT_EQ(c.arriba, 8);
}

TEST_F(ImagenCorte, AntesDeLaPrimeraAproximacion) {
    elegir(SIMULACION_ESTANDAR);
    ClaveCorte k = clave();
    // The turning centre still lies 4.5 below the blank's: the image must reach the blank from there.
    EXPECT_FLOAT_EQ(k.centro_y, -4.5f);
    EXPECT_FLOAT_EQ(k.radio, 12.5f);
    EXPECT_EQ(k.recorte, 0) << "no part may be left out when the disc turns off its centre";
    CajaVista c = caja_imagen(k);
    EXPECT_FLOAT_EQ(c.abajo, -17);
    EXPECT_FLOAT_EQ(c.arriba, 8);
}

TEST_F(ImagenCorte, QueCambiaLaClave) {
    elegir(SIMULACION_ESTANDAR);
    rodar(3);
    const ClaveCorte k = clave();
    EXPECT_EQ(clave(), k);

    trans[0] = 3;
    trans[1] = -2;
    EXPECT_EQ(clave(), k) << "a pan moves the image, it does not change it";
    glui_CPaso->user_toggle();
    glui_CFondo->user_toggle();
    ColorFondo[0] = 0.5f;
    ColorEngranaje[1] = 0.5f;
    EXPECT_EQ(clave(), k) << "circles and colours are drawn outside the image";

    trans[2] = -5;
    EXPECT_NE(clave().lado, k.lado) << "a zoom changes the texels";
    trans[2] = 0;
    EXPECT_EQ(clave(800, 660), k) << "a wider area shows more around the same scale";
    EXPECT_EQ(clave(660, 900), k);
    EXPECT_EQ(clave(660, 500).lado, static_cast<int>(std::ceil(16 * 500 / 35.0)) + 2) << "a lower one shrinks it";

    E_incremento = 2;
    EXPECT_NE(clave(), k);
    E_incremento = 1;
    Penetracion = 0.3f;
    EXPECT_NE(clave(), k) << "the rack's root and its distance";
    EXPECT_NEAR(clave().interior, 5.45, 1e-5) << "the rack drawn nearer the centre";
    Penetracion = 0;
    C_Desplaza += 0.1f;
    EXPECT_NE(clave(), k) << "the recorded positions' height";
    C_Desplaza -= 0.1f;
    Paso = 2;
    EXPECT_NE(clave(), k) << "the rack's shape";
    Paso = k.forma[1];
    Rc += 1;
    EXPECT_NE(clave(), k);
    Rc -= 1;
    EXPECT_EQ(clave(), k);
}

TEST_F(ImagenCorte, ClaveSinImagenPosible) {
    elegir(SIMULACION_ESTANDAR);
    trans[2] = 1.4f * Origen;  // the view box shrinks to a point
    EXPECT_EQ(clave().lado, 0);
    EXPECT_EQ(clave(0, 660).lado, 0);
    EXPECT_EQ(clave(660, 0).lado, 0);
    trans[2] = 0;
    EXPECT_EQ(clave(660, 660, 0).lado, 0);
    EXPECT_EQ(clave(660, 660, 1).lado, 1) << "one texel is still an image";
    Rc = NAN;
    EXPECT_EQ(clave().lado, 0);
}

TEST_F(ImagenCorte, LadoLimitadoYEspejo) {
    elegir(SIMULACION_ESTANDAR);
    rodar(1);
    trans[2] = -15;  // a close view: 660 pixels over 5 units
    ClaveCorte k = clave();
    EXPECT_EQ(k.lado, static_cast<int>(std::ceil(16 * 660 / 5.0)) + 2);
    EXPECT_EQ(clave(660, 660, 1000).lado, 1000) << "a larger image gets coarser texels instead";
    float cerca = 1.4f * Origen - 15, espejo = 1.4f * Origen - (-15 - 1.4f * Origen);
    trans[2] = espejo;  // mirrored: the same size of box, turned over
    EXPECT_NEAR(clave().lado, k.lado, 1) << cerca;
}

TEST_F(ImagenCorte, TrazasComoElDibujoCompleto) {
    elegir(SIMULACION_ESTANDAR);
    EXPECT_TRUE(trazas_corte().empty());
    rodar(5);
    std::vector<float> t = trazas_corte();
    float datos[NUM_DATOS];
    ASSERT_EQ(static_cast<int>(t.size()), recorrer_trazas(datos, [](const float*) {}));
    ASSERT_EQ(t.size(), 5u) << "the newest entry is where the rack stands";
    for (size_t i = 0; i < t.size(); ++i) EXPECT_EQ(t[i], C_Historia_X[i]);
}

TEST_F(ImagenCorte, ImagenGiradaDaLaTraza) {
    elegir(SIMULACION_ESTANDAR);
    glui_Giro->user_commit("3");
    rodar(30);
    ClaveCorte k = clave();
    std::vector<float> t = trazas_corte();
    float completo[NUM_DATOS];
    llenar_datos(completo);
    size_t i = 0;
    recorrer_trazas(completo, [&](const float* d) {
        float im[NUM_DATOS];
        colocar_en_imagen(im, k, i, t[i]);
        // Turned by the blank's angle about the turning centre, the image's placement is the frame's.
        double e = E_angulo * PI / 180.0;
        double x = im[0] * std::cos(e) - (im[1] - k.centro_y) * std::sin(e);
        double y = im[0] * std::sin(e) + (im[1] - k.centro_y) * std::cos(e) + k.centro_y;
        EXPECT_NEAR(x, d[0], 1e-4) << "position " << i;
        EXPECT_NEAR(y, d[1], 1e-4) << "position " << i;
        EXPECT_NEAR(im[2] + E_angulo, d[2], 1e-4) << "position " << i;
        for (int s = 3; s < NUM_DATOS; ++s) EXPECT_EQ(im[s], d[s]);
        ++i;
    });
    EXPECT_EQ(i, t.size());
}

TEST_F(ImagenCorte, PlanDeCadaCuadro) {
    ClaveCorte k;
    k.lado = 300;
    k.radio = 8;
    RegistroCorte r;
    PlanCorte p = r.planificar(k, {});
    EXPECT_TRUE(p.rehacer) << "nothing held yet";
    EXPECT_EQ(p.hasta, 0u);

    p = r.planificar(k, {1, 2, 3});
    EXPECT_FALSE(p.rehacer);
    EXPECT_EQ(p.desde, 0u);
    EXPECT_EQ(p.hasta, 3u);
    p = r.planificar(k, {1, 2, 3, 4});
    EXPECT_FALSE(p.rehacer);
    EXPECT_EQ(p.desde, 3u) << "only the new position";
    EXPECT_EQ(p.hasta, 4u);
    p = r.planificar(k, {1, 2, 3, 4});
    EXPECT_FALSE(p.rehacer);
    EXPECT_EQ(p.desde, p.hasta) << "nothing new";
    EXPECT_EQ(r.guardadas(), 4u);

    p = r.planificar(k, {1, 2, 3});
    EXPECT_TRUE(p.rehacer) << "a step back";
    EXPECT_EQ(p.desde, 0u);
    EXPECT_EQ(p.hasta, 3u);
    p = r.planificar(k, {1, 5, 3, 4});
    EXPECT_TRUE(p.rehacer) << "a held position changed";
    EXPECT_EQ(p.hasta, 4u);

    ClaveCorte otra = k;
    otra.forma[7] = 25;
    p = r.planificar(otra, {1, 5, 3, 4});
    EXPECT_TRUE(p.rehacer) << "another key";
    p = r.planificar(otra, {1, 5, 3, 4});
    EXPECT_FALSE(p.rehacer);
    r.olvidar();
    EXPECT_EQ(r.guardadas(), 0u);
    p = r.planificar(otra, {1, 5, 3, 4});
    EXPECT_TRUE(p.rehacer) << "the image was lost";
    EXPECT_EQ(p.hasta, 4u);
}

TEST(ClaveCorte_, CadaCampoCuenta) {
    ClaveCorte a;
    a.lado = 10;
    auto distinta = [&](auto cambiar) {
        ClaveCorte b = a;
        cambiar(b);
        return b != a && !(b == a);
    };
    EXPECT_FALSE(a != a);
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.lado = 11; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.radio = 1; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.centro_y = 1; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.referencia_y = 1; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.distancia = 1; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.incremento = 1; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.recorte = 1; }));
    EXPECT_TRUE(distinta([](ClaveCorte& b) { b.interior = 1; }));
    for (int i = 0; i < NUM_DATOS - 3; ++i)
        EXPECT_TRUE(distinta([i](ClaveCorte& b) { b.forma[i] = 1; })) << "slot " << 3 + i;
}
