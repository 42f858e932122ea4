// "&Load Cases..." (command 231): the current result case picked from a
// list of radio buttons titled with the cases' names. The general chooser
// covers every result case (its template by the number of cases, widened
// in columns of 22 for more than 22 cases); the chooser of the branch
// connection stresses covers that table's own cases (up to ten), shown only
// when there are two or more.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

// "RESULT_LOAD_CASES3_DIALOG" ... "RESULT_LOAD_CASES110_DIALOG" for n cases.
std::string LoadCaseChooserTemplateName(int cases);
// The template of the branch chooser for n cases (2 to 10).
std::string BranchLoadCaseChooserTemplateName(int cases);
// The client size (dialog units) of the largest template for n cases;
// 0, 0 when it keeps its own.
void LoadCaseChooserClientSize(int cases, int& width, int& height);
// Picks the current case over `owner`; a choice (also the current one)
// becomes g_ResultCase and the table shown reloads; Cancel changes nothing.
void ChooseResultLoadCases(HWND owner);
// Picks among `cases` (LoadCaseType ids) with `current` (1-based) the
// current one; the chosen position when it differs from `current`, else 0.
int ChooseBranchStressLoadCases(HWND owner, const std::vector<int>& cases, int current);
