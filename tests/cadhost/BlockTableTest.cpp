#include "tests/support/BlockDrawingTest.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;

class BlockTableTest : public BlockDrawingTest
{
protected:
    static std::vector<AcDbObjectId> walk(AcDbObjectId recordId, bool forward, bool skipDeleted)
    {
        AcDbBlockTableRecord* record = nullptr;
        EXPECT_EQ(acdbOpenObject(record, recordId, AcDb::kForRead), eOk);
        AcDbBlockTableRecordIterator* raw = nullptr;
        record->newIterator(raw, forward, skipDeleted);
        std::unique_ptr<AcDbBlockTableRecordIterator> it(raw);
        std::vector<AcDbObjectId> ids;
        for (; !it->done(); it->step(forward, skipDeleted))
        {
            AcDbObjectId id;
            it->getEntityId(id);
            ids.push_back(id);
        }
        record->close();
        return ids;
    }
};

TEST_F(BlockTableTest, RecordsHoldTheirEntitiesInOrderAndIteratorsPassOverErasedOnes)
{
    auto* polyline = new AcDbPolyline;
    EXPECT_EQ(polyline->addVertexAt(0, {1, 1}), eOk);
    const AcDbObjectId line = appendToModelSpace(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    const AcDbObjectId circle = appendToModelSpace(new AcDbCircle({0, 0, 0}, {0, 0, 1}, 2.0));
    const AcDbObjectId poly = appendToModelSpace(polyline);

    const AcDbObjectId space = modelSpaceId();
    EXPECT_EQ(walk(space, true, true), (std::vector<AcDbObjectId>{line, circle, poly}));
    EXPECT_EQ(walk(space, false, true), (std::vector<AcDbObjectId>{poly, circle, line}));

    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, circle, AcDb::kForWrite), eOk);
    EXPECT_EQ(entity->blockId(), space);
    entity->erase();
    entity->close();
    EXPECT_EQ(walk(space, true, true), (std::vector<AcDbObjectId>{line, poly}));
    EXPECT_EQ(walk(space, false, false), (std::vector<AcDbObjectId>{poly, circle, line}));
}

// An appended entity stays open for its caller; cancel takes back every
// entity appended since the record's open.
TEST_F(BlockTableTest, CancelTakesBackTheEntitiesAppendedSinceTheOpen)
{
    const AcDbObjectId kept = appendToModelSpace(new AcDbLine);
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, modelSpaceId(), AcDb::kForWrite), eOk);
    EXPECT_EQ(space->appendAcDbEntity(nullptr), Acad::eNullEntityPointer);
    for (int i = 0; i < 3; ++i)
    {
        auto* line = new AcDbLine;
        ASSERT_EQ(space->appendAcDbEntity(line), eOk);
        EXPECT_TRUE(line->isWriteEnabled());
        EXPECT_EQ(space->appendAcDbEntity(line), Acad::eAlreadyInDb);
        line->close();
    }
    EXPECT_EQ(space->cancel(), eOk);
    EXPECT_EQ(walk(modelSpaceId(), true, false), std::vector<AcDbObjectId>{kept});
}

// A block may go while references use it; its name is then free again.
TEST_F(BlockTableTest, BlockNamesAreUniqueAmongLiveRecordsWithoutLetterCase)
{
    const AcDbObjectId part = addDefinition(L"Tractor");
    const AcDbObjectId ref = appendToModelSpace(new AcDbBlockReference({10, 20, 30}, part));
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db()->getBlockTable(table, AcDb::kForWrite), eOk);
    auto* duplicate = new AcDbBlockTableRecord;
    duplicate->setName(L"TRACTOR");
    EXPECT_EQ(table->add(duplicate), Acad::eDuplicateRecordName);
    auto* unnamed = new AcDbBlockTableRecord;
    EXPECT_EQ(table->add(unnamed), Acad::eNullBlockName);
    delete unnamed;
    AcDbObjectId found;
    EXPECT_EQ(table->getAt(L"TRACTOR", found), eOk);
    EXPECT_EQ(found, part);
    EXPECT_TRUE(table->has(L"tractor"));
    EXPECT_TRUE(table->has(L"*MODEL_SPACE"));
    EXPECT_TRUE(table->has(part));
    table->close();

    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, part, AcDb::kForWrite), eOk);
    EXPECT_EQ(record->erase(), eOk);
    record->close();

    // A name whose record is erased may be used again.
    ASSERT_EQ(db()->getBlockTable(table, AcDb::kForWrite), eOk);
    EXPECT_EQ(table->getAt(L"Tractor", found), Acad::eKeyNotFound);
    EXPECT_EQ(table->getAt(L"Tractor", found, true), eOk);
    EXPECT_EQ(found, part);
    EXPECT_EQ(table->add(duplicate), eOk);
    duplicate->close();
    table->close();

    AcDbBlockReference* reference = nullptr;
    ASSERT_EQ(acdbOpenObject(reference, ref, AcDb::kForRead), eOk);
    EXPECT_EQ(reference->blockTableRecord(), part);
    EXPECT_EQ(reference->position(), AcGePoint3d(10, 20, 30));
    reference->close();
}

// Renaming needs only the record open for write; the table's key follows,
// and cancel takes both back.
TEST_F(BlockTableTest, RecordsAreRenamedInTheTableExceptTheTwoSpaces)
{
    const AcDbObjectId tractor = addDefinition(L"Tractor");
    const AcDbObjectId trailer = addDefinition(L"Trailer");
    const auto rename = [](AcDbObjectId id, const ACHAR* name, bool keep) {
        AcDbBlockTableRecord* record = nullptr;
        EXPECT_EQ(acdbOpenObject(record, id, AcDb::kForWrite), eOk);
        const Acad::ErrorStatus es = record->setName(name);
        keep ? record->close() : record->cancel();
        return es;
    };
    const auto lookUp = [this](const ACHAR* name) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db()->getBlockTable(table, AcDb::kForRead), eOk);
        AcDbObjectId id;
        table->getAt(name, id);
        table->close();
        return id;
    };

    EXPECT_EQ(rename(tractor, L"Tractor unit", true), eOk);
    EXPECT_EQ(lookUp(L"TRACTOR UNIT"), tractor);
    EXPECT_TRUE(lookUp(L"Tractor").isNull());
    EXPECT_EQ(rename(tractor, L"TRAILER", true), Acad::eDuplicateRecordName);
    EXPECT_EQ(rename(tractor, L"tractor UNIT", true), eOk);
    EXPECT_EQ(rename(tractor, L"Lorry", false), eOk);
    EXPECT_EQ(lookUp(L"tractor unit"), tractor);
    EXPECT_TRUE(lookUp(L"Lorry").isNull());
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, tractor, AcDb::kForRead), eOk);
    const ACHAR* name = nullptr;
    record->getName(name);
    EXPECT_EQ(std::wstring(name), L"tractor UNIT");
    record->close();

    EXPECT_EQ(rename(modelSpaceId(), L"Model", true), Acad::eNotApplicable);
    EXPECT_EQ(rename(lookUp(ACDB_PAPER_SPACE), L"Paper", true), Acad::eNotApplicable);
    EXPECT_EQ(rename(trailer, L"", true), Acad::eInvalidInput);
    EXPECT_EQ(lookUp(L"Trailer"), trailer);
}
} // namespace
