// A direction or displacement in drawing units. A transform moves it without
// its translation (see CZnTransform).
#pragma once

class CZnVector
{
public:
    CZnVector() = default;
    CZnVector(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
