// The data of the four dimension standards (see PipeDimensions.h).
//
// ANSI: outside diameters and walls of ASME B36.10M (carbon steel, Sch 10 to
// XXS) and B36.19M (stainless, 5S to 80S), checked against the published
// tables. The table offers the schedules of the edition the program's users
// know: Sch 10 only from 14" and Sch 30 only from 8" (newer editions also
// list them for smaller sizes). "LW" (light wall) is not a B36 schedule; only
// 2" carries it (0.109"). Long radii are the 1.5 D
// elbows of ASME B16.9 (1.5" for 1/2" and below), short radii the 1 D
// elbows of B16.28 (1" below 1").
//
// DIN (DN sizes, EN 10220 diameters, wall series 1 to 5 from the light
// welded to the heavy seamless walls), JIS (A sizes, JIS G 3452 SGP, G 3454
// and G 3459 schedules) and ISO (DN sizes, wall series by pressure rating
// 10, 16, 25, 40) are given in millimetres. DIN radii are the elbows of the
// metric size table; JIS radii are the ANSI radii of the matching inch size;
// ISO radii are 1.5 and 2.5 inch-sizes
// where a row does not give its own. In the ISO rows the "short" radius is
// the larger of the two; bends of existing models were laid out with these
// values, so they stay as they are.
#include <initializer_list>
#include <utility>

#include "records/MetricPipeSizes.h"
#include "records/PipeDimensions.h"
#include "services/Assert.h"

