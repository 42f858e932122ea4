// The input lists of the guides, limit stops, skewed restraints, snubbers
// and generic supports in the List window, and their printed sections. The
// lists are read-only but for the skewed restraint's stiffness, typed in
// its cell and read as its dialog reads it: Enter or a double click opens
// the kind's dialog, where every value is parsed and checked. A generic
// support takes six
// lines, one per matrix row (upper triangle, each term in its group's
// unit); a group B unit index outside 0 .. 5 met there is repaired to
// (lb/deg) after the question, and a No also asks the program to close.
#pragma once

#include <string>

#include "model/Model.h"
#include "shell/TableWindow.h"

TableWindow& GuidesListTable();
bool GuidesListOffered(const Model& model);
void OpenGuidesList();
void PrintGuidesDetails();
std::string DescribeGuide(int row);

TableWindow& LimitStopsListTable();
bool LimitStopsListOffered(const Model& model);
void OpenLimitStopsList();
void PrintLimitStopsDetails();
std::string DescribeLimitStop(int row);

TableWindow& SkewedRestraintsListTable();
bool SkewedRestraintsListOffered(const Model& model);
void OpenSkewedRestraintsList();
void PrintSkewedRestraintsDetails();
std::string DescribeSkewedRestraint(int row);

TableWindow& SnubbersListTable();
bool SnubbersListOffered(const Model& model);
void OpenSnubbersList();
void PrintSnubbersDetails();
std::string DescribeSnubber(int row);

TableWindow& GenericSupportsListTable();
bool GenericSupportsListOffered(const Model& model);
void OpenGenericSupportsList();
void PrintGenericSupportsDetails();
