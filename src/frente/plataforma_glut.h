#pragma once
// Makes GLUT and GL the simulation's platform.
void usar_plataforma_glut();

// Gives a top-level GLUT window the X class name "ortanel", by which desktops match
// it to the program's launcher.
void poner_clase_ventana(int ventana);
