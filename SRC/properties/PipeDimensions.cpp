// The DIN sizes take their radii from the metric size table; the other
// standards' tables join with the pipe section dialog. Until then they list
// no size, so their sections take the rule for sizes a standard does not
// list: 1.5 or 1.0 times the outside diameter.
#include "properties/PipeDimensions.h"

#include "elements/MetricPipeSizes.h"
#include "properties/PipeSection.h"
#include "shell/StandIn.h"

float StandardBendRadius(const PipeSection& section, bool shortRadius) {
  if (section.standard == kStandardDin)
    return MetricStandardBendRadius(section.nominalSize, section.outsideDiameter, shortRadius);
  STAND_IN("the pipe dimension tables of the four standards");
  return (shortRadius ? 1.0f : 1.5f) * section.outsideDiameter;
}
