// The pressure design window: the List frame taken over with the menu
// "PRESSURE_DESIGN" and the accelerators "PRESSURE_DESIGN_ACCEL" while it
// shows the records of the last EN 13480-3 internal or external pressure
// design (PressureDesign.h) as a table, one row per record, with the record
// count in the title. Moving in the table highlights the record's layout
// row. The window is the List frame's tool (ListWindow.h, ListFrameTool): it
// gives the frame back before another list shows, when the frame closes and
// when another document is opened or made new.
//
// The designs start from the Layout window: "&Internal Pressure Design:
// EN 13480-3" (command 40057) and "&External Pressure Design: EN 13480-3"
// (40058). Rows that the design had to leave out are named in a warning
// after the table shows.
//
// Printing: on the printer the whole table; as comma-separated lines a
// title line, a heading line of units and one line per record. A text
// report is refused with "Text file printing not possible for Pressure
// Design", before any file is opened.
#pragma once

#include <string>

#include "platform/Types.h"

class TableWindow;

// The Layout window's commands 40057 and 40058.
void InternalPressureDesignCommand(HWND owner);
void ExternalPressureDesignCommand(HWND owner);

// Show the records of the last run; nothing when there are none.
void ShowInternalPressureDesign();
void ShowExternalPressureDesign();

// The List frame with the pressure design's menu and accelerators, and
// back.
void OpenPressureDesignWindow();
void ClosePressureDesign();
bool PressureDesignShown();

TableWindow& InternalPressureDesignTable();
TableWindow& ExternalPressureDesignTable();
// The comma-separated report of the table shown, on the open report file.
void WritePressureDesignCsv();
