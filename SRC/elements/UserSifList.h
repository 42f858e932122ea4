// The "User SIFs" and "Welds" lists of the List window and their sections
// of the printed model data. The user SIFs list shows the factors the
// model's code and options take (the others' columns hidden); its cells
// are read-only, since a factor typed there would skip the dialog's
// checks: Enter or a double click opens the dialog. The welds list shows
// each weld's text.
#pragma once

#include <string>

#include "kindbase/KindList.h"

class UserSifsList : public KindListTable {
 public:
  UserSifsList();
  std::string HeadingText(int column, int line) override;
  void DefineColumns() override;
  void EnterRow(bool control) override;
  void WriteText() override;
};

class WeldsList : public KindListTable {
 public:
  WeldsList();
  std::string HeadingText(int column, int line) override;
  void EnterRow(bool control) override;
  void WriteText() override;
};

TableWindow& UserSifsListTable();
bool UserSifsListOffered(const Model& model);
void OpenUserSifsList();
void PrintUserSifs();  // the "User SIFs" section on the current report road
// The details text of a user SIF or weld row after its node (RowDetails.h).
void UserSifDetailsText(int row);
void WeldDetailsText(int row);

TableWindow& WeldsListTable();
bool WeldsListOffered(const Model& model);
void OpenWeldsList();
void PrintWelds();  // the "Welds" section on the current report road
