// What a drawing holds beyond its blocks: the layer, line type and text style
// tables, the properties every entity has and takes from the database, the
// boxes entities span, and drawings written before any of it.
#include "tests/support/HostTest.h"

#include "cadhost/DrawingFileHeader.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "host/AcDbPoint.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcDbText.h"
#include "host/AcRxClass.h"
#include "host/acutMem.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>

#include <unistd.h>

namespace
{
namespace fs = std::filesystem;
constexpr Acad::ErrorStatus eOk = Acad::eOk;
constexpr double kPi = 3.14159265358979323846;

constexpr double Radians(double degrees) { return degrees * kPi / 180.0; }

template <class Table> AcDbObjectId RecordOf(AcDbDatabase* db, const ACHAR* name)
{
    Table* table = nullptr;
    EXPECT_EQ(db->getSymbolTable(table, AcDb::kForRead), eOk);
    AcDbObjectId id;
    table->getAt(name, id);
    table->close();
    return id;
}

template <class Table, class Record> AcDbObjectId AddRecord(AcDbDatabase* db, Record* record, const ACHAR* name)
{
    record->setName(name);
    Table* table = nullptr;
    EXPECT_EQ(db->getSymbolTable(table, AcDb::kForWrite), eOk);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), eOk);
    table->close();
    record->close();
    return id;
}

class DrawingTablesTest : public HostTest
{
protected:
    template <class T> T* Open(AcDbObjectId id)
    {
        T* object = nullptr;
        EXPECT_EQ(acdbOpenObject(object, id, AcDb::kForWrite), eOk);
        return object;
    }
};

// The host's reference: "The layer table in a pristine database contains
// one record, layer 0. [...] The linetype table always has CONTINUOUS,
// BY_LAYER, and BY_BLOCK linetype table records. [...] The text style table
// always has a STANDARD table record." None of them is renamed or erased;
// a record of the user's is.
TEST_F(DrawingTablesTest, EveryDrawingHasTheRecordsItsTablesKeep)
{
    struct Kept
    {
        AcDbObjectId found;
        AcDbObjectId named;
    };
    const Kept kept[] = {{RecordOf<AcDbLayerTable>(db(), L"0"), db()->layerZero()},
                         {RecordOf<AcDbLinetypeTable>(db(), L"BYLAYER"), db()->byLayerLinetype()},
                         {RecordOf<AcDbLinetypeTable>(db(), L"byblock"), db()->byBlockLinetype()},
                         {RecordOf<AcDbLinetypeTable>(db(), L"CONTINUOUS"), db()->continuousLinetype()},
                         {RecordOf<AcDbTextStyleTable>(db(), L"STANDARD"), db()->textstyle()}};
    for (const Kept& record : kept)
    {
        ASSERT_FALSE(record.found.isNull());
        EXPECT_EQ(record.found, record.named);
        auto* opened = Open<AcDbSymbolTableRecord>(record.found);
        EXPECT_EQ(opened->setName(L"Renamed"), Acad::eNotApplicable);
        EXPECT_EQ(opened->erase(), Acad::eCannotBeErasedByCaller);
        opened->close();
    }
    EXPECT_EQ(db()->clayer(), db()->layerZero());
    EXPECT_EQ(db()->celtype(), db()->byLayerLinetype());
    EXPECT_EQ(db()->insunits(), AcDb::kUnitsUndefined);

    const AcDbObjectId walls = AddRecord<AcDbLayerTable>(db(), new AcDbLayerTableRecord, L"Walls");
    auto* layer = Open<AcDbLayerTableRecord>(walls);
    EXPECT_EQ(layer->linetypeObjectId(), db()->continuousLinetype()) << "a new layer draws continuous lines";
    EXPECT_EQ(layer->color().colorIndex(), 7);
    EXPECT_EQ(layer->setName(L"Outer walls"), eOk);
    EXPECT_EQ(layer->erase(), eOk);
    layer->close();
}

