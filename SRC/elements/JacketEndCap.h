// The jacket end cap (DataType 10): the jacket connection that closes the
// jacket at the core pipe's node. It has no values of its own and no record
// in the model file (the base's empty read and write).
#pragma once

#include "model/RowObjects.h"

class JacketEndCap : public DataItem {};
