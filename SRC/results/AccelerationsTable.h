// The "Accelerations: Response spectrum" result table: the combined
// accelerations of the response spectrum case at every result node, in g
// (X, Y, Z), with its printed, text-report and comma-separated forms.
#pragma once

class ResultTableWindow;

void OpenResponseAccelerationsTable();
ResultTableWindow& ResponseAccelerationsTable();
void RegisterAccelerationsTable();