// "If the color layer and linetype have not been set by the time the entity
// is added to a database, then the entity is set to use the databases
// default color, LayerTableRecord object ID and LinetypeTableRecord object
// ID": what was given stays.
TEST_F(DrawingTablesTest, AnEntityTakesFromTheDatabaseOnlyWhatItWasNotGiven)
{
    const AcDbObjectId walls = AddRecord<AcDbLayerTable>(db(), new AcDbLayerTableRecord, L"Walls");
    ASSERT_EQ(db()->setClayer(walls), eOk);
    AcCmColor green;
    green.setColorIndex(3);
    ASSERT_EQ(db()->setCecolor(green), eOk);
    ASSERT_EQ(db()->setCeltscale(4.0), eOk);

    auto* given = new AcDbLine({0, 0, 0}, {1, 1, 0});
    EXPECT_EQ(given->colorIndex(), 257) << "a new entity has no colour";
    given->setColorIndex(5);
    given->setLinetypeScale(2.0);
    given->setLayer(db()->layerZero());
    auto* plain = new AcDbText({0, 0, 0}, L"plain");
    const std::vector<AcDbObjectId> ids = appendTo(modelSpaceId(), {given, plain});

    const auto check = [&](AcDbObjectId id, AcDbObjectId layer, int colour, double scale) {
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), eOk);
        EXPECT_EQ(entity->layerId(), layer);
        EXPECT_EQ(entity->colorIndex(), colour);
        EXPECT_EQ(entity->linetypeScale(), scale);
        EXPECT_EQ(entity->linetypeId(), db()->byLayerLinetype());
        EXPECT_EQ(entity->lineWeight(), AcDb::kLnWtByLayer);
        entity->close();
    };
    check(ids[0], db()->layerZero(), 5, 2.0);
    check(ids[1], walls, 3, 4.0);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, ids[1], AcDb::kForRead), eOk);
    EXPECT_EQ(text->textStyle(), db()->textstyle());
    ACHAR* name = text->layer();
    EXPECT_STREQ(name, L"Walls");
    acutDelString(name);
    text->close();
}

// What no drawing holds is refused with the host's statuses, and changes
// nothing.
TEST_F(DrawingTablesTest, SettersRefuseWhatNoDrawingHolds)
{
    const AcDbObjectId walls = AddRecord<AcDbLayerTable>(db(), new AcDbLayerTableRecord, L"Walls");
    AcDbLine line;
    AcDbLayerTableRecord layer;
    AcDbSpline spline;
    AcDbEllipse ellipse;
    AcDbHatch hatch;
    AcDbText text;
    AcDbMText paragraph;
    AcCmColor byLayer;
    AcGePoint3dArray points;
    points.append({0, 0, 0}).append({1, 1, 0}).append({2, 0, 0});
    AcGeDoubleArray downward;
    for (const double knot : {0.0, 0.0, 1.0, 0.5, 1.0, 1.0})
        downward.append(knot);
    AcGeDoubleArray tooFew;
    tooFew.append(0.0).append(1.0);
    AcGePoint2dArray onePoint;
    onePoint.append({0, 0});
    struct Refused
    {
        const char* what;
        std::function<Acad::ErrorStatus()> call;
        Acad::ErrorStatus status;
    };
    const Refused rows[] = {
        {"a layer the drawing lacks", [&] { return line.setLayer(L"Roof"); }, Acad::eKeyNotFound},
        {"a line type as a layer", [&] { return line.setLayer(db()->continuousLinetype()); },
         Acad::eWrongObjectType},
        {"a layer as a line type", [&] { return line.setLinetype(walls); }, Acad::eWrongObjectType},
        {"a scale of 0", [&] { return line.setLinetypeScale(0.0); }, Acad::eInvalidInput},
        {"a weight of 0.07 mm", [&] { return line.setLineWeight(static_cast<AcDb::LineWeight>(7)); },
         Acad::eInvalidInput},
        {"colour index 258", [&] { return line.setColorIndex(258); }, Acad::eInvalidInput},
        {"a layer by layer", [&] { return layer.setColor(byLayer); }, Acad::eInvalidInput},
        {"a layer's weight by block", [&] { return layer.setLineWeight(AcDb::kLnWtByBlock); }, Acad::eInvalidInput},
        {"knots going down",
         [&] { return spline.setNurbsData(2, false, false, false, points, downward, {}); }, Acad::eInvalidInput},
        {"too few knots", [&] { return spline.setNurbsData(2, false, false, false, points, tooFew, {}); },
         Acad::eInvalidInput},
        {"an ellipse's ratio above 1", [&] { return ellipse.set({0, 0, 0}, {0, 0, 1}, {1, 0, 0}, 1.5); },
         Acad::eInvalidInput},
        {"a hatch loop of one vertex", [&] { return hatch.appendLoop(AcDbHatch::kExternal, onePoint, {}); },
         Acad::eInvalidInput},
        {"a text of no height", [&] { return text.setHeight(0.0); }, Acad::eInvalidInput},
        {"a line spacing of 5", [&] { return paragraph.setLineSpacingFactor(5.0); }, Acad::eInvalidInput},
        {"units beyond the list", [&] { return db()->setInsunits(static_cast<AcDb::UnitsValue>(25)); },
         Acad::eOutOfRange},
        {"a line type as the current layer", [&] { return db()->setClayer(db()->continuousLinetype()); },
         Acad::eInvalidInput},
    };
    for (const Refused& row : rows)
        EXPECT_EQ(row.call(), row.status) << row.what;
    EXPECT_TRUE(line.layerId().isNull());
    EXPECT_EQ(line.linetypeScale(), 1.0);
    EXPECT_EQ(spline.numControlPoints(), 0);
    EXPECT_EQ(db()->clayer(), db()->layerZero());
}

