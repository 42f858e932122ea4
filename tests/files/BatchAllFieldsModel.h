// A model whose records set every field the model file stores to a value
// other than a new record's: the all-kinds model (one row of every element
// kind and data item, a record of every table), every value of each filled
// in, the options section and the Quality Assurance Block and revisions
// too. The values are ones the batch file's reader accepts, so that what
// the export can carry comes back.
#pragma once

#include "model/Model.h"

void BuildAllFieldsModel(Model& model);
