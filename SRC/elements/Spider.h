// The spider (DataType 9): a jacket connection that ties the core pipe's node
// to the jacket node around it. It has no values of its own and no record in
// the model file (the base's empty read and write); the analysis gives it
// the jacket node and a local frame when it joins.
#pragma once

#include "model/RowObjects.h"

class Spider : public DataItem {};
