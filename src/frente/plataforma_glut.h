#pragma once
// Makes GLUT and GL the simulation's platform.
void usar_plataforma_glut();