namespace {

struct InchSize {
  const char* name;
  float od, longRadius, shortRadius;
  std::initializer_list<std::pair<int, float>> walls;  // schedule index, inch
};

// A metric size: name, O.D. and radii in mm (radius 0: from the inch size),
// the matching inch size for the radii, and the walls in mm.
struct MetricSize {
  const char* name;
  float od;
  float inchSize;
  float longRadius, shortRadius;
  std::initializer_list<std::pair<int, float>> walls;
};

// Generated from the checked extract of ASME B36.10M / B36.19M (sizes, O.D.,
// wall thicknesses in inch); see the head comment of PipeDimensions.cpp for
// the schedules the table leaves out.
const InchSize kAnsiSizes[] = {
    {"1/8\"", 0.405f, 1.5f, 1.0f, {{1, 0.049f}, {6, 0.068f}, {7, 0.068f}, {8, 0.068f}, {10, 0.095f}, {11, 0.095f}, {12, 0.095f}}},
    {"1/4\"", 0.54f, 1.5f, 1.0f, {{1, 0.065f}, {6, 0.088f}, {7, 0.088f}, {8, 0.088f}, {10, 0.119f}, {11, 0.119f}, {12, 0.119f}}},
    {"3/8\"", 0.675f, 1.5f, 1.0f, {{1, 0.065f}, {6, 0.091f}, {7, 0.091f}, {8, 0.091f}, {10, 0.126f}, {11, 0.126f}, {12, 0.126f}}},
    {"1/2\"", 0.84f, 1.5f, 1.0f, {{0, 0.065f}, {1, 0.083f}, {6, 0.109f}, {7, 0.109f}, {8, 0.109f}, {10, 0.147f}, {11, 0.147f}, {12, 0.147f}, {16, 0.188f}, {17, 0.294f}}},
    {"3/4\"", 1.05f, 1.125f, 1.0f, {{0, 0.065f}, {1, 0.083f}, {6, 0.113f}, {7, 0.113f}, {8, 0.113f}, {10, 0.154f}, {11, 0.154f}, {12, 0.154f}, {16, 0.219f}, {17, 0.308f}}},
    {"1\"", 1.315f, 1.5f, 1.0f, {{0, 0.065f}, {1, 0.109f}, {6, 0.133f}, {7, 0.133f}, {8, 0.133f}, {10, 0.179f}, {11, 0.179f}, {12, 0.179f}, {16, 0.25f}, {17, 0.358f}}},
    {"1-1/4\"", 1.66f, 1.875f, 1.25f, {{0, 0.065f}, {1, 0.109f}, {6, 0.14f}, {7, 0.14f}, {8, 0.14f}, {10, 0.191f}, {11, 0.191f}, {12, 0.191f}, {16, 0.25f}, {17, 0.382f}}},
    {"1-1/2\"", 1.9f, 2.25f, 1.5f, {{0, 0.065f}, {1, 0.109f}, {6, 0.145f}, {7, 0.145f}, {8, 0.145f}, {10, 0.2f}, {11, 0.2f}, {12, 0.2f}, {16, 0.281f}, {17, 0.4f}}},
    {"2\"", 2.375f, 3.0f, 2.0f, {{0, 0.065f}, {1, 0.109f}, {2, 0.109f}, {6, 0.154f}, {7, 0.154f}, {8, 0.154f}, {10, 0.218f}, {11, 0.218f}, {12, 0.218f}, {16, 0.344f}, {17, 0.436f}}},
    {"2-1/2\"", 2.875f, 3.75f, 2.5f, {{0, 0.083f}, {1, 0.12f}, {6, 0.203f}, {7, 0.203f}, {8, 0.203f}, {10, 0.276f}, {11, 0.276f}, {12, 0.276f}, {16, 0.375f}, {17, 0.552f}}},
    {"3\"", 3.5f, 4.5f, 3.0f, {{0, 0.083f}, {1, 0.12f}, {6, 0.216f}, {7, 0.216f}, {8, 0.216f}, {10, 0.3f}, {11, 0.3f}, {12, 0.3f}, {16, 0.438f}, {17, 0.6f}}},
    {"3-1/2\"", 4.0f, 5.25f, 3.5f, {{0, 0.083f}, {1, 0.12f}, {6, 0.226f}, {7, 0.226f}, {8, 0.226f}, {10, 0.318f}, {11, 0.318f}, {12, 0.318f}}},
    {"4\"", 4.5f, 6.0f, 4.0f, {{0, 0.083f}, {1, 0.12f}, {6, 0.237f}, {7, 0.237f}, {8, 0.237f}, {10, 0.337f}, {11, 0.337f}, {12, 0.337f}, {14, 0.438f}, {16, 0.531f}, {17, 0.674f}}},
    {"5\"", 5.563f, 7.5f, 5.0f, {{0, 0.109f}, {1, 0.134f}, {6, 0.258f}, {7, 0.258f}, {8, 0.258f}, {10, 0.375f}, {11, 0.375f}, {12, 0.375f}, {14, 0.5f}, {16, 0.625f}, {17, 0.75f}}},
    {"6\"", 6.625f, 9.0f, 6.0f, {{0, 0.109f}, {1, 0.134f}, {6, 0.28f}, {7, 0.28f}, {8, 0.28f}, {10, 0.432f}, {11, 0.432f}, {12, 0.432f}, {14, 0.562f}, {16, 0.719f}, {17, 0.864f}}},
    {"8\"", 8.625f, 12.0f, 8.0f, {{0, 0.109f}, {1, 0.148f}, {4, 0.25f}, {5, 0.277f}, {6, 0.322f}, {7, 0.322f}, {8, 0.322f}, {9, 0.406f}, {10, 0.5f}, {11, 0.5f}, {12, 0.5f}, {13, 0.594f}, {14, 0.719f}, {15, 0.812f}, {16, 0.906f}, {17, 0.875f}}},
    {"10\"", 10.75f, 15.0f, 10.0f, {{0, 0.134f}, {1, 0.165f}, {4, 0.25f}, {5, 0.307f}, {6, 0.365f}, {7, 0.365f}, {8, 0.365f}, {9, 0.5f}, {10, 0.5f}, {11, 0.5f}, {12, 0.594f}, {13, 0.719f}, {14, 0.844f}, {15, 1.0f}, {16, 1.125f}, {17, 1.0f}}},
    {"12\"", 12.75f, 18.0f, 12.0f, {{0, 0.156f}, {1, 0.18f}, {4, 0.25f}, {5, 0.33f}, {6, 0.375f}, {7, 0.375f}, {8, 0.406f}, {9, 0.562f}, {10, 0.5f}, {11, 0.5f}, {12, 0.688f}, {13, 0.844f}, {14, 1.0f}, {15, 1.125f}, {16, 1.312f}, {17, 1.0f}}},
    {"14\"", 14.0f, 21.0f, 14.0f, {{0, 0.156f}, {1, 0.188f}, {3, 0.25f}, {4, 0.312f}, {5, 0.375f}, {6, 0.375f}, {7, 0.375f}, {8, 0.438f}, {9, 0.594f}, {10, 0.5f}, {11, 0.5f}, {12, 0.75f}, {13, 0.938f}, {14, 1.094f}, {15, 1.25f}, {16, 1.406f}}},
    {"16\"", 16.0f, 24.0f, 16.0f, {{0, 0.165f}, {1, 0.188f}, {3, 0.25f}, {4, 0.312f}, {5, 0.375f}, {6, 0.375f}, {7, 0.375f}, {8, 0.5f}, {9, 0.656f}, {10, 0.5f}, {11, 0.5f}, {12, 0.844f}, {13, 1.031f}, {14, 1.219f}, {15, 1.438f}, {16, 1.594f}}},
    {"18\"", 18.0f, 27.0f, 18.0f, {{0, 0.165f}, {1, 0.188f}, {3, 0.25f}, {4, 0.312f}, {5, 0.438f}, {6, 0.375f}, {7, 0.375f}, {8, 0.562f}, {9, 0.75f}, {10, 0.5f}, {11, 0.5f}, {12, 0.938f}, {13, 1.156f}, {14, 1.375f}, {15, 1.562f}, {16, 1.781f}}},
    {"20\"", 20.0f, 30.0f, 20.0f, {{0, 0.188f}, {1, 0.218f}, {3, 0.25f}, {4, 0.375f}, {5, 0.5f}, {6, 0.375f}, {7, 0.375f}, {8, 0.594f}, {9, 0.812f}, {10, 0.5f}, {11, 0.5f}, {12, 1.031f}, {13, 1.281f}, {14, 1.5f}, {15, 1.75f}, {16, 1.969f}}},
    {"22\"", 22.0f, 33.0f, 22.0f, {{0, 0.188f}, {1, 0.218f}, {3, 0.25f}, {4, 0.375f}, {5, 0.5f}, {6, 0.375f}, {9, 0.875f}, {10, 0.5f}, {12, 1.125f}, {13, 1.375f}, {14, 1.625f}, {15, 1.875f}, {16, 2.125f}}},
    {"24\"", 24.0f, 36.0f, 24.0f, {{0, 0.218f}, {1, 0.25f}, {3, 0.25f}, {4, 0.375f}, {5, 0.562f}, {6, 0.375f}, {7, 0.375f}, {8, 0.688f}, {9, 0.969f}, {10, 0.5f}, {11, 0.5f}, {12, 1.219f}, {13, 1.531f}, {14, 1.812f}, {15, 2.062f}, {16, 2.344f}}},
    {"26\"", 26.0f, 39.0f, 26.0f, {{3, 0.312f}, {4, 0.5f}, {6, 0.375f}, {10, 0.5f}}},
    {"28\"", 28.0f, 42.0f, 28.0f, {{3, 0.312f}, {4, 0.5f}, {5, 0.625f}, {6, 0.375f}, {10, 0.5f}}},
    {"30\"", 30.0f, 45.0f, 30.0f, {{0, 0.25f}, {1, 0.312f}, {3, 0.312f}, {4, 0.5f}, {5, 0.625f}, {6, 0.375f}, {10, 0.5f}}},
    {"32\"", 32.0f, 48.0f, 32.0f, {{3, 0.312f}, {4, 0.5f}, {5, 0.625f}, {6, 0.375f}, {8, 0.688f}, {10, 0.5f}}},
    {"34\"", 34.0f, 51.0f, 34.0f, {{3, 0.312f}, {4, 0.5f}, {5, 0.625f}, {6, 0.375f}, {8, 0.688f}, {10, 0.5f}}},
    {"36\"", 36.0f, 54.0f, 36.0f, {{3, 0.312f}, {4, 0.5f}, {5, 0.625f}, {6, 0.375f}, {8, 0.75f}, {10, 0.5f}}},
    {"38\"", 38.0f, 57.0f, 38.0f, {{6, 0.375f}, {10, 0.5f}}},
    {"40\"", 40.0f, 60.0f, 40.0f, {{6, 0.375f}, {10, 0.5f}}},
    {"42\"", 42.0f, 63.0f, 42.0f, {{6, 0.375f}, {10, 0.5f}}},
    {"44\"", 44.0f, 66.0f, 44.0f, {{6, 0.375f}, {10, 0.5f}}},
    {"46\"", 46.0f, 69.0f, 46.0f, {{6, 0.375f}, {10, 0.5f}}},
    {"48\"", 48.0f, 72.0f, 48.0f, {{6, 0.375f}, {10, 0.5f}}},
};

// DIN schedules: "1" .. "5" are indexes 0 .. 4.
const MetricSize kDinSizes[] = {
    {"15", 21.3f, 0.5f, 0, 0, {{0, 1.6f}, {1, 1.8f}, {2, 2.0f}, {3, 2.6f}, {4, 3.2f}}},
    {"20", 26.9f, 0.75f, 0, 0, {{0, 1.6f}, {1, 1.8f}, {2, 2.3f}, {3, 2.6f}, {4, 3.2f}}},
    {"25", 33.7f, 1.0f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.6f}, {3, 3.2f}, {4, 4.0f}}},
    {"32", 42.4f, 1.25f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.6f}, {3, 3.6f}, {4, 4.0f}}},
    {"40", 48.3f, 1.5f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.6f}, {3, 3.6f}, {4, 4.5f}}},
    {"50", 60.3f, 2.0f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.9f}, {3, 4.0f}, {4, 5.0f}}},
    {"65", 76.1f, 2.5f, 0, 0, {{0, 2.0f}, {1, 2.6f}, {2, 2.9f}, {3, 5.0f}, {4, 7.1f}}},
    {"80", 88.9f, 3.0f, 0, 0, {{0, 2.3f}, {1, 2.9f}, {2, 3.2f}, {3, 5.6f}, {4, 8.0f}}},
    {"100", 114.3f, 4.0f, 152.0f, 102.0f, {{0, 2.6f}, {2, 3.6f}, {3, 6.3f}, {4, 8.8f}}},
    {"125", 139.7f, 5.0f, 0, 0, {{0, 2.6f}, {1, 3.6f}, {2, 4.0f}, {3, 6.3f}, {4, 10.0f}}},
    {"150", 168.3f, 6.0f, 229.0f, 152.0f, {{0, 2.6f}, {1, 4.0f}, {2, 4.5f}, {3, 7.1f}, {4, 11.0f}}},
    {"200", 219.1f, 8.0f, 0, 0, {{0, 2.9f}, {1, 4.5f}, {2, 6.3f}, {3, 8.0f}, {4, 12.5f}}},
    {"250", 273.0f, 10.0f, 0, 0, {{0, 3.6f}, {1, 5.0f}, {2, 6.3f}, {3, 8.8f}, {4, 14.2f}}},
    {"300", 323.9f, 12.0f, 0, 0, {{0, 4.0f}, {1, 5.6f}, {2, 7.1f}, {3, 10.0f}, {4, 16.0f}}},
    {"350", 355.6f, 14.0f, 0, 0, {{0, 4.0f}, {1, 5.6f}, {2, 8.0f}, {3, 11.0f}, {4, 17.5f}}},
    {"400", 406.4f, 16.0f, 0, 0, {{0, 4.0f}, {1, 6.3f}, {2, 8.8f}, {3, 12.5f}, {4, 20.0f}}},
    {"450", 457.0f, 18.0f, 0, 0, {{0, 4.0f}, {1, 6.3f}, {2, 10.0f}, {3, 12.5f}, {4, 22.2f}}},
    {"500", 508.0f, 20.0f, 0, 0, {{0, 5.0f}, {1, 6.3f}, {2, 11.0f}, {3, 14.2f}, {4, 25.0f}}},
    {"600", 610.0f, 24.0f, 0, 0, {{0, 5.6f}, {1, 6.3f}, {2, 12.5f}, {3, 16.0f}, {4, 28.0f}}},
    {"700", 711.0f, 28.0f, 0, 0, {{0, 5.6f}, {1, 7.1f}, {2, 12.5f}, {3, 17.5f}}},
    {"800", 813.0f, 32.0f, 0, 0, {{0, 5.6f}, {1, 8.0f}, {2, 14.2f}, {3, 20.0f}}},
    {"900", 914.0f, 36.0f, 0, 0, {{0, 6.3f}, {1, 10.0f}, {2, 16.0f}}},
    {"1000", 1016.0f, 40.0f, 0, 0, {{0, 6.3f}, {1, 10.0f}, {2, 16.0f}}},
    {"1200", 1220.0f, 48.0f, 1830.0f, 1220.0f, {{0, 6.3f}, {1, 12.5f}}},
    {"1400", 1420.0f, 56.0f, 0, 0, {{0, 7.1f}, {1, 14.2f}}},
    {"1600", 1620.0f, 64.0f, 0, 0, {{0, 8.0f}, {1, 16.0f}}},
};

