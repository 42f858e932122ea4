// Find and Replace in a row range (REPLACE_ELEMENTS_DATAS, Edit > Find and
// Replace): one element type by another, one data type by another or by
// none (deleting those items, after a question), or one material, section
// or pipe-load name by another. A replacement element or item takes its
// values from a template entered once in its kind's own dialog, kept on the
// hidden row 0 while the dialog is open.
//
// The dialog only gathers the request; the command applies it inside its
// undo step, so a result the node table cannot hold, a replaced bend
// whose intermediate node something still names, or a replaced row that
// breaks a row rule (RowRules.h: a joint turned into an element of no
// length), refuses the whole replacement with its message and leaves the
// model as it was. Kinds whose dialog is not built yet are not offered as
// replacements. The dialog opens with From # selected.
//
// A Beam names beam records and every other kind with properties pipe
// records: replaced rows that cross the Beam line (a Beam turned into a
// pipe, a pipe into a Beam), or whose names are no records of their new
// kind's tables, get three names asked once, with the pickers the Type
// cell opens for such a change (a kind without properties has its names
// cleared); no record to pick, or a picker left without a choice, refuses
// the replacement whole.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

struct Model;

enum class ReplaceMode { Element, Data, Material, Section, Load };

struct ReplaceRequest {
  int from = 0, to = 0;
  ReplaceMode mode = ReplaceMode::Element;
  std::int32_t findType = 0;     // ElementType or DataType code; a hanger kind is 101 .. 103
  std::int32_t replaceType = 0;  // 0: none (data mode: delete)
  std::string findName, replaceName;
};

// The find-type codes the data lists use for the hanger kinds.
bool IsHangerKindCode(std::int32_t code);

// Applies the request, the template on row 0 giving the replacements'
// values; asks before deleting data items. Throws the refusal text when a
// replaced bend's intermediate node is still named or a replaced row breaks
// a row rule. True when the model changed.
bool ApplyReplaceRequest(Model& model, const ReplaceRequest& request, HWND owner);

// The dialog; true with `request` filled when OK passed its checks.
bool FindReplaceDialog(HWND owner, ReplaceRequest& request);
