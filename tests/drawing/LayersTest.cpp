// The layer of an entity as drawing/ gives it to whoever draws or sweeps
// by layer: the record's own state, and whether what is on it shows.
#include "drawing/Layers.h"
#include "tests/support/HostTest.h"

#include "cadhost/Utf8Text.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"

namespace
{
using LayersTest = HostTest;

TEST_F(LayersTest, AnEntityTakesItsLayersStateAndShowsOnlyOnALayerOnAndThawed)
{
    struct Row
    {
        const ACHAR* name;
        bool off;
        bool frozen;
        bool shows;
    };
    for (const Row& row : {Row{ACRX_T("Kerb"), false, false, true}, Row{ACRX_T("Off"), true, false, false},
                           Row{ACRX_T("Frozen"), false, true, false}, Row{ACRX_T("Both"), true, true, false}})
    {
        auto* record = new AcDbLayerTableRecord;
        record->setName(row.name);
        record->setIsOff(row.off);
        ASSERT_EQ(record->setIsFrozen(row.frozen), Acad::eOk);
        AcCmColor colour;
        colour.setRGB(10, 20, 30);
        ASSERT_EQ(record->setColor(colour), Acad::eOk);
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db()->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId layerId;
        ASSERT_EQ(table->add(layerId, record), Acad::eOk);
        table->close();
        record->close();

        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
        ASSERT_EQ(line->setLayer(layerId), Acad::eOk);
        const std::optional<EntityLayer> layer = LayerOf(*line);
        delete line;
        ASSERT_TRUE(layer);
        EXPECT_EQ(layer->name, cadhost::toUtf8(row.name));
        EXPECT_EQ(layer->off, row.off);
        EXPECT_EQ(layer->frozen, row.frozen);
        EXPECT_EQ(layer->Shows(), row.shows);
        EXPECT_TRUE(layer->colour == colour);
    }
}
} // namespace
