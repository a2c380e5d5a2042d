#include "exchange/DrawingToDxf.h"

#include "cadhost/Utf8Text.h"
#include "drawing/Angles.h"
#include "drawing/BlockWalk.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "motion/SimulationMotion.h"

#include <cmath>
#include <optional>

namespace
{
constexpr int kPathColour = 1;
constexpr int kPartsColour = 5;
constexpr int kEnvelopeColour = 3;
constexpr int kClearanceColour = 30;
// Invisible entities are marked so (group 60) and also go on a layer that
// is off and frozen, because some programs (LibreCAD among them) draw and
// print what group 60 hides.
constexpr const char* kHiddenLayer = "Hidden";

DxfPoint Point(const AcGePoint3d& point)
{
    return {point.x, point.y, point.z};
}

DxfPolyline PolylineOf(const AcDbPolyline& polyline)
{
    DxfPolyline shape;
    shape.closed = polyline.isClosed();
    for (unsigned int i = 0; i < polyline.numVerts(); ++i)
    {
        AcGePoint2d point;
        double bulge = 0.0;
        polyline.getPointAt(i, point);
        polyline.getBulgeAt(i, bulge);
        shape.vertices.push_back({point.x, point.y, bulge});
    }
    return shape;
}

DxfInsert InsertOf(const AcDbBlockReference& reference)
{
    const AcGeScale3d scale = reference.scaleFactors();
    return {BlockName(reference.blockTableRecord()).value_or(""), Point(reference.position()), scale.sx, scale.sy,
            scale.sz, Degrees(reference.rotation())};
}

// The entity kinds a drawing is drawn with; none for any other.
std::optional<DxfShape> ShapeOf(const AcDbEntity& entity)
{
    if (const auto* line = AcDbLine::cast(&entity))
        return DxfLine{Point(line->startPoint()), Point(line->endPoint())};
    if (const auto* arc = AcDbArc::cast(&entity))
        return DxfArc{Point(arc->center()), arc->radius(), Degrees(arc->startAngle()), Degrees(arc->endAngle())};
    if (const auto* circle = AcDbCircle::cast(&entity))
        return DxfCircle{Point(circle->center()), circle->radius()};
    if (const auto* polyline = AcDbPolyline::cast(&entity))
        return PolylineOf(*polyline);
    if (const auto* reference = AcDbBlockReference::cast(&entity))
        return InsertOf(*reference);
    return std::nullopt;
}

std::vector<DxfEntity> EntitiesOf(AcDbObjectId record)
{
    std::vector<DxfEntity> entities;
    ForEachEntity(record, [&](const AcDbEntity& entity) {
        const bool visible = entity.visibility() == AcDb::kVisible;
        if (std::optional<DxfShape> shape = ShapeOf(entity))
            entities.push_back({std::move(*shape), visible ? "0" : kHiddenLayer, visible, {}, 0});
    });
    return entities;
}

// The block definitions in name order, and model space.
void AddBlocks(DxfDrawing& dxf)
{
    const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    if (!table)
        return;
    AcDbBlockTableIterator* walk = nullptr;
    table->newIterator(walk);
    const std::unique_ptr<AcDbBlockTableIterator> iterator(walk);
    for (; !iterator->done(); iterator->step())
    {
        AcDbObjectId id;
        iterator->getRecordId(id);
        const std::optional<std::string> name = BlockName(id);
        if (!name)
            continue;
        if (*name == cadhost::toUtf8(ACDB_MODEL_SPACE))
            dxf.modelSpace = EntitiesOf(id);
        else if (*name != cadhost::toUtf8(ACDB_PAPER_SPACE))
            dxf.blocks.push_back({*name, {}, EntitiesOf(id), 0});
    }
}

// A placement seen from above as a reference: position, rotation and the
// scale along the placed axes. A tilted part's view is not a rotation and
// scale alone; its x axis and area are kept.
DxfInsert InsertAt(const PlacedPart& part)
{
    const Affine2& place = part.place;
    const double sx = std::hypot(place.a, place.b);
    const double sy = sx > 0.0 ? (place.a * place.d - place.b * place.c) / sx : 0.0;
    return {BlockName(part.definition).value_or(""), {place.e, place.f, 0.0}, sx, sy, 1.0,
            Degrees(std::atan2(place.b, place.a))};
}

DxfEntity OnLayer(DxfShape shape, const std::string& layer)
{
    return {std::move(shape), layer, true, {}, 0};
}

void AddSegment(DxfDrawing& dxf, const SegmentMotion& segment, const std::string& pathLayer,
                const std::string& partsLayer)
{
    if (segment.placements.empty())
        return;
    DxfPolyline path;
    path.vertices.reserve(segment.placements.size());
    for (const Placement& placement : segment.placements)
        path.vertices.push_back({placement.point.x, placement.point.y, 0.0});
    if (path.vertices.size() > 1)
        dxf.modelSpace.push_back(OnLayer(std::move(path), pathLayer));
    for (const PlacedPart& part : SegmentPartsAt(segment, segment.placements.front()))
        dxf.modelSpace.push_back(OnLayer(InsertAt(part), partsLayer));
}

// Filled in place: a tag moved into the vector trips GCC's
// maybe-uninitialized warning on the variant's text at -O3.
template <class T> void AddTag(DxfRecord& record, int code, T value)
{
    DxfTag& tag = record.tags.emplace_back();
    tag.code = code;
    tag.value = std::move(value);
}

// The record's tags, in this order: 1 name, 70 type, 160 identifier, 90
// section count; per section 40 speed in miles per hour, 71 the unit it was
// given in, 91 segment count; per segment 92 its length.
DxfRecord RecordOf(const CPmSim200& sim, const std::string& name)
{
    DxfRecord record{name, {}};
    AddTag(record, 1, name);
    AddTag(record, 70, sim.Type());
    AddTag(record, 160, std::to_string(sim.Id()));
    AddTag(record, 90, static_cast<int>(sim.Sections()->size()));
    for (const CPmSection200* section : *sim.Sections())
    {
        AddTag(record, 40, section->Speed());
        AddTag(record, 71, section->SpeedUnits());
        AddTag(record, 91, static_cast<int>(section->Segments()->size()));
        for (const CPmSegment200* segment : *section->Segments())
            AddTag(record, 92, segment->Length());
    }
    return record;
}

// Closed polylines on a layer of their own, made only when there are any.
void AddRings(DxfDrawing& dxf, const std::vector<OutlinePath>& rings, const std::string& layer,
              int colour)
{
    if (rings.empty())
        return;
    dxf.layers.push_back({layer, colour, false});
    for (const OutlinePath& ring : rings)
    {
        DxfPolyline polyline{{}, true};
        for (std::size_t i = 0; i + 1 < ring.xy.size(); i += 2)
            polyline.vertices.push_back({ring.xy[i], ring.xy[i + 1], 0.0});
        dxf.modelSpace.push_back(OnLayer(std::move(polyline), layer));
    }
}

void AddSimulation(DxfDrawing& dxf, const ExportedSimulation& exported)
{
    const std::string name = cadhost::toUtf8(exported.sim->Name()->str());
    const std::string pathLayer = SimulationLayer(name, "path");
    const std::string partsLayer = SimulationLayer(name, "parts");
    dxf.layers.push_back({pathLayer, kPathColour, false});
    dxf.layers.push_back({partsLayer, kPartsColour, false});
    // The first position stands whatever the speeds, so any unit will do.
    const SimulationMotion motion = MotionOf(*exported.sim, 1.0);
    for (const SectionMotion& section : motion.sections)
        for (const SegmentMotion& segment : section.segments)
            AddSegment(dxf, segment, pathLayer, partsLayer);
    AddRings(dxf, exported.envelope, SimulationLayer(name, "envelope"), kEnvelopeColour);
    AddRings(dxf, exported.clearance, SimulationLayer(name, "clearance"), kClearanceColour);
    dxf.records.push_back(RecordOf(*exported.sim, name));
}
} // namespace

std::string SimulationLayer(const std::string& simulation, const std::string& role)
{
    std::string layer = simulation;
    for (char& c : layer)
        if (std::string_view("<>/\\\":;?*|=`").find(c) != std::string_view::npos)
            c = '_';
    return layer + " " + role;
}

DxfDrawing DrawingToDxf(const std::vector<ExportedSimulation>& simulations)
{
    DxfDrawing dxf;
    dxf.layers.push_back({"0", 7, false});
    dxf.layers.push_back({kHiddenLayer, 8, true});
    dxf.recordDictionary = kSimulationDictionary;
    AddBlocks(dxf);
    for (const ExportedSimulation& exported : simulations)
        AddSimulation(dxf, exported);
    return dxf;
}
