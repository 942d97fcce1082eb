#pragma once

#include <cstdint>

// Shapes tested at pixel centres, in half-pixel units and integer arithmetic only, so the samples
// come out byte for byte the same on every machine. Coordinates name pixel corners: a shape from
// 0 to 10 covers pixels 0 to 9.

// Rectangle with rounded corners; right and bottom are exclusive.
struct RoundRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int radius = 0;

    bool operator()(int x, int y) const;
};

struct Circle
{
    int cx = 0;
    int cy = 0;
    int radius = 0;

    bool operator()(int x, int y) const;
};

// A line from (ax, ay) to (bx, by) with round ends: pixels within quarterRadius / 4 of it.
struct Stroke
{
    int ax = 0;
    int ay = 0;
    int bx = 0;
    int by = 0;
    int quarterRadius = 2;

    bool operator()(int x, int y) const;
};

// Pixels whose centre lies on or below the line through (ax, ay) and (bx, by), seen when walking
// from a to b with the picture's y axis pointing down: the right-hand side.
struct HalfPlane
{
    int ax = 0;
    int ay = 0;
    int bx = 0;
    int by = 0;

    bool operator()(int x, int y) const;
};
