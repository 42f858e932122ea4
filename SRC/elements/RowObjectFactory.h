// The row objects' factories and edit dialogs of every kind, for the model
// core (see model/RowObjects.h and RowObjectFactory.cpp).
#pragma once

#include "model/RowObjects.h"

RowKinds TheRowKinds();
