// The colours the game's rules and screens fix, and the house palette the forged pieces share,
// so that the sprite sheet, the frame overlay and the captions look like one piece of work.
#pragma once

#include "forge/paint.h"

// Fixed by the rules of play: what the probes read.
constexpr rgb empty_rgb = {110, 110, 110};     // an empty field
constexpr rgb inactive_rgb = {83, 82, 84};     // an inactive field at its inactive probe
constexpr rgb mask_colour_rgb = {255, 0, 255}; // transparent in every masked picture

// Fixed by the screens (the game draws or fills with these at run time).
constexpr rgb hover_green_rgb = {117, 134, 51};    // flood fill of a hovered side button / menu bar
constexpr rgb button_rgb = {76, 87, 27};           // level-complete / gallery button, normal
constexpr rgb button_hover_rgb = {98, 113, 39};    // the same, hovered
constexpr rgb panel_olive_rgb = {99, 111, 55};     // info panel inside
constexpr rgb label_rgb = {160, 177, 111};         // info panel labels
constexpr rgb value_rgb = {210, 237, 161};         // info panel values, highlighted text
constexpr rgb counter_rgb = {188, 200, 188};       // the remaining counter
constexpr rgb prompt_yellow_rgb = {199, 200, 37};  // language prompts
constexpr rgb stage_text_rgb = {23, 163, 23};      // "stage completed" text on the banner
constexpr rgb reserve_frame_rgb = {64, 64, 65};    // the reserve zone's outline

// House palette for the pieces: dark slate plates with olive trim and warm light lettering.
constexpr rgb plate_dark_rgb = {34, 37, 33};
constexpr rgb plate_rgb = {48, 53, 44};
constexpr rgb plate_light_rgb = {70, 77, 62};
constexpr rgb trim_rgb = {140, 152, 96};
constexpr rgb trim_light_rgb = {196, 206, 150};
constexpr rgb ink_light_rgb = {232, 228, 205};     // lettering on dark plates
constexpr rgb ink_dark_rgb = {22, 24, 18};         // lettering shadows and outlines
constexpr rgb side_button_rgb = {58, 66, 34};      // side buttons' single-colour face (filled green on hover)
