// The items a stress table puts into the Results window's View popup while
// it is the table shown: inserted before "&Graphics" (253) with a separator
// after them, removed with their separator when the table goes. The View
// popup starts with "&Graphics", so a separator right before it is the
// shown table's.
#pragma once

#include <string>
#include <vector>

struct ViewItem {
  int id = 0;
  std::string text;
};

void InsertViewItems(const std::vector<ViewItem>& items);
void RemoveViewItems(const std::vector<int>& ids);
// The text of an item the View popup holds now; empty when it holds none.
std::string ViewItemText(int id);
