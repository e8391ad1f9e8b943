#pragma once
// Lengths written for 96 DPI, at another DPI. Descriptions and skins are written for 96 DPI;
// a window on a monitor at another DPI multiplies every length by dpi / 96, and one rounding
// serves the frame, the forms and the skin's pictures alike so their pieces meet exactly.

// The DPI descriptions and skins are written for.
constexpr int kDesignDpi = 96;

// value * dpi / 96 rounded half away from zero (1.5 becomes 2, -1.5 becomes -2). At 96 DPI the
// value itself; elsewhere a result past an int stays at INT_MAX (or -INT_MAX) instead of wrapping.
int ScaleLength(int value, int dpi);

// value * to / from for a length already at DPI from, rounded and kept within an int the same
// way: what a window moved to a monitor at another DPI gives its bounds and font. A from that is
// not positive leaves the value as it is.
int ScaleBetweenDpis(int value, int from, int to);