// Boxes worked out by hand: an arc across 0 degrees, a half-circle bulge
// below its chord, a block turned a quarter and doubled.
TEST_F(DrawingTablesTest, ExtentsAreTheBoxesTheGeometrySpans)
{
    auto* square = new AcDbBlockTableRecord;
    square->setName(L"Square");
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db()->getBlockTable(table, AcDb::kForWrite), eOk);
    AcDbObjectId squareId;
    ASSERT_EQ(table->add(squareId, square), eOk);
    table->close();
    square->close();
    appendTo(squareId, {new AcDbLine({0, 0, 0}, {1, 1, 0})});

    const double s10 = 2 * std::sin(Radians(10));
    auto* bulged = new AcDbPolyline;
    bulged->addVertexAt(0, {0, 0}, 1.0);
    bulged->addVertexAt(1, {2, 0});
    auto* quarter = new AcDbEllipse({0, 0, 0}, {0, 0, 1}, {2, 0, 0}, 0.5);
    quarter->setEndParam(kPi / 2);
    auto* reference = new AcDbBlockReference({10, 0, 0}, squareId);
    reference->setScaleFactors(AcGeScale3d(2.0));
    reference->setRotation(kPi / 2);
    auto* hatch = new AcDbHatch;
    AcGePoint2dArray corners;
    corners.append({0, 0}).append({4, 0}).append({4, 4}).append({0, 4});
    hatch->appendLoop(AcDbHatch::kExternal, corners, {});
    struct Box
    {
        AcDbEntity* entity;
        AcGePoint3d low;
        AcGePoint3d high;
    };
    const Box boxes[] = {
        {new AcDbLine({1, 2, 0}, {4, -1, 3}), {1, -1, 0}, {4, 2, 3}},
        {new AcDbCircle({1, 1, 0}, {0, 0, 1}, 2), {-1, -1, 0}, {3, 3, 0}},
        {new AcDbArc({0, 0, 0}, 2, Radians(350), Radians(10)), {2 * std::cos(Radians(10)), -s10, 0},
         {2, s10, 0}},
        {new AcDbArc({0, 0, 0}, 2, 0, kPi / 2), {0, 0, 0}, {2, 2, 0}},
        {bulged, {0, -1, 0}, {2, 0, 0}},
        {new AcDbEllipse({0, 0, 0}, {0, 0, 1}, {2, 0, 0}, 0.5), {-2, -1, 0}, {2, 1, 0}},
        {quarter, {0, 0, 0}, {2, 1, 0}},
        {new AcDbPoint({3, 4, 5}), {3, 4, 5}, {3, 4, 5}},
        {new AcDbText({1, 1, 0}, L"AB", AcDbObjectId::kNull, 1.0), {1, 1, 0}, {3, 2, 0}},
        {reference, {8, 0, 0}, {10, 2, 0}},
        {hatch, {0, 0, 0}, {4, 4, 0}},
    };
    for (const Box& box : boxes)
    {
        const AcDbObjectId id = appendToModelSpace(box.entity);
        AcDbEntity* entity = nullptr;
        ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForRead), eOk);
        AcDbExtents extents;
        EXPECT_EQ(entity->getGeomExtents(extents), eOk) << entity->isA()->name();
        for (const auto& [got, expected] : {std::pair{extents.minPoint(), box.low}, {extents.maxPoint(), box.high}})
        {
            EXPECT_NEAR(got.x, expected.x, 1e-12) << entity->isA()->name();
            EXPECT_NEAR(got.y, expected.y, 1e-12) << entity->isA()->name();
            EXPECT_NEAR(got.z, expected.z, 1e-12) << entity->isA()->name();
        }
        entity->close();
    }
}

