// The sections a model report prints, written on the current report road.
#pragma once

// Writes the selected model sections (the Layout window's report).
void PrintSelectedSections();