// JIS schedule indexes, in list order.
enum Jis : int {
  k5S, k10S, k20S, kSGP, k10, k20, k30, kSTD, k40, k60, kXS, k80, k100, k120, k140, k160, kXXS
};
const MetricSize kJisSizes[] = {
    {"8A", 13.8f, 0.25f, 0, 0, {{k5S, 1.2f}, {k10S, 1.2f}, {k20S, 1.5f}, {kSGP, 2.0f}, {kSTD, 2.2f}, {k40, 2.2f}, {kXS, 3.0f}, {k80, 3.0f}}},
    {"10A", 17.3f, 0.375f, 0, 0, {{k5S, 1.2f}, {k10S, 1.65f}, {k20S, 2.0f}, {kSGP, 2.3f}, {kSTD, 2.3f}, {k40, 2.3f}, {kXS, 3.2f}, {k80, 3.2f}}},
    {"15A", 21.7f, 0.5f, 0, 0, {{k5S, 1.65f}, {k10S, 2.1f}, {k20S, 2.5f}, {kSGP, 2.8f}, {kSTD, 2.8f}, {k40, 2.8f}, {kXS, 3.7f}, {k80, 3.7f}, {k160, 4.7f}, {kXXS, 7.5f}}},
    {"20A", 27.2f, 0.75f, 0, 0, {{k5S, 1.65f}, {k10S, 2.1f}, {k20S, 2.5f}, {kSGP, 2.8f}, {kSTD, 2.9f}, {k40, 2.9f}, {kXS, 3.9f}, {k80, 3.9f}, {k160, 5.5f}, {kXXS, 7.8f}}},
    {"25A", 34.0f, 1.0f, 0, 0, {{k5S, 1.65f}, {k10S, 2.8f}, {k20S, 3.0f}, {kSGP, 3.2f}, {kSTD, 3.4f}, {k40, 3.4f}, {kXS, 4.5f}, {k80, 4.5f}, {k160, 6.4f}, {kXXS, 9.1f}}},
    {"32A", 42.7f, 1.25f, 0, 0, {{k5S, 1.65f}, {k10S, 2.8f}, {k20S, 3.0f}, {kSGP, 3.5f}, {kSTD, 3.6f}, {k40, 3.6f}, {kXS, 4.9f}, {k80, 4.9f}, {k160, 6.4f}, {kXXS, 9.7f}}},
    {"40A", 48.6f, 1.5f, 0, 0, {{k5S, 1.65f}, {k10S, 2.8f}, {k20S, 3.0f}, {kSGP, 3.5f}, {kSTD, 3.7f}, {k40, 3.7f}, {kXS, 5.1f}, {k80, 5.1f}, {k160, 7.1f}, {kXXS, 10.2f}}},
    {"50A", 60.5f, 2.0f, 0, 0, {{k5S, 1.65f}, {k10S, 2.8f}, {k20S, 3.5f}, {kSGP, 3.8f}, {k20, 3.2f}, {kSTD, 3.9f}, {k40, 3.9f}, {k60, 4.9f}, {kXS, 5.5f}, {k80, 5.5f}, {k160, 8.7f}, {kXXS, 11.1f}}},
    {"65A", 76.3f, 2.5f, 0, 0, {{k5S, 2.1f}, {k10S, 3.0f}, {k20S, 3.5f}, {kSGP, 4.2f}, {k20, 4.5f}, {kSTD, 5.2f}, {k40, 5.2f}, {k60, 6.0f}, {kXS, 7.0f}, {k80, 7.0f}, {k160, 9.5f}, {kXXS, 14.0f}}},
    {"80A", 89.1f, 3.0f, 0, 0, {{k5S, 2.1f}, {k10S, 3.0f}, {k20S, 4.0f}, {kSGP, 4.2f}, {k20, 4.5f}, {kSTD, 5.5f}, {k40, 5.5f}, {k60, 6.6f}, {kXS, 7.6f}, {k80, 7.6f}, {k160, 11.1f}, {kXXS, 15.2f}}},
    {"90A", 101.6f, 3.5f, 0, 0, {{k5S, 2.1f}, {k10S, 3.0f}, {k20S, 4.0f}, {kSGP, 4.2f}, {k20, 4.5f}, {kSTD, 5.7f}, {k40, 5.7f}, {k60, 7.0f}, {kXS, 8.1f}, {k80, 8.1f}}},
    {"100A", 114.3f, 4.0f, 0, 0, {{k5S, 2.1f}, {k10S, 3.0f}, {k20S, 4.0f}, {kSGP, 4.5f}, {k20, 4.9f}, {kSTD, 6.0f}, {k40, 6.0f}, {k60, 7.1f}, {kXS, 8.6f}, {k80, 8.6f}, {k120, 11.1f}, {k160, 13.5f}, {kXXS, 17.1f}}},
    {"125A", 139.8f, 5.0f, 0, 0, {{k5S, 2.8f}, {k10S, 3.4f}, {k20S, 5.0f}, {kSGP, 4.5f}, {k20, 5.1f}, {kSTD, 6.6f}, {k40, 6.6f}, {k60, 8.1f}, {kXS, 9.5f}, {k80, 9.5f}, {k120, 12.7f}, {k160, 15.9f}, {kXXS, 19.0f}}},
    {"150A", 165.2f, 6.0f, 0, 0, {{k5S, 2.8f}, {k10S, 3.4f}, {k20S, 5.0f}, {kSGP, 5.0f}, {k20, 5.5f}, {kSTD, 7.1f}, {k40, 7.1f}, {k60, 9.3f}, {kXS, 11.0f}, {k80, 11.0f}, {k120, 14.3f}, {k160, 18.2f}, {kXXS, 21.9f}}},
    {"175A", 190.7f, 7.0f, 0, 0, {{kSGP, 5.3f}}},
    {"200A", 216.3f, 8.0f, 0, 0, {{k5S, 2.8f}, {k10S, 4.0f}, {k20S, 6.5f}, {kSGP, 5.8f}, {k20, 6.4f}, {k30, 7.0f}, {kSTD, 8.2f}, {k40, 8.2f}, {k60, 10.3f}, {kXS, 12.7f}, {k80, 12.7f}, {k100, 15.1f}, {k120, 18.2f}, {k140, 20.6f}, {k160, 23.0f}, {kXXS, 22.2f}}},
    {"225A", 241.8f, 9.0f, 0, 0, {{kSGP, 6.2f}}},
    {"250A", 267.4f, 10.0f, 0, 0, {{k5S, 3.4f}, {k10S, 4.0f}, {k20S, 6.5f}, {kSGP, 6.6f}, {k20, 6.4f}, {k30, 7.8f}, {kSTD, 9.3f}, {k40, 9.3f}, {k60, 12.7f}, {kXS, 12.7f}, {k80, 15.1f}, {k100, 18.2f}, {k120, 21.4f}, {k140, 25.4f}, {k160, 28.6f}, {kXXS, 25.4f}}},
    {"300A", 318.5f, 12.0f, 0, 0, {{k5S, 4.0f}, {k10S, 4.5f}, {k20S, 6.5f}, {kSGP, 6.9f}, {k20, 6.4f}, {k30, 8.4f}, {kSTD, 9.5f}, {k40, 10.3f}, {k60, 14.3f}, {kXS, 12.7f}, {k80, 17.4f}, {k100, 21.4f}, {k120, 25.4f}, {k140, 28.6f}, {k160, 33.3f}, {kXXS, 25.4f}}},
    {"350A", 355.6f, 14.0f, 0, 0, {{kSGP, 7.9f}, {k10, 6.4f}, {k20, 7.9f}, {k30, 9.5f}, {kSTD, 9.5f}, {k40, 11.1f}, {k60, 15.1f}, {kXS, 12.7f}, {k80, 19.0f}, {k100, 23.8f}, {k120, 27.8f}, {k140, 31.8f}, {k160, 35.7f}}},
    {"400A", 406.4f, 16.0f, 0, 0, {{kSGP, 7.9f}, {k10, 6.4f}, {k20, 7.9f}, {k30, 9.5f}, {kSTD, 9.5f}, {k40, 12.7f}, {k60, 16.7f}, {kXS, 12.7f}, {k80, 21.4f}, {k100, 26.2f}, {k120, 30.9f}, {k140, 36.5f}, {k160, 40.5f}}},
    {"450A", 457.2f, 18.0f, 0, 0, {{kSGP, 7.9f}, {k10, 6.4f}, {k20, 7.9f}, {k30, 11.1f}, {kSTD, 9.5f}, {k40, 14.3f}, {k60, 19.0f}, {kXS, 12.7f}, {k80, 23.8f}, {k100, 29.4f}, {k120, 34.9f}, {k140, 39.7f}, {k160, 45.2f}}},
    {"500A", 508.0f, 20.0f, 0, 0, {{kSGP, 7.9f}, {k10, 6.4f}, {k20, 9.5f}, {k30, 12.7f}, {kSTD, 9.5f}, {k40, 15.1f}, {k60, 20.6f}, {kXS, 12.7f}, {k80, 26.2f}, {k100, 32.5f}, {k120, 38.1f}, {k140, 44.4f}, {k160, 50.0f}}},
    {"550A", 558.8f, 22.0f, 0, 0, {{kSGP, 7.9f}, {k10, 6.4f}, {k20, 9.5f}, {k30, 12.7f}, {kSTD, 9.5f}, {k40, 15.9f}, {k60, 22.2f}, {kXS, 12.7f}, {k80, 28.6f}, {k100, 34.9f}, {k120, 41.3f}, {k140, 47.6f}, {k160, 54.0f}}},
    {"600A", 609.6f, 24.0f, 0, 0, {{kSGP, 7.9f}, {k10, 6.4f}, {k20, 9.5f}, {k30, 14.3f}, {kSTD, 9.5f}, {k40, 17.5f}, {k60, 24.6f}, {kXS, 12.7f}, {k80, 31.0f}, {k100, 38.9f}, {k120, 46.0f}, {k140, 52.4f}, {k160, 59.5f}}},
    {"650A", 660.4f, 26.0f, 0, 0, {{kSGP, 7.9f}, {k10, 7.9f}, {k20, 12.7f}, {kSTD, 9.5f}, {kXS, 12.7f}}},
    {"700A", 711.2f, 28.0f, 0, 0, {{k10, 7.9f}, {k20, 12.7f}, {kSTD, 9.5f}, {kXS, 12.7f}}},
    {"750A", 762.0f, 30.0f, 0, 0, {{k10, 7.9f}, {k20, 12.7f}, {kSTD, 9.5f}, {kXS, 12.7f}}},
    {"800A", 812.8f, 32.0f, 0, 0, {{k10, 7.9f}, {k20, 12.7f}, {kSTD, 9.5f}, {kXS, 12.7f}}},
    {"850A", 863.6f, 34.0f, 0, 0, {{k10, 7.9f}, {k20, 12.7f}, {kSTD, 9.5f}, {kXS, 12.7f}}},
    {"900A", 914.4f, 36.0f, 0, 0, {{k10, 7.9f}, {k20, 12.7f}, {kSTD, 9.5f}, {kXS, 12.7f}}},
    {"950A", 965.2f, 38.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1000A", 1016.0f, 40.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1050A", 1066.8f, 42.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1100A", 1117.6f, 44.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1150A", 1168.4f, 46.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1200A", 1219.2f, 48.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1250A", 1270.0f, 50.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1300A", 1320.8f, 52.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1350A", 1371.6f, 54.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1400A", 1422.4f, 56.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1450A", 1473.2f, 58.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
    {"1500A", 1524.0f, 60.0f, 0, 0, {{kSTD, 9.5f}, {kXS, 12.7f}}},
};

// ISO schedules "10", "16", "25", "40" are indexes 0 .. 3.
const MetricSize kIsoSizes[] = {
    {"15", 21.3f, 0.5f, 28.0f, 45.0f, {{0, 2.0f}, {1, 2.0f}, {2, 2.0f}, {3, 2.0f}}},
    {"20", 26.9f, 0.75f, 0, 0, {{0, 2.0f}, {1, 2.0f}, {2, 2.3f}, {3, 2.3f}}},
    {"25", 33.7f, 1.0f, 0, 0, {{0, 2.0f}, {1, 2.0f}, {2, 2.6f}, {3, 2.6f}}},
    {"32", 42.4f, 1.25f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.6f}, {3, 2.6f}}},
    {"40", 48.3f, 1.5f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.6f}, {3, 2.6f}}},
    {"50", 60.3f, 2.0f, 0, 0, {{0, 2.0f}, {1, 2.3f}, {2, 2.9f}, {3, 2.9f}}},
    {"65", 76.1f, 2.5f, 0, 0, {{0, 2.3f}, {1, 2.6f}, {2, 2.9f}, {3, 3.2f}}},
    {"80", 88.9f, 3.0f, 0, 0, {{0, 2.3f}, {1, 2.9f}, {2, 3.2f}, {3, 3.6f}}},
    {"100", 114.3f, 4.0f, 0, 0, {{0, 2.6f}, {1, 3.2f}, {2, 3.6f}, {3, 4.0f}}},
    {"125", 139.7f, 5.0f, 0, 0, {{0, 2.6f}, {1, 3.6f}, {2, 4.0f}, {3, 5.0f}}},
    {"150", 168.3f, 6.0f, 0, 0, {{0, 2.6f}, {1, 3.6f}, {2, 4.5f}, {3, 5.6f}}},
    {"200", 219.1f, 8.0f, 0, 0, {{0, 2.9f}, {1, 3.6f}, {2, 5.6f}, {3, 7.1f}}},
    {"250", 273.0f, 10.0f, 0, 0, {{0, 2.9f}, {1, 4.0f}, {2, 5.6f}, {3, 8.8f}}},
    {"300", 323.9f, 12.0f, 457.0f, 775.0f, {{0, 3.0f}, {1, 4.0f}, {2, 6.0f}, {3, 10.0f}}},
    {"350", 355.6f, 14.0f, 0, 0, {{0, 3.2f}, {1, 4.5f}, {2, 7.1f}, {3, 11.0f}}},
    {"400", 406.4f, 16.0f, 0, 0, {{0, 3.6f}, {1, 5.0f}, {2, 8.0f}, {3, 12.5f}}},
    {"450", 457.0f, 18.0f, 0, 0, {{0, 4.0f}, {1, 5.6f}, {2, 8.8f}, {3, 14.2f}}},
    {"500", 508.0f, 20.0f, 0, 0, {{0, 4.0f}, {1, 6.3f}, {2, 10.0f}, {3, 16.0f}}},
    {"600", 610.0f, 24.0f, 0, 0, {{0, 4.5f}, {1, 7.1f}, {2, 11.0f}, {3, 17.5f}}},
    {"700", 711.0f, 28.0f, 1067.0f, 1778.0f, {{0, 5.0f}, {1, 8.0f}}},
    {"800", 813.0f, 32.0f, 0, 0, {{0, 5.6f}, {1, 8.8f}}},
    {"900", 914.0f, 36.0f, 0, 0, {{0, 6.3f}, {1, 10.0f}}},
    {"1000", 1016.0f, 40.0f, 0, 0, {{0, 6.3f}, {1, 11.0f}}},
};

