// Every test that touches a drawing derives from HostTest: it gets a fresh
// default database as the working database, and at its end the database is
// destroyed and the test fails if any object was left open, any database
// object leaked, or any object was read or changed without being open for it.
#pragma once

#include "host/AcDbDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <vector>

class AcDbEntity;

// Appends new entities to the block definition record (a space is one
// too) and closes them; their ids, in order.
std::vector<AcDbObjectId> appendTo(AcDbObjectId record, std::initializer_list<AcDbEntity*> entities);

class HostTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    AcDbDatabase* db() const { return m_db; }

    // Replaces the working database with a new empty one (as a host does
    // before it reads a drawing file into it) and returns it.
    AcDbDatabase* freshEmptyDatabase();
    // Replaces the working database with a new default drawing.
    AcDbDatabase* freshDatabase();
    // Saves the working database as file.
    Acad::ErrorStatus save(const std::filesystem::path& file) const;
    // Reads file into a fresh empty working database.
    Acad::ErrorStatus reopen(const std::filesystem::path& file);

    // Appends a new entity to the model space of the working database and
    // closes it; its id.
    AcDbObjectId appendToModelSpace(AcDbEntity* entity) { return appendTo(modelSpaceId(), {entity}).front(); }
    AcDbObjectId modelSpaceId();
    // The id of the object of handle in the working database.
    AcDbObjectId idOf(AcDbHandle handle);
    // The status of opening id (closed again when it opened).
    static Acad::ErrorStatus openStatus(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead,
                                        bool openErased = false);

private:
    AcDbDatabase* replaceDatabase(AcDbDatabase* db);

    AcDbDatabase* m_db = nullptr;
    long m_liveAtStart = 0;
};
