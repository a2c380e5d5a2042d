#include "tests/support/BlockDrawingTest.h"

#include "host/AcDbSymbolTable.h"

AcDbObjectId addDefinition(const ACHAR* name)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
}

std::unique_ptr<AcDbBlockReference> newSource(const ACHAR* name, AcGePoint3d position,
                                              AcGeScale3d scale)
{
    auto source = std::make_unique<AcDbBlockReference>(position, addDefinition(name));
    source->setScaleFactors(scale);
    return source;
}

BlockDrawingTest::Placed BlockDrawingTest::placed(const AcDbHandle& handle)
{
    Placed result;
    AcDbBlockReference* reference = nullptr;
    EXPECT_EQ(acdbOpenObject(reference, idOf(handle), AcDb::kForRead), Acad::eOk);
    if (reference == nullptr)
        return result;
    result = {reference->blockTableRecord(), reference->position(), reference->scaleFactors(),
              reference->visibility(), reference->ownerId()};
    reference->close();
    return result;
}