// The ANSI radii of an inch size, in inch.
float InchLongRadius(float inch) { return inch <= 0.5f ? 1.5f : 1.5f * inch; }
float InchShortRadius(float inch) { return inch < 1.0f ? 1.0f : inch; }

float Inch(float millimetres) { return millimetres / 25.4f; }

PipeSizeRow NonStandardRow() {
  PipeSizeRow row;
  row.name = "Non Std";
  row.schedules = {0};
  row.thicknesses = {0.0f};
  return row;
}

PipeDimensionStandard MakeAnsi() {
  PipeDimensionStandard table;
  table.scheduleNames = {"5S", "10S", "LW", "10", "20", "30", "STD", "40S", "40",
                         "60", "XS", "80S", "80", "100", "120", "140", "160", "XXS"};
  table.rows.push_back(NonStandardRow());
  for (const InchSize& size : kAnsiSizes) {
    PipeSizeRow row{size.name, size.od, size.longRadius, size.shortRadius, {}, {}};
    for (const auto& [schedule, wall] : size.walls) {
      row.schedules.push_back(schedule);
      row.thicknesses.push_back(wall);
    }
    table.rows.push_back(row);
  }
  return table;
}

// Where a row gives no radii: ISO takes 1.5 and 2.5 inch-sizes in mm, DIN
// the elbows of the metric size table, JIS the ANSI radii of the inch size.
enum class RadiusRule { Iso, MetricTable, Ansi };

