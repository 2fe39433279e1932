// Where a place lies on map.gif: pixels from the picture's top left, the
// meridian 0 at x = 374 and the equator at y = 206.
#pragma once

namespace lunar {

inline constexpr double kMapX0 = 374, kMapXPerDegree = 2.0733333;
inline constexpr double kMapY0 = 206, kMapYPerDegree = 2.06666667;

inline double mapX(double longitude)
{
    return kMapX0 + kMapXPerDegree * longitude;
}
inline double mapY(double latitude)
{
    return kMapY0 - kMapYPerDegree * latitude;
}

} // namespace lunar
