// The dimension tables join with the pipe section dialog. Until then no size
// is listed, so every section takes the rule for sizes the standard does not
// list: 1.5 or 1.0 times its outside diameter.
#include "properties/PipeDimensions.h"

#include "properties/PipeSection.h"
#include "shell/StandIn.h"

float StandardBendRadius(const PipeSection& section, bool shortRadius) {
  STAND_IN("the pipe dimension tables of the four standards");
  return (shortRadius ? 1.0f : 1.5f) * section.outsideDiameter;
}
