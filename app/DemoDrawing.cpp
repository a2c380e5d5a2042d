#include "app/DemoDrawing.h"

#include "drawing/BlockDefinition.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"

#include <initializer_list>

namespace
{
struct Vertex
{
    double x;
    double y;
    // Bulge of the edge to the next vertex: 0 is straight.
    double bulge = 0.0;
};

// A vehicle drawn in plan view, piece by piece.
class Drawn
{
public:
    Drawn& Outline(std::initializer_list<Vertex> vertices)
    {
        auto outline = std::make_unique<AcDbPolyline>();
        for (const Vertex& vertex : vertices)
            outline->addVertexAt(outline->numVerts(), AcGePoint2d(vertex.x, vertex.y), vertex.bulge);
        outline->setClosed(true);
        m_entities.push_back(std::move(outline));
        return *this;
    }

    Drawn& Box(double x0, double y0, double x1, double y1)
    {
        return Outline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
    }

    Drawn& Line(double x0, double y0, double x1, double y1)
    {
        m_entities.push_back(std::make_unique<AcDbLine>(AcGePoint3d(x0, y0, 0.0), AcGePoint3d(x1, y1, 0.0)));
        return *this;
    }

    Drawn& Circle(double x, double y, double radius)
    {
        m_entities.push_back(
            std::make_unique<AcDbCircle>(AcGePoint3d(x, y, 0.0), AcGeVector3d(0.0, 0.0, 1.0), radius));
        return *this;
    }

    // A pair of tyres, seen from above, on an axle at x across a body of width.
    Drawn& Axle(double x, double width, double tyreLength)
    {
        const double outer = width / 2.0;
        const double inner = outer - 0.3;
        return Box(x - tyreLength / 2, inner, x + tyreLength / 2, outer)
            .Box(x - tyreLength / 2, -outer, x + tyreLength / 2, -inner);
    }

    NewEntities Take() { return std::move(m_entities); }

private:
    NewEntities m_entities;
};

// A tractor unit 6 m long: chassis, cab with its windscreen, the fifth
// wheel the trailer's kingpin sits on (over the rear axle), two axles 3.5 m
// apart.
NewEntities Tractor()
{
    return Drawn()
        .Box(-1.5, -1.25, 4.5, 1.25)
        .Box(2.8, -1.2, 4.5, 1.2)
        .Line(4.25, -1.05, 4.25, 1.05)
        .Circle(0.0, 0.0, 0.45)
        .Axle(3.5, 2.5, 1.0)
        .Axle(0.0, 2.5, 1.0)
        .Take();
}

// A semi-trailer 13.6 m long: box, kingpin 10 m ahead of its axle group's
// centre, landing legs, three rear axles.
NewEntities Trailer()
{
    return Drawn()
        .Box(-2.6, -1.275, 11.0, 1.275)
        .Circle(10.0, 0.0, 0.2)
        .Line(8.0, -1.0, 8.0, 1.0)
        .Axle(1.3, 2.55, 1.0)
        .Axle(0.0, 2.55, 1.0)
        .Axle(-1.3, 2.55, 1.0)
        .Take();
}

// A car 4.5 m long with a rounded nose and tail, its roof, two axles 2.7 m
// apart.
NewEntities Car()
{
    return Drawn()
        .Outline({{-0.7, -0.9}, {3.4, -0.9, 0.25}, {3.4, 0.9}, {-0.7, 0.9, 0.25}})
        .Box(0.05, -0.75, 2.05, 0.75)
        .Axle(2.7, 1.9, 0.6)
        .Axle(0.0, 1.9, 0.6)
        .Take();
}

std::unique_ptr<AcDbEntity> Parked(AcDbObjectId definition, double x, double y)
{
    return std::make_unique<AcDbBlockReference>(AcGePoint3d(x, y, 0.0), definition);
}
} // namespace

DemoVehicles DrawDemoVehicles()
{
    NewEntities parked;
    parked.push_back(Parked(DefineBlock("Tractor", Tractor()), -30.0, 20.0));
    parked.push_back(Parked(DefineBlock("Trailer", Trailer()), -30.0, 26.0));
    parked.push_back(Parked(DefineBlock("Car", Car()), -30.0, 32.0));
    const std::vector<AcDbObjectId> ids = AppendEntities(ModelSpaceId(), std::move(parked));
    return {ids[0].handle(), ids[1].handle(), ids[2].handle()};
}
