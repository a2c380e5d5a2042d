#include "tests/storage/StorageTest.h"
#include "storage/SimDictionary.h"

#include <gtest/gtest.h>

namespace
{
const CString kDict(kSimDictionary);

using NamedObjectStorageTest = StorageTest;

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
    EXPECT_FALSE(namedObjectsHold(kSimDictionary));
}

TEST_F(NamedObjectStorageTest, SaveReplacesEntriesOfTheSameNameLoadOpensForReadAndDeleteErases)
{
    // Each store replaces the entry and erases what it held; the host's keys
    // ignore letter case, so the entry takes the last spelling.
    NamedThing* previous = nullptr;
    for (const ACHAR* key : {L"a", L"a", L"A"})
    {
        auto* thing = new NamedThing();
        ASSERT_EQ(CIvAcadObject::Save(kDict, key, thing), 0) << key;
        EXPECT_EQ(storedNames(), std::vector<CString>{key});
        EXPECT_EQ(CIvAcadObject::GetObjectId(kDict, L"a"), thing->objectId());
        EXPECT_TRUE(isClosed(thing->objectId()));
        if (previous != nullptr)
        {
            EXPECT_TRUE(previous->objectId().isErased());
            EXPECT_TRUE(isClosed(previous->objectId()));
        }
        previous = thing;
    }
    // Storing the entry itself again: the one open Save makes is the one it
    // closes.
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"A", previous), 0);
    EXPECT_TRUE(isClosed(previous->objectId()));
    EXPECT_FALSE(previous->objectId().isErased());

    CIvAcadObject* loaded = nullptr;
    ASSERT_EQ(CIvAcadObject::Load(kDict, L"a", &loaded), 0);
    EXPECT_EQ(loaded, previous);
    EXPECT_TRUE(loaded->isReadEnabled());
    EXPECT_FALSE(loaded->isWriteEnabled());
    // Erasing needs the object for write, which its reader still holds.
    EXPECT_EQ(CIvAcadObject::Delete(kDict, L"a"), Acad::eWasOpenForRead);
    loaded->close();

    EXPECT_EQ(CIvAcadObject::Delete(kDict, L"a"), 0);
    EXPECT_TRUE(previous->objectId().isErased());
    EXPECT_EQ(CIvAcadObject::Load(kDict, L"a", &loaded), -1);
    EXPECT_TRUE(storedNames().empty());
}

TEST_F(NamedObjectStorageTest, RefusedStoresLeaveTheObjectToItsCallerAndNothingOpen)
{
    NamedThing unstored;
    EXPECT_EQ(CIvAcadObject::Save(L"", L"a", &unstored), Acad::eInvalidKey);
    EXPECT_EQ(CIvAcadObject::Save(kDict, L"", &unstored), Acad::eInvalidKey);
    EXPECT_TRUE(unstored.objectId().isNull());

    // An object is stored under one name only.
    auto* stored = new NamedThing();
    ASSERT_EQ(CIvAcadObject::Save(kDict, L"a", stored), 0);
    EXPECT_EQ(CIvAcadObject::Save(kDict, L"b", stored), Acad::eAlreadyInDb);
    EXPECT_TRUE(isClosed(stored->objectId()));

    // What holds the dictionary's name must be a dictionary.
    AcDbDictionary* namedObjects = nullptr;
    ASSERT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForWrite), Acad::eOk);
    auto* impostor = new NamedThing();
    AcDbObjectId impostorId;
    ASSERT_EQ(namedObjects->setAt(L"NOT_A_DICT", impostor, impostorId), Acad::eOk);
    impostor->close();
    namedObjects->close();
    EXPECT_EQ(CIvAcadObject::Save(L"NOT_A_DICT", L"a", &unstored), Acad::eNotThatKindOfClass);
    EXPECT_TRUE(isClosed(impostorId));
}
} // namespace
