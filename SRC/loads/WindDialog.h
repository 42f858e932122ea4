// The wind dialog WIND_DIALOG ("Wind Load 1" .. "Wind Load 4") with its
// profile table, and the wind section of the model report.
//
// The dialog edits the shape factor, the direction and the profile of the
// kind in force (velocity or pressure against elevation) of one wind load;
// the kind and the profile units are common to the four loads. The profile
// is edited in a working copy shown by a two-column table inside the
// dialog (elevation, and velocity or pressure, in the units the three
// combo boxes choose); its last row is a spare blank point. OK drops the
// points without an elevation, refuses an empty profile, sorts the points
// by elevation and keeps one point per elevation; with nothing changed it
// closes as confirmed and discards the undo snapshot. Cancel restores the
// kind and the units as they were when the dialog opened and discards the
// snapshot. "Delete" resets the wind load.
//
// The Layout window's Loads menu opens it for wind load 1 to 4 (commands
// 233, 40044, 40045, 40046).
#pragma once

#include <string>
#include <vector>

#include "model/UndoFiles.h"
#include "platform/Types.h"
#include "records/Wind.h"
#include "services/TableWindow.h"

constexpr int kWindShapeField = 1301;
constexpr int kWindFirstComponent = 1302;  // X, Y, Z: 1302 .. 1304
constexpr int kWindTableItem = 1500;
constexpr int kWindPressureRadio = 1401;
constexpr int kWindVelocityRadio = 1402;
constexpr int kWindElevationUnitCombo = 1201;
constexpr int kWindPressureUnitCombo = 1202;
constexpr int kWindVelocityUnitCombo = 1203;
constexpr int kWindDeleteButton = 1001;

// The wind load the dialog edits, 1 .. 4; kept after the dialog closes.
int& CurrentWindLoad();

// Runs the dialog for wind load `number` (1 .. 4) over `owner`: 1 after OK
// or Delete, 0 after Cancel or in results mode.
int WindLoadDialog(HWND owner, int number, SnapshotToken snapshot);
INT_PTR WindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The working profile of the dialog, shared with the report.
std::vector<WindProfilePoint>& WindProfileEdit();

// The profile table's cell texts in the current profile units: empty for 0,
// "0" for a typed zero.
std::string FormatWindElevation(float value, int unit);
std::string FormatWindPressure(float value, int unit);
std::string FormatWindVelocity(float value, int unit);

class WindProfileTable : public TableWindow {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override { return row >= 1 && column >= 1 && column <= 2; }
  int FilterChar(int character) override;
  void StoreCell() override;
  void EnterRow(bool control) override;
  void ContextMenu() override;
  void AdjustClientRect(RECT& rect) override;
};
WindProfileTable& TheWindProfileTable();

// The wind loads of the model report (WindPrint.cpp).
void PrintWindLoads();
