// The program's resources as the layer sees them: the table of embedded files
// that the program registers at start-up, and the parsed records of dialog
// templates, menus and accelerator tables that dialogs, LoadMenu and
// LoadAccelerators are built on.
//
// The build embeds every file under resources/ into a constant table of
// ResourceEntry records (resources/Resources.cmake); nothing is registered
// behind anyone's back: the program's start-up and the test fixtures hand the
// table to RegisterResources. Resources are named by text: dialogs, menus and
// accelerator tables by the names the program uses ("MAIN_MENU"), numbered
// resources (bitmaps 1801, icons 7001) by their decimal number as text, which
// is what a MAKEINTRESOURCE name turns into (ResourceNameText).
//
// Templates are parsed on first use and kept; a template that does not parse
// is reported once through TemplateError and is then simply absent. The text
// formats are described at the top of ResourceParse.cpp.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace platform {

enum class ResourceType : int { Dialog, Menu, Accelerators, Bitmap, Icon, Cursor };

struct ResourceEntry {
  ResourceType type;
  const char* name;
  const unsigned char* data;
  std::size_t size;
};

// Makes `count` entries the resources of the process (replacing any earlier
// table; the entries must outlive every later lookup, as a constant table
// does). Parsed templates of an earlier table are forgotten.
void RegisterResources(const ResourceEntry* entries, std::size_t count);
// The raw bytes of a resource, or null.
const ResourceEntry* FindResourceEntry(ResourceType type, const std::string& name);
std::vector<std::string> ResourceNames(ResourceType type);
// A resource name given as a pointer that may be a MAKEINTRESOURCE number.
std::string ResourceNameText(LPCSTR name);

// --- dialog templates --------------------------------------------------------
// Positions and sizes are in dialog units; styles hold the Windows values.
struct DialogItemTemplate {
  int id = -1;
  std::string className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", ...
  std::string text;
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;  // WS_CHILD is always added, WS_VISIBLE unless hidden
  DWORD exStyle = 0;
  bool hidden = false;
};

struct DialogTemplate {
  std::string name;
  std::string caption;
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  int pointSize = 8;  // the dialog font: the layer's sans-serif face at this size
  std::vector<DialogItemTemplate> items;
};

// --- menus -------------------------------------------------------------------
struct MenuItemTemplate {
  std::string text;  // with its '&' mnemonic and "\t" shortcut text
  UINT id = 0;       // command id; 0 for popups and separators
  bool separator = false;
  bool popup = false;
  bool grayed = false;
  bool checked = false;
  std::vector<MenuItemTemplate> items;  // a popup's entries
};

struct MenuTemplate {
  std::string name;
  std::vector<MenuItemTemplate> items;  // the bar's entries
};

// --- accelerator tables --------------------------------------------------------
// Flag values of the accelerator record.
constexpr BYTE kAccelVirtualKey = 0x01;  // FVIRTKEY
constexpr BYTE kAccelShift = 0x04;       // FSHIFT
constexpr BYTE kAccelControl = 0x08;     // FCONTROL
constexpr BYTE kAccelAlt = 0x10;         // FALT

struct AcceleratorTemplateEntry {
  BYTE flags = kAccelVirtualKey;
  WORD key = 0;  // virtual-key code
  WORD command = 0;
};

struct AcceleratorTemplate {
  std::string name;
  std::vector<AcceleratorTemplateEntry> entries;
};

// Parsed templates, or null when absent (or unparsable). The records stay
// valid until the next RegisterResources.
const DialogTemplate* FindDialogTemplate(const std::string& name);
const MenuTemplate* FindMenuTemplate(const std::string& name);
const AcceleratorTemplate* FindAcceleratorTemplate(const std::string& name);
// The parse error of a template, empty when it parsed (or does not exist).
std::string TemplateError(ResourceType type, const std::string& name);

// The parsers themselves, for the build's checks and for tests; on failure
// they return false and put "NAME, line N: what" (or "NAME: what" for the
// whole text) into `error`.
bool ParseDialogTemplate(const std::string& name, const std::string& text, DialogTemplate* out,
                         std::string* error);
bool ParseMenuTemplate(const std::string& name, const std::string& text, MenuTemplate* out,
                       std::string* error);
bool ParseAcceleratorTemplate(const std::string& name, const std::string& text,
                              AcceleratorTemplate* out, std::string* error);

}  // namespace platform
