// The asset forge: draws every picture, font and sound the game reads, deterministically.
// Each forge_* routine writes its files below the run folder given as `run_dir`
// ("grafika/..." and "muz/..."), and calls forge_fail on anything it cannot do.
#pragma once

#include <string>

void forge_photographs(const std::string &run_dir);  // grafika/r0.jpg .. r4.jpg
void forge_sheet(const std::string &run_dir);        // grafika/ele.png
void forge_overlay(const std::string &run_dir);      // grafika/pl2.png
void forge_fonts(const std::string &run_dir);        // grafika/F16.pcx, arial_16.pcx, arialbd_14.pcx, F20.pcx
void forge_sounds(const std::string &run_dir);       // muz/s1.wav .. s7.wav
void forge_music(const std::string &run_dir);        // muz/muzyczka.ogg

// Prints "forge: <message>" and ends the forge with status 1.
[[noreturn]] void forge_fail(const std::string &message);
