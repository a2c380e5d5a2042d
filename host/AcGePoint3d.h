// The host's geometry value types used in its database signatures.
#pragma once

class AcGePoint3d
{
public:
    AcGePoint3d() = default;
    AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    bool operator==(const AcGePoint3d& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const AcGePoint3d& o) const { return !(*this == o); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

class AcGePoint2d
{
public:
    AcGePoint2d() = default;
    AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}
    bool operator==(const AcGePoint2d& o) const { return x == o.x && y == o.y; }
    bool operator!=(const AcGePoint2d& o) const { return !(*this == o); }

    double x = 0.0;
    double y = 0.0;
};

class AcGeVector2d
{
public:
    AcGeVector2d() = default;
    AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}
    bool operator==(const AcGeVector2d& o) const { return x == o.x && y == o.y; }
    bool operator!=(const AcGeVector2d& o) const { return !(*this == o); }

    double x = 0.0;
    double y = 0.0;
};

class AcGeVector3d
{
public:
    AcGeVector3d() = default;
    AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    bool operator==(const AcGeVector3d& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const AcGeVector3d& o) const { return !(*this == o); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

class AcGeScale3d
{
public:
    AcGeScale3d() = default;
    explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}
    bool operator==(const AcGeScale3d& o) const { return sx == o.sx && sy == o.sy && sz == o.sz; }
    bool operator!=(const AcGeScale3d& o) const { return !(*this == o); }

    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
};