template <std::size_t N>
PipeDimensionStandard MakeMetric(const MetricSize (&sizes)[N], std::vector<std::string> names, RadiusRule rule) {
  PipeDimensionStandard table;
  table.scheduleNames = std::move(names);
  table.rows.push_back(NonStandardRow());
  for (const MetricSize& size : sizes) {
    PipeSizeRow row;
    row.name = size.name;
    row.outsideDiameter = Inch(size.od);
    if (size.longRadius != 0.0f) {
      row.longRadius = Inch(size.longRadius);
      row.shortRadius = Inch(size.shortRadius);
    } else if (rule == RadiusRule::Iso) {
      row.longRadius = Inch(static_cast<float>(static_cast<int>(1.5f * size.inchSize * 25.4f + 0.5f)));
      row.shortRadius = Inch(static_cast<float>(static_cast<int>(2.5f * size.inchSize * 25.4f + 0.5f)));
    } else if (rule == RadiusRule::MetricTable) {
      row.longRadius = MetricStandardBendRadius(row.name, row.outsideDiameter, false);
      row.shortRadius = MetricStandardBendRadius(row.name, row.outsideDiameter, true);
    } else {
      row.longRadius = InchLongRadius(size.inchSize);
      row.shortRadius = InchShortRadius(size.inchSize);
    }
    for (const auto& [schedule, wall] : size.walls) {
      row.schedules.push_back(schedule);
      row.thicknesses.push_back(Inch(wall));
    }
    table.rows.push_back(row);
  }
  return table;
}

}  // namespace

const PipeDimensionStandard& DimensionStandard(int standard) {
  static const PipeDimensionStandard ansi = MakeAnsi();
  static const PipeDimensionStandard din = MakeMetric(kDinSizes, {"1", "2", "3", "4", "5"}, RadiusRule::MetricTable);
  static const PipeDimensionStandard jis =
      MakeMetric(kJisSizes, {"5S", "10S", "20S", "SGP", "10", "20", "30", "STD", "40", "60", "XS", "80", "100", "120",
                             "140", "160", "XXS"},
                 RadiusRule::Ansi);
  static const PipeDimensionStandard iso = MakeMetric(kIsoSizes, {"10", "16", "25", "40"}, RadiusRule::Iso);
  switch (standard) {
    case 0: return ansi;
    case 1: return din;
    case 2: return jis;
    case 3: return iso;
    default: QV_ASSERT(standard >= 0 && standard <= 3); return ansi;
  }
}
