// A model holding one row of every element kind and every data item, each
// with values other than its defaults, and non-empty tables of every kind;
// it keeps every rule of the whole model (model/ModelRules.h), as a model
// that any road opens must.
#pragma once

#include "model/Model.h"

void BuildAllKindsModel(Model& model);
