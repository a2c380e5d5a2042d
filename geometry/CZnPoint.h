// A location in drawing units. A transform moves it with its translation
// (see CZnTransform).
#pragma once

class CZnPoint
{
public:
    CZnPoint() = default;
    CZnPoint(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
