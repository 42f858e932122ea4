// ELASTIC_DIALOG, the elastic element's edit dialog (see ElasticDialog.cpp),
// and the stiffness texts and parsing its list shares.
#pragma once

#include <string>

#include "platform/Types.h"

INT_PTR ElasticDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Stiffness i (0-2 translational, 3-5 rotational) as text ("Rigid" for the
// rigid value) and from the shared edit-field text; a refusal throws the
// invalid message of its label ("kx" ... "kzz").
std::string ElasticStiffnessText(int i, float value);
float ParseElasticStiffness(int i);
