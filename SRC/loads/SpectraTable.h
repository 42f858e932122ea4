// The "Spectrums" list of the List window: one row per response spectrum
// and the blank entry after the last, one column "Name". Storing a name
// refuses a name another spectrum has and asks before a rename, which the
// spectrum load follows; Enter wants a name and points; Insert puts a
// blank entry before a named one; Delete refuses a spectrum the spectrum
// load uses and resets the blank entry. Each spectrum's points are shown
// and edited in the values grid beside the list (SpectrumValuesGrid.h).
// The same list, titled "Spectrum Library", is the body of the spectrum
// library's window: it then holds the library's spectra, no spectrum is in
// use and the window's own menu stays as it is.
//
// While the list is shown in the model, the List window's File menu offers
// "&Library...", "&Read Spectrum..." and "&Export..." above Print, the Edit
// menu's Edit is greyed, and the Options menu's Units item becomes
// "&Spectrum..." (the options of the current spectrum, SPECTRUM_OPTIONS_DIALOG);
// leaving the list restores them. While results are shown only the Options
// item changes.
#pragma once

#include <cstddef>
#include <string>

#include "model/UndoFiles.h"
#include "platform/Types.h"
#include "services/TableWindow.h"

struct Model;

class SpectraTable : public ItemListTableWindow {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override { return row >= 1 && column == 1; }
  int FilterChar(int character) override;
  void StoreCell() override;
  void EnterRow(bool control) override;
  void InsertRow() override;
  void DeleteRow() override;
  void EditCurrentItem() override;
  void CurrentRowChanged() override;
  bool MustKeepFocus() override;
  void ContextMenu() override;
  void UpdateMenu() override;
  // The menu items come with every showing of the table (a refresh shows
  // it again, which closes it first) and go with its closing.
  void Prepare() override;
  void Close() override;
  void WriteText() override;
  std::string PrintName() override;
};

SpectraTable& TheSpectraTable();
// The List window's opener and its condition (spectra exist).
void OpenSpectraTable();
bool SpectraOffered(const Model& model);
// The 0-based spectrum of the table's current row; the blank entry when the
// list is not shown.
std::size_t SpectraTableCurrentEntry();

// The commands the list adds to the List window: 250 read a spectrum, 351
// export, 270 the library, 306 the spectrum options. False for any other
// command, or when the list is not shown.
bool SpectraListCommand(HWND window, int command);

// SPECTRUM_OPTIONS_DIALOG for spectrum `entry` (0-based); 1 after OK.
int SpectrumOptionsDialog(HWND owner, std::size_t entry);
// SPECTRUM_DIALOG, the spectrum load: 1 after OK, 0 after Cancel.
int SpectrumLoadDialog(HWND owner, SnapshotToken snapshot);
