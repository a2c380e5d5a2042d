#include "tests/support/HostTest.h"

#include "cadhost/HostDiagnostics.h"
#include "host/AcDbEntity.h"
#include "host/AcDbSymbolTable.h"

void HostTest::SetUp()
{
    cadhost::resetDiagnostics();
    m_liveAtStart = cadhost::liveDatabaseObjects();
    freshDatabase();
}

AcDbDatabase* HostTest::freshEmptyDatabase()
{
    return replaceDatabase(new AcDbDatabase(false, true));
}

AcDbDatabase* HostTest::freshDatabase()
{
    return replaceDatabase(new AcDbDatabase());
}

Acad::ErrorStatus HostTest::save(const std::filesystem::path& file) const
{
    return m_db->saveAs(file.wstring().c_str());
}

Acad::ErrorStatus HostTest::reopen(const std::filesystem::path& file)
{
    return freshEmptyDatabase()->readDwgFile(file.wstring().c_str());
}

AcDbDatabase* HostTest::replaceDatabase(AcDbDatabase* db)
{
    delete m_db;
    m_db = db;
    acdbHostApplicationServices()->setWorkingDatabase(m_db);
    return m_db;
}

AcDbObjectId HostTest::modelSpaceId()
{
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(m_db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    table->getAt(ACDB_MODEL_SPACE, id);
    table->close();
    return id;
}

AcDbObjectId HostTest::idOf(AcDbHandle handle)
{
    AcDbObjectId id;
    EXPECT_EQ(m_db->getAcDbObjectId(id, false, handle), Acad::eOk);
    return id;
}

Acad::ErrorStatus HostTest::openStatus(AcDbObjectId id, AcDb::OpenMode mode, bool openErased)
{
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbObject(object, id, mode, openErased);
    EXPECT_EQ(object != nullptr, es == Acad::eOk) << "an open gives an object exactly when it succeeds";
    if (object != nullptr)
        object->close();
    return es;
}

void HostTest::TearDown()
{
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete m_db;
    m_db = nullptr;
    EXPECT_EQ(cadhost::objectsLeftOpen(), 0) << "objects were still open when the database went";
    EXPECT_EQ(cadhost::liveDatabaseObjects(), m_liveAtStart) << "database objects leaked";
    const auto violations = cadhost::enablementViolations();
    for (const auto& line : violations)
        ADD_FAILURE() << "object used without being open for it: "
                      << std::string(line.begin(), line.end());
}

std::vector<AcDbObjectId> appendTo(AcDbObjectId record, std::initializer_list<AcDbEntity*> entities)
{
    AcDbBlockTableRecord* opened = nullptr;
    EXPECT_EQ(acdbOpenObject(opened, record, AcDb::kForWrite), Acad::eOk);
    std::vector<AcDbObjectId> ids;
    for (AcDbEntity* entity : entities)
    {
        ids.emplace_back();
        EXPECT_EQ(opened->appendAcDbEntity(ids.back(), entity), Acad::eOk);
        entity->close();
    }
    opened->close();
    return ids;
}