// A drawing written before drawings held tables opens with them made, its
// entities on layer "0" by layer, and saves in the current format, which
// opens to the same objects again.
TEST_F(DrawingTablesTest, ADrawingOfTheFirstFormatOpensOnLayerZeroAndSavesInTheCurrentOne)
{
    ASSERT_EQ(reopen(ZNSIM_FORMAT1_DEMO), eOk);
    // The demo's objects, and the three tables with their five records.
    constexpr Adesk::UInt32 kDemoObjects = 102;
    EXPECT_EQ(db()->numObjects(), kDemoObjects + 8);
    std::size_t entities = 0;
    const auto everyEntity = [&](const std::function<void(AcDbEntity&)>& visit) {
        AcDbBlockTable* table = nullptr;
        ASSERT_EQ(db()->getBlockTable(table, AcDb::kForRead), eOk);
        AcDbBlockTableIterator* records = nullptr;
        table->newIterator(records);
        for (; !records->done(); records->step())
        {
            AcDbBlockTableRecord* record = nullptr;
            records->getRecord(record, AcDb::kForRead);
            AcDbBlockTableRecordIterator* walk = nullptr;
            record->newIterator(walk);
            for (; !walk->done(); walk->step())
            {
                AcDbEntity* entity = nullptr;
                ASSERT_EQ(walk->getEntity(entity, AcDb::kForRead), eOk);
                visit(*entity);
                entity->close();
            }
            delete walk;
            record->close();
        }
        delete records;
        table->close();
    };
    everyEntity([&](AcDbEntity& entity) {
        ++entities;
        EXPECT_EQ(entity.layerId(), db()->layerZero());
        EXPECT_EQ(entity.linetypeId(), db()->byLayerLinetype());
        EXPECT_TRUE(entity.color().isByLayer());
        EXPECT_EQ(entity.lineWeight(), AcDb::kLnWtByLayer);
        EXPECT_EQ(entity.linetypeScale(), 1.0);
    });
    EXPECT_EQ(entities, 6u + 6u + 63u + 10u) << "its lines, circles, polylines and references";

    const fs::path again = fs::temp_directory_path() / ("format1-again-" + std::to_string(::getpid()) + ".zdw");
    ASSERT_EQ(save(again), eOk);
    std::ifstream in(again, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    cadhost::DrawingFileHeader header;
    ASSERT_EQ(header.readFrom(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), eOk);
    EXPECT_EQ(header.version, cadhost::DrawingFileHeader::kFormatVersion);
    ASSERT_EQ(reopen(again), eOk);
    fs::remove(again);
    EXPECT_EQ(db()->numObjects(), kDemoObjects + 8);
    std::size_t onLayerZero = 0;
    everyEntity([&](AcDbEntity& entity) { onLayerZero += entity.layerId() == db()->layerZero() ? 1 : 0; });
    EXPECT_EQ(onLayerZero, entities);
}
} // namespace
