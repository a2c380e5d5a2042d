#include "kinematics/UnitDrawing.h"

#include "drawing/Failure.h"
#include "drawing/Layers.h"
#include "host/AcDbCurves.h"

#include <initializer_list>
#include <utility>

namespace
{
// Layer "0" is every drawing's own, so the body takes the layer of the
// reference that shows it, as a block's entities on "0" do.
constexpr const char* kBodyLayer = "0";

std::unique_ptr<AcDbEntity> Polyline(std::initializer_list<std::pair<double, double>> points, bool closed,
                                     AcDbObjectId layer)
{
    auto polyline = std::make_unique<AcDbPolyline>();
    if (polyline->setLayer(layer) != Acad::eOk)
        throw Failure(FailureKind::internal, "a unit's outline refused its layer");
    for (const auto& [x, y] : points)
        polyline->addVertexAt(polyline->numVerts(), AcGePoint2d(x, y));
    polyline->setClosed(closed);
    return polyline;
}

std::unique_ptr<AcDbEntity> Box(double x0, double y0, double x1, double y1, AcDbObjectId layer)
{
    return Polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true, layer);
}

void AddTyres(const VehicleAxle& axle, double dualGap, NewEntities& drawn)
{
    const AcDbObjectId layer = LayerNamed(kTyreLayer);
    const double halfLength = axle.tyreDiameter / 2.0;
    const double halfWidth = axle.tyreWidth / 2.0;
    // A single tyre at each end, or a dual pair about where one would be.
    const double pair = axle.dual ? (axle.tyreWidth + dualGap) / 2.0 : 0.0;
    const double offsets[] = {-pair, pair};
    for (const double side : {-1.0, 1.0})
        for (std::size_t i = axle.dual ? 0 : 1; i < 2; ++i)
        {
            const double y = side * axle.track / 2.0 + (axle.dual ? offsets[i] : 0.0);
            drawn.push_back(Box(axle.at - halfLength, y - halfWidth, axle.at + halfLength, y + halfWidth, layer));
        }
}
} // namespace

NewEntities DrawUnit(const VehicleUnit& unit, double metresPerUnit)
{
    NewEntities drawn;
    const AcDbObjectId body = LayerNamed(kBodyLayer);
    const double front = unit.wheelbase + unit.frontOverhang;
    const double side = unit.width / 2.0;
    drawn.push_back(Box(-unit.rearOverhang, -side, front, side, body));
    for (const VehicleAxle& axle : unit.axles)
        AddTyres(axle, kDualGap / metresPerUnit, drawn);
    // A chevron a third of the width across, its point a tenth of the width
    // short of the front.
    const double tip = front - unit.width / 10.0;
    const double arm = unit.width / 6.0;
    drawn.push_back(Polyline({{tip - arm, arm}, {tip, 0.0}, {tip - arm, -arm}}, false, body));
    return drawn;
}
