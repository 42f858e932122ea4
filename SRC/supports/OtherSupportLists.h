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
#include "services/TableWindow.h"

TableWindow& GuidesListTable();
bool GuidesListOffered(const Model& model);
void OpenGuidesList();
void PrintGuidesDetails();
std::string DescribeGuide(int row);
// The details text of one guide, limit stop or hanger row on the current
// report line after its node (RowDetails.h).
void GuideDetailsText(int row);

TableWindow& LimitStopsListTable();
bool LimitStopsListOffered(const Model& model);
void OpenLimitStopsList();
void PrintLimitStopsDetails();
std::string DescribeLimitStop(int row);
void LimitStopDetailsText(int row);

TableWindow& SkewedRestraintsListTable();
bool SkewedRestraintsListOffered(const Model& model);
void OpenSkewedRestraintsList();
void PrintSkewedRestraintsDetails();
std::string DescribeSkewedRestraint(int row);
void SkewedRestraintDetailsText(int row);

TableWindow& SnubbersListTable();
bool SnubbersListOffered(const Model& model);
void OpenSnubbersList();
void PrintSnubbersDetails();
std::string DescribeSnubber(int row);
void SnubberDetailsText(int row);

// The nozzles: the "Nozzles" list with the vessel's data and the "Nozzle
// stiffnesses" list of the three springs, both opening NOZZLE_DIALOG; the
// "Nozzles" section (the stiffnesses follow on the printer).
TableWindow& NozzlesListTable();
bool NozzlesListOffered(const Model& model);
void OpenNozzlesList();
TableWindow& NozzleStiffnessesListTable();
void OpenNozzleStiffnessesList();
void RegisterNozzleStiffnessesList();
void PrintNozzlesDetails();
void PrintNozzleStiffnesses();
// The details of the nozzle on layout `row`: the vessel type and its
// lengths, then the three stiffnesses; the text form in lines, the
// comma-separated form in cells.
std::string DescribeNozzle(int row, bool csv);
// The nozzle's details text after its node: its line, then the vessel
// and the stiffnesses a line each (RowDetails.h).
void NozzleDetailsText(int row);

// The hangers: the "Hangers" list (Enter opens the dialog of the hanger's
// kind) and the "Hangers" section; the details of one hanger in a text line
// or, in the comma-separated form, its cells after the node.
TableWindow& HangersListTable();
bool HangersListOffered(const Model& model);
void OpenHangersList();
void PrintHangersDetails();
std::string DescribeHanger(int row, bool csv);
void HangerDetailsText(int row);

// The threaded joints: a list of their nodes and the "Threaded Joints"
// section.
TableWindow& ThreadedJointsListTable();
bool ThreadedJointsListOffered(const Model& model);
void OpenThreadedJointsList();
void PrintThreadedJoints();

TableWindow& GenericSupportsListTable();
bool GenericSupportsListOffered(const Model& model);
void OpenGenericSupportsList();
void PrintGenericSupportsDetails();
// The generic support's details text after its node (RowDetails.h).
void GenericSupportDetailsText(int row);
