// The few window-system operations the simulation's callbacks make: GLUT and GL
// in the program, a recording fake in tests.
#pragma once

class Plataforma {
public:
    virtual ~Plataforma() = default;
    virtual int ventana_actual() = 0;            // glutGetWindow
    virtual void fijar_ventana(int id) = 0;      // glutSetWindow
    virtual void pedir_redibujo() = 0;           // glutPostRedisplay on the current window
    virtual void mostrar_ventana() = 0;          // glutShowWindow on the current window
    virtual void ocultar_ventana() = 0;          // glutHideWindow on the current window
    virtual int modificadores() = 0;             // glutGetModifiers
    virtual void borrar_fondo(const float color[3]) = 0;  // glClearColor + glClear on the current window
    virtual void poner_titulo(const char*) {}              // glutSetWindowTitle on the main window
    // The drawing area of the main window (glViewport: x, y from the bottom, width, height) and the
    // window's height; false when there is none to report.
    virtual bool area_dibujo(int[4], int& alto_ventana) { (void)alto_ventana; return false; }
};

// The platform in use; a silent one until the program or a test sets its own.
Plataforma& plataforma();
void usar_plataforma(Plataforma* p);

// Makes the main window current if it is not, then asks for its redisplay.
void redibujar_principal();
