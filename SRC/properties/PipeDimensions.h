// The built-in pipe dimension tables of the four dimension standards (ANSI,
// DIN, JIS, ISO) and the standard bend radii they give.
#pragma once

struct PipeSection;

// The bend radius of the section's nominal size: the standard's long radius,
// or its short radius when `shortRadius` is set; for a size the standard does
// not list, 1.5 (long) or 1.0 (short) times the outside diameter.
float StandardBendRadius(const PipeSection& section, bool shortRadius);
