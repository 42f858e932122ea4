// The threaded joint (DataType 15): marks a threaded connection at the row's
// node for the code's stress intensification. It carries no values: its
// copy copies nothing and it has no record in the model file (the base's
// empty read and write).
#pragma once

#include "model/RowObjects.h"

class ThreadedJoint : public DataItem {};
