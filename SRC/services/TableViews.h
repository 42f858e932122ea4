// Resetting the view of every table (current row 1, top row 0, no
// horizontal scroll) when a model is opened or closed, so that no table
// shows a row of the model before. Each table window of the input lists and
// of the results registers itself once, when its module sets it up.
#pragma once

class TableWindow;

void RegisterInputTableView(TableWindow& table);
void RegisterResultTableView(TableWindow& table);
void ResetAllInputTableViews();
void ResetAllResultTableViews();
