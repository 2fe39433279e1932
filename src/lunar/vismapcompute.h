// The crescent-visibility world map's computation: the conjunction refined at
// load, the candidate days, one place under one of three criteria, and the
// grid walked block by block with the five-probe shortcut. Window-free: the
// map window plots what the callbacks hand it.
#pragma once

#include <functional>

#include "vismapgeometry.h"

namespace lunar {

// The visibility codes of a place.
enum MapCode : int {
    MapUnknown = 1,     // an event is missing, or the Moon far above a Sun it sets before
    MapImpossible = 2,  // not after (before) the conjunction, or sets before (rises after) the Sun
    MapNotPossible = 3, // the criterion says no: nothing is drawn
    MapOpticalAid = 4,  // Zivad, Yallop: needs optical aid; SAAO: improbable
    MapCouldNakedEye = 5, // Zivad: could be seen by naked eye; Yallop: may need optical aid
    MapPerfectSky = 6,    // Yallop: naked eye in perfect conditions
    MapEasy = 7,          // Zivad, Yallop: easily visible by naked eye; SAAO: possible
};

// The criteria, in the order of the window's list.
enum MapCriterion : int { CriterionZivad = 0, CriterionYallop = 1, CriterionSaao = 2 };

struct MapColour {
    int r, g, b;
};

// The circle colour of a code; false for code 3 (and anything outside 1..7),
// which is not drawn.
bool mapCodeColour(int code, MapColour& colour);

// The grid: longitudes -180..178 and latitudes -58..60 every 2 degrees, in
// 36 columns by 12 rows of blocks of 5 by 5 places.
inline constexpr int kMapBlockColumns = 36;
inline constexpr int kMapBlockRows = 12;
inline constexpr int kMapBlocks = kMapBlockColumns * kMapBlockRows;

// The codes of the three criteria from their values: Zivad's V, Yallop's q,
// and SAAO's lower-limb altitude h (degrees, refracted) against the azimuth
// difference DAZ (degrees).
int zivadMapCode(double V);
int yallopMapCode(double q);
int saaoMapCode(double h, double DAZ);

// Where a place is plotted (called for every code, 3 included: the window
// draws nothing for it).
using MapPlot = std::function<void(double longitude, double latitude, int code)>;

class VisibilityMapComputation {
public:
    // Load preparation: the geocentric conjunction near conjjde (JDE, TT) by
    // corsh and cormm, Delta T there, and the five candidate days. Sets
    // tdtmode to 1 for the iteration only.
    void prepare(double conjjde);

    // mapconj: Julian Day (UT), the geocentric conjunction after prepare, then
    // the topocentric conjunction of the last place evaluated.
    double mapconj = 0;
    double mapdeltat = 0; // days
    // Julian Days at 0 h: day 0 (the UT date of the conjunction), +1, +2, -1, -2.
    double days[5] = {0, 0, 0, 0, 0};

    // The day of option 0, 1 or 2 for the new crescent (0, +1, +2) or the old
    // one (0, -1, -2).
    double chosenDay(int option, bool newCrescent) const;

    // One place (longitude east-positive, latitude north-positive, degrees) on
    // the day D (Julian Day at 0 h): the visibility code 1..7. Reads and
    // rewrites mapconj; sets tdtmode to 1 and back to 0.
    int EvaluateMapPoint(double longitude, double latitude, double D, bool newCrescent,
                         int criterion);

    // One block of the grid (column 0..35 from -180 eastward, row 0..11 from
    // 60 southward): the five probes, then either the whole block in the first
    // probe's code or the other twenty places. criterion() is asked anew for
    // every place evaluated.
    void drawBlock(int column, int row, double D, bool newCrescent,
                   const std::function<int()>& criterion, const MapPlot& plot);

    // Every block in the drawing's order; shouldStop() is asked after each
    // block (the window hands control to the message loop there) and ends the
    // walk when true. Returns the number of blocks done.
    int drawAll(double D, bool newCrescent, const std::function<int()>& criterion,
                const MapPlot& plot, const std::function<bool(int blocksDone)>& shouldStop);
};

} // namespace lunar
