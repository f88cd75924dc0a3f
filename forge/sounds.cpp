#include "forge/forge.h"

void forge_sounds(const std::string &run_dir) { (void)run_dir; }
