#include "forge/forge.h"

void forge_music(const std::string &run_dir) { (void)run_dir; }
