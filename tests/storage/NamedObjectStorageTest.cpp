#include "tests/storage/StorageTest.h"

#include <gtest/gtest.h>

namespace
{
const CString kDict(L"ZN_SIM");

class NamedObjectStorageTest : public StorageTest
{
};

TEST_F(NamedObjectStorageTest, ADrawingWithoutTheDictionaryFindsNothingAndMakesNothing)
{
    CStringArray array;
    array.Add(L"left over");
    EXPECT_EQ(CIvAcadObject::GetObjectNames(kDict, &array), Acad::eKeyNotFound);
    EXPECT_EQ(array.GetSize(), 0);
    EXPECT_TRUE(CIvAcadObject::GetObjectId(kDict, L"a").isNull());
    NamedThing sentinel;
    CIvAcadObject* untouched = &sentinel;
    EXPECT_EQ(CIvAcadObject::Load(kDict, L"a", &untouched), -1);
    EXPECT_EQ(untouched, &sentinel);
    EXPECT_EQ(CIvAcadObject::Delete(kDict, L"a"), -1);
    EXPECT_FALSE(namedObjectsHold(L"ZN_SIM"));
}

TEST_F(NamedObjectStorageTest, SaveStoresClosesAndReplacesEntriesOfTheSameName)
{
    auto* first = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", first), 0);
    EXPECT_TRUE(namedObjectsHold(L"ZN_SIM"));
    EXPECT_EQ(storedNames(), std::vector<CString>{L"a"});
    const AcDbObjectId firstId = first->objectId();
    EXPECT_EQ(CIvAcadObject::GetObjectId(kDict, L"a"), firstId);
    EXPECT_TRUE(isClosed(firstId));

    auto* second = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", second), 0);
    EXPECT_EQ(storedNames(), std::vector<CString>{L"a"});
    EXPECT_EQ(CIvAcadObject::GetObjectId(kDict, L"a"), second->objectId());
    EXPECT_TRUE(firstId.isErased());
    EXPECT_TRUE(isClosed(firstId));
    EXPECT_TRUE(isClosed(second->objectId()));

    // Storing the entry itself again: the one open Save makes is the one it
    // closes.
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", second), 0);
    EXPECT_EQ(CIvAcadObject::GetObjectId(kDict, L"a"), second->objectId());
    EXPECT_TRUE(isClosed(second->objectId()));

    // Keys differ by letter case.
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"A", new NamedThing()), 0);
    EXPECT_EQ(storedNames(), (std::vector<CString>{L"A", L"a"}));
}

TEST_F(NamedObjectStorageTest, LoadOpensForReadAndDeleteErases)
{
    auto* stored = new NamedThing();
    stored->SetObjectName(L"kept apart from the key");
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", stored), 0);

    CIvAcadObject* loaded = nullptr;
    ASSERT_EQ(CIvAcadObject::Load(kDict, L"a", &loaded), 0);
    EXPECT_EQ(loaded, stored);
    EXPECT_EQ(loaded->Name(), CString(L"kept apart from the key"));
    EXPECT_TRUE(loaded->isReadEnabled());
    EXPECT_FALSE(loaded->isWriteEnabled());
    // Deleting needs the object for write, which its reader still holds.
    EXPECT_EQ(CIvAcadObject::Delete(kDict, L"a"), Acad::eWasOpenForRead);
    loaded->close();

    EXPECT_EQ(CIvAcadObject::Delete(kDict, L"a"), 0);
    EXPECT_TRUE(stored->objectId().isErased());
    EXPECT_EQ(CIvAcadObject::Load(kDict, L"a", &loaded), -1);
    EXPECT_TRUE(storedNames().empty());
}

TEST_F(NamedObjectStorageTest, RefusedStoresLeaveTheObjectToItsCallerAndNothingOpen)
{
    NamedThing unstored;
    EXPECT_EQ(CIvAcadObject::Save(kDict, L"", &unstored), Acad::eInvalidKey);
    EXPECT_TRUE(unstored.objectId().isNull());
    EXPECT_EQ(CIvAcadObject::Save(L"", L"a", &unstored), Acad::eInvalidKey);
    EXPECT_TRUE(unstored.objectId().isNull());

    // A stored object cannot be entered a second time under another name.
    auto* stored = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", stored), 0);
    EXPECT_EQ(CIvAcadObject::Save(kDict, L"b", stored), Acad::eAlreadyInDb);
    EXPECT_TRUE(isClosed(stored->objectId()));
    EXPECT_EQ(storedNames(), std::vector<CString>{L"a"});
}

TEST_F(NamedObjectStorageTest, EntriesOfTheWrongKindAreRefusedAndClosedAgain)
{
    // A plain object under the dictionary's own name, and a dictionary where
    // a named object is looked for.
    AcDbDictionary* namedObjects = nullptr;
    ASSERT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite), Acad::eOk);
    auto* impostor = new NamedThing();
    AcDbObjectId impostorId;
    ASSERT_EQ(namedObjects->setAt(L"NOT_A_DICT", impostor, impostorId), Acad::eOk);
    impostor->close();
    namedObjects->close();
    NamedThing unstored;
    EXPECT_EQ(CIvAcadObject::Save(L"NOT_A_DICT", L"a", &unstored), Acad::eNotThatKindOfClass);
    EXPECT_TRUE(unstored.objectId().isNull());
    EXPECT_TRUE(isClosed(impostorId));

    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", new NamedThing()), 0);
    ASSERT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForRead), Acad::eOk);
    AcDbObject* entry = nullptr;
    ASSERT_EQ(namedObjects->getAt(L"ZN_SIM", entry, AcDb::kForWrite), Acad::eOk);
    namedObjects->close();
    auto* sims = AcDbDictionary::cast(entry);
    auto* nested = new AcDbDictionary();
    AcDbObjectId nestedId;
    ASSERT_EQ(sims->setAt(L"dict", nested, nestedId), Acad::eOk);
    nested->close();
    sims->close();
    CIvAcadObject* loaded = nullptr;
    EXPECT_EQ(CIvAcadObject::Load(kDict, L"dict", &loaded), Acad::eNotThatKindOfClass);
    EXPECT_EQ(loaded, nullptr);
    EXPECT_TRUE(isClosed(nestedId));
}
} // namespace
