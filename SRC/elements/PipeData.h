// The pipe element (ElementType 3): a straight pipe from the row's start
// node to its own node. Everything a pipe needs is on its row (offsets,
// material, section, load), so the object holds no values and its model-file
// record is empty. The cut pipe extends it.
#pragma once

#include "model/RowObjects.h"

class PipeData : public ElementData {};
