// The game shell: start-up, the flow from screen to screen, input, sound and the asset files.
#pragma once

#include <string>
#include <vector>

// Every file the program reads, relative to its working folder (the run folder).
const std::vector<std::string> &asset_files();

// The asset files that cannot be opened for reading from the working folder.
std::vector<std::string> missing_assets();

// Prints which asset files are missing or unreadable and how to make them, to stderr.
void report_missing_assets(const std::vector<std::string> &files);
