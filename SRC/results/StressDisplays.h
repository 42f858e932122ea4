// The stress displays of the Results window in the graphics window: "Show
// Stresses" (command 332) and "Show Stress Ratios" (333) over the sorted
// stresses table, for its current section. With colour coding on (the
// default; command 383 switches it) the rendered model takes the colour of
// each element end's stress or ratio on the colour scale (graphics/
// ResultPicture.h), the stresses from the smallest to the largest of the
// section's sorted rows, the ratios from 0 to 1, and the scale's bar
// stands beside it; without it the line picture writes each sorted node's
// value beside the node, at or above the Thresholds dialog's thresholds,
// in red where the ratio exceeds 1. The graphics caption names what is
// shown. The two displays exclude each other.
#pragma once

#include <string>

bool StressDisplayShown();
bool RatioDisplayShown();
bool ColourCodingOff();
void ShowStresses();
void HideStresses();
void ShowStressRatios();
void HideStressRatios();
// Command 383: the displays that are on go off, and colour coding flips.
void ToggleColourCoding();
// Both displays off (the table leaves, results close, the Layout or List
// window takes over).
void HideStressDisplays();
// The section changed: a display shown follows it.
void ApplyStressSection();
// The graphics captions of the two displays.
std::string StressLegendText();
std::string RatioLegendText();
