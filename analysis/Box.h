// A box in the drawing plane, edges along the axes.
#pragma once

struct Box
{
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;

    // Whether the two boxes come within distance of each other.
    bool Meets(const Box& other, double distance) const
    {
        return minX - distance <= other.maxX && other.minX <= maxX + distance && minY - distance <= other.maxY &&
               other.minY <= maxY + distance;
    }
};
