// The four tile colours of play. Taken from the Okabe-Ito palette and nudged (sky lighter, blue a
// little deeper) so that every pair stays far apart also for protan, deutan and tritan vision, and
// every colour stays far from the empty and the inactive grey. Colours 0 and 1 (the two of the
// first stage) are the most distinct pair: yellow against blue.
#pragma once

#include "forge/paint.h"

constexpr rgb tile_yellow_rgb = {240, 228, 66};
constexpr rgb tile_blue_rgb = {0, 118, 190};
constexpr rgb tile_vermilion_rgb = {213, 94, 0};
constexpr rgb tile_sky_rgb = {86, 208, 250};

constexpr int tile_colour_count = 4;
constexpr rgb tile_colours[tile_colour_count] = {tile_yellow_rgb, tile_blue_rgb, tile_vermilion_rgb, tile_sky_rgb};
