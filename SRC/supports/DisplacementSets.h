// Specified displacements: movements imposed on an anchor or a nozzle,
// twelve sets of six values (X, Y, Z in inch, XX, YY, ZZ in degrees), one
// per slot T1 to T10, Seismic and Settlement, with a flag per slot. The
// block of values exists exactly while at least one flag is set; reading,
// writing and copying test the flags, never the block.
//
// Which slots the user sees is the set list, derived before every use from
// the number of thermal loads and the piping code: the thermal slots in
// use, then Seismic for the codes with seismic anchor movements and
// Settlement for the codes with settlement. Slots the list hides keep their
// values on every path, a store from the dialog included.
//
// In the model file the twelve flags are stored as T1-T3, T4-T10 (versions
// above 690 only), Seismic and Settlement, and the values follow the item's
// other fields when a flag is set: 72 floats from version 691, before it 30
// floats for the slots T1, T2, T3, Seismic and Settlement, which land in
// slots 0, 1, 2, 10 and 11. The readers take the version of the file.
//
// The dialog, the table and the report are DisplacementSetsDialog.cpp,
// DisplacementSetsTable.cpp and DisplacementSetsPrint.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

struct BinaryFile;
struct LayoutRow;
struct Model;

inline constexpr int kDisplacementSlots = 12;
inline constexpr int kSeismicSlot = 10;
inline constexpr int kSettlementSlot = 11;

// Values 1 to 72; value 0 is unused. Slot k holds values 6k+1 to 6k+6.
struct DisplacementSets {
  std::array<float, 6 * kDisplacementSlots + 1> values{};
};

struct SpecifiedDisplacements {
  std::array<std::uint8_t, kDisplacementSlots> flags{};
  std::unique_ptr<DisplacementSets> sets;  // present exactly when a flag is set

  bool HasAny() const;
};

// The flags as the file keeps them (T4 to T10 only above version 690).
void ReadDisplacementFlags(BinaryFile& file, int version, SpecifiedDisplacements& displacements);
void WriteDisplacementFlags(BinaryFile& file, const SpecifiedDisplacements& displacements);
// The values, read and written only when a flag is set; the reader makes the
// block and drops it when no flag is set.
void ReadDisplacementValues(BinaryFile& file, int version, SpecifiedDisplacements& displacements);
void WriteDisplacementValues(BinaryFile& file, const SpecifiedDisplacements& displacements);
// Flags and a fresh copy of the block.
void CopyDisplacements(SpecifiedDisplacements& destination, const SpecifiedDisplacements& source);

// The rotations of the sets are held in degrees, as the file holds them,
// while the program's angles are radians: these show and read them in the
// angle unit the user chose.
std::string RotationText(float degrees);
int ParseFieldRotation(float& degrees);

// The displacements of a row's anchor or nozzle; null for any other row.
SpecifiedDisplacements* RowDisplacements(LayoutRow& row);
const SpecifiedDisplacements* RowDisplacements(const LayoutRow& row);
// The in-pipe-LCS flag of a row's anchor (a nozzle's values are global).
bool RowDisplacementsInPipeLcs(const LayoutRow& row);

// --- the set list -------------------------------------------------------------------
struct DisplacementSetEntry {
  std::string label;  // "T1" .. "T10", "Seis", "Setl"
  int slot = 0;
  int firstValue = 0;  // the slot's first value index minus one
};
struct DisplacementSetList {
  std::vector<DisplacementSetEntry> entries;
  bool seismic = false;
  bool settlement = false;
};
// The list for a thermal-load count (4 or more: ten) and a piping code.
DisplacementSetList BuildDisplacementSetList(int thermalLoadCount, int pipingCode);
// The list of the open model (BuildSpecDisplSets) and its size.
const DisplacementSetList& BuildSpecDisplSets();
int SpecifiedDisplacementSetCount();
// The dialog's row label: "Seismic" and "Settlement" for the two short ones.
std::string DisplacementSetDialogLabel(const std::string& shortLabel);
// The dialog template for the current count: SPEC_DISPL1_DIALOG ..
// SPEC_DISPL5_DIALOG, SPEC_DISPL10_DIALOG .. SPEC_DISPL12_DIALOG.
std::string SpecDisplDialogTemplate();

// --- the dialog (DisplacementSetsDialog.cpp) ----------------------------------------------
// Set by a store of the dialog, cleared by its Cancel; the anchor and nozzle
// dialogs clear it when they open and read it on their own Cancel.
extern std::uint8_t g_SpecDisplStored;
// The dialog procedure; the initial parameter is the layout row of an anchor
// or a nozzle. Ends with 1 after OK (stored or unchanged), 0 after Cancel or
// OK while results are shown.
INT_PTR SpecDisplDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog of the current set count for `row` over `owner`; its result.
int RunSpecDisplDialog(HWND owner, int row);

// --- the table (DisplacementSetsTable.cpp) ------------------------------------------------
// The List window's "&Specified displ" list, offered while some anchor or
// nozzle carries displacements.
void OpenSpecifiedDisplacementsTable();
bool SpecifiedDisplacementsOffered(const Model& model);
// The cell text of line `line` of entry `entry` of the rows with sets, the
// heading of a column (1 .. 10) and its width for a measure of text: the
// widest of the heading and every line of every entry.
std::string SpecifiedDisplacementsCellText(int entry, int column, int line);
std::string SpecifiedDisplacementsHeading(int column);
int SpecifiedDisplacementsColumnWidth(int column, int lines, const std::function<int(const std::string&)>& measure);
// The Layout window's "List specified displ" command (286).
void ListSpecifiedDisplacements();

// --- the report (DisplacementSetsPrint.cpp) -----------------------------------------------
// The "Specified Displacements" section; nothing without rows with sets.
void PrintSpecifiedDisplacements();
// The detail lines of one row's anchor or nozzle on the file road.
void SpecifiedDisplacementsDetailsText(int row);
