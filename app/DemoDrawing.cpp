#include "app/DemoDrawing.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"

#include <initializer_list>
#include <vector>

namespace
{
struct Vertex
{
    double x;
    double y;
    // Bulge of the edge to the next vertex: 0 is straight.
    double bulge = 0.0;
};

AcDbEntity* Outline(std::initializer_list<Vertex> vertices)
{
    auto* outline = new AcDbPolyline();
    for (const Vertex& vertex : vertices)
        outline->addVertexAt(outline->numVerts(), AcGePoint2d(vertex.x, vertex.y), vertex.bulge);
    outline->setClosed(true);
    return outline;
}

AcDbEntity* Box(double x0, double y0, double x1, double y1)
{
    return Outline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

AcDbEntity* Line(double x0, double y0, double x1, double y1)
{
    return new AcDbLine(AcGePoint3d(x0, y0, 0.0), AcGePoint3d(x1, y1, 0.0));
}

AcDbEntity* Circle(double x, double y, double radius)
{
    return new AcDbCircle(AcGePoint3d(x, y, 0.0), AcGeVector3d(0.0, 0.0, 1.0), radius);
}

// A pair of tyres, seen from above, on an axle at x across a body of width.
std::vector<AcDbEntity*> Axle(double x, double width, double tyreLength)
{
    const double outer = width / 2.0;
    const double inner = outer - 0.3;
    return {Box(x - tyreLength / 2, inner, x + tyreLength / 2, outer),
            Box(x - tyreLength / 2, -outer, x + tyreLength / 2, -inner)};
}

std::vector<AcDbEntity*> Joined(std::initializer_list<std::vector<AcDbEntity*>> groups)
{
    std::vector<AcDbEntity*> all;
    for (const auto& group : groups)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

// A tractor unit 6 m long: chassis, cab with its windscreen, the fifth
// wheel the trailer's kingpin sits on (1.5 m behind the centre), two axles.
std::vector<AcDbEntity*> Tractor()
{
    return Joined({{Box(-3.0, -1.25, 3.0, 1.25), Box(1.3, -1.2, 3.0, 1.2),
                    Line(2.75, -1.05, 2.75, 1.05), Circle(-1.5, 0.0, 0.45)},
                   Axle(2.0, 2.5, 1.0),
                   Axle(-1.5, 2.5, 1.0)});
}

// A semi-trailer 13.6 m long: box, kingpin 5.8 m ahead of the centre,
// landing legs, three rear axles.
std::vector<AcDbEntity*> Trailer()
{
    return Joined({{Box(-6.8, -1.275, 6.8, 1.275), Circle(5.8, 0.0, 0.2),
                    Line(3.8, -1.0, 3.8, 1.0)},
                   Axle(-2.9, 2.55, 1.0),
                   Axle(-4.2, 2.55, 1.0),
                   Axle(-5.5, 2.55, 1.0)});
}

// A car 4.5 m long with a rounded nose and tail, its roof, two axles.
std::vector<AcDbEntity*> Car()
{
    return Joined({{Outline({{-2.05, -0.9}, {2.05, -0.9, 0.25}, {2.05, 0.9}, {-2.05, 0.9, 0.25}}),
                    Box(-1.3, -0.75, 0.7, 0.75)},
                   Axle(1.35, 1.9, 0.6),
                   Axle(-1.35, 1.9, 0.6)});
}

AcDbObjectId Define(AcDbBlockTable& table, const ACHAR* name, const std::vector<AcDbEntity*>& drawing)
{
    auto* definition = new AcDbBlockTableRecord();
    definition->setName(name);
    AcDbObjectId id;
    table.add(id, definition);
    for (AcDbEntity* entity : drawing)
    {
        definition->appendAcDbEntity(entity);
        entity->close();
    }
    definition->close();
    return id;
}

AcDbHandle Park(AcDbBlockTableRecord& modelSpace, AcDbObjectId definition, double x, double y)
{
    auto* reference = new AcDbBlockReference(AcGePoint3d(x, y, 0.0), definition);
    AcDbObjectId id;
    modelSpace.appendAcDbEntity(id, reference);
    reference->close();
    return id.handle();
}
} // namespace

DemoVehicles DrawDemoVehicles(AcDbDatabase& drawing)
{
    AcDbBlockTable* table = nullptr;
    drawing.getBlockTable(table, AcDb::kForWrite);
    const AcDbObjectId tractor = Define(*table, L"Tractor", Tractor());
    const AcDbObjectId trailer = Define(*table, L"Trailer", Trailer());
    const AcDbObjectId car = Define(*table, L"Car", Car());
    AcDbBlockTableRecord* modelSpace = nullptr;
    table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForWrite);
    table->close();
    const DemoVehicles parked{Park(*modelSpace, tractor, -30.0, 20.0),
                              Park(*modelSpace, trailer, -30.0, 26.0),
                              Park(*modelSpace, car, -30.0, 32.0)};
    modelSpace->close();
    return parked;
}
