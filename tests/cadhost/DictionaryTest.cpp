#include "tests/support/HostTest.h"

#include "cadhost/HostDiagnostics.h"
#include "host/AcDbDictionary.h"
#include "host/acutMem.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;

class DictionaryTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ASSERT_EQ(db()->getNamedObjectsDictionary(m_dict, AcDb::kForWrite), eOk);
    }

    void TearDown() override
    {
        if (m_dict != nullptr)
            m_dict->close();
        HostTest::TearDown();
    }

    // Enters a new dictionary under key, closed again; its id.
    AcDbObjectId store(const ACHAR* key)
    {
        auto* value = new AcDbDictionary;
        AcDbObjectId id;
        EXPECT_EQ(m_dict->setAt(key, value, id), eOk);
        value->close();
        return id;
    }

    std::vector<std::wstring> iteratedNames() const
    {
        std::vector<std::wstring> names;
        std::unique_ptr<AcDbDictionaryIterator> it(m_dict->newIterator());
        for (; !it->done(); it->next())
            names.emplace_back(it->name());
        return names;
    }

    static void setErased(AcDbObjectId id, bool erasing)
    {
        AcDbObject* object = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(object, id, AcDb::kForWrite, true), eOk);
        EXPECT_EQ(object->erase(erasing), eOk);
        object->close();
    }

    AcDbDictionary* m_dict = nullptr;
};

TEST_F(DictionaryTest, KeysIgnoreLetterCaseKeepTheirLastSpellingAndIterateInThatOrder)
{
    // "\u00C4" folds to U+00E4, after every ASCII letter. U+1F600 is stored as
    // the surrogates D83D DE00, so it comes before the fullwidth U+FF21 as
    // UTF-16 orders them, although its code point is greater.
    for (const ACHAR* key : {L"\uFF21", L"Banana", L"\U0001F600", L"\u00C4rger", L"apple"})
        store(key);
    EXPECT_EQ(iteratedNames(), (std::vector<std::wstring>{L"apple", L"Banana", L"\u00C4rger",
                                                           L"\U0001F600", L"\uFF21"}));
    AcDbObjectId apple;
    EXPECT_EQ(m_dict->getAt(L"APPLE", apple), eOk);
    EXPECT_TRUE(m_dict->has(L"\u00E4RGER"));
    EXPECT_TRUE(m_dict->has(L"\uFF41"));
    EXPECT_FALSE(m_dict->has(L"Bananas"));

    // A store under another spelling replaces the entry, erasing what it
    // held, and the entry takes that spelling.
    const AcDbObjectId banana = store(L"banana");
    AcDbObjectId found;
    ASSERT_EQ(m_dict->getAt(L"Banana", found), eOk);
    const AcDbObjectId bananas = store(L"BANANA");
    EXPECT_EQ(found, banana);
    EXPECT_TRUE(banana.isErased());
    ACHAR* spelling = nullptr;
    ASSERT_EQ(m_dict->nameAt(bananas, spelling), eOk);
    EXPECT_EQ(std::wstring(spelling), L"BANANA");
    acutDelBuffer(spelling);
    EXPECT_EQ(m_dict->numEntries(), 5U);

    AcDbObjectId removed;
    EXPECT_EQ(m_dict->remove(L"\u00E4rger", removed), eOk);
    EXPECT_FALSE(removed.isNull());
    EXPECT_EQ(iteratedNames(),
              (std::vector<std::wstring>{L"apple", L"BANANA", L"\U0001F600", L"\uFF21"}));
}

// The new object comes in resident, owned and still open for write; the one
// it replaces is erased even while someone holds it open.
TEST_F(DictionaryTest, SetAtReplacesTheEntryAndErasesTheObjectItHeldEvenWhileOpen)
{
    const AcDbObjectId firstId = store(L"sim");
    AcDbObject* first = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(first, firstId, AcDb::kForWrite), eOk);

    auto* second = new AcDbDictionary;
    AcDbObjectId secondId;
    ASSERT_EQ(m_dict->setAt(L"sim", second, secondId), eOk);
    EXPECT_EQ(second->objectId(), secondId);
    EXPECT_EQ(second->ownerId(), m_dict->objectId());
    EXPECT_EQ(second->database(), db());
    EXPECT_TRUE(second->isWriteEnabled());
    EXPECT_TRUE(second->isNewObject());
    EXPECT_TRUE(first->isErased());
    EXPECT_EQ(first->close(), eOk);
    EXPECT_EQ(m_dict->numEntries(), 1U);

    // Storing an object that is the entry already changes nothing.
    AcDbObjectId again;
    EXPECT_EQ(m_dict->setAt(L"sim", second, again), eOk);
    EXPECT_EQ(again, secondId);
    EXPECT_FALSE(second->isErased());
    // One object cannot be the entry of two keys.
    EXPECT_EQ(m_dict->setAt(L"other", second, again), Acad::eAlreadyInDb);
    EXPECT_FALSE(m_dict->has(L"other"));
    second->close();
    AcDbObject* found = nullptr;
    ASSERT_EQ(m_dict->getAt(L"sim", found, AcDb::kForRead), eOk);
    EXPECT_EQ(found, second);
    found->close();
}

// Removing takes the entry out and leaves its object, ownerless; erasing
// hides the entry, and unerasing the object does not bring it back.
TEST_F(DictionaryTest, RemovedEntriesGoAndErasedOnesDoNotComeBackWhenUnerased)
{
    const AcDbObjectId removedId = store(L"removed");
    AcDbObjectId removed;
    EXPECT_EQ(m_dict->remove(L"removed", removed), eOk);
    EXPECT_EQ(removed, removedId);
    EXPECT_EQ(m_dict->remove(L"removed"), Acad::eKeyNotFound);
    EXPECT_EQ(m_dict->remove(store(L"y")), eOk);
    AcDbObject* object = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(object, removedId, AcDb::kForRead), eOk);
    EXPECT_FALSE(object->isErased());
    EXPECT_TRUE(object->ownerId().isNull());
    object->close();

    const AcDbObjectId x = store(L"x");
    store(L"y");
    setErased(x, true);
    AcDbObjectId id;
    EXPECT_EQ(m_dict->getAt(L"x", id), Acad::eKeyNotFound);
    EXPECT_FALSE(m_dict->has(L"x"));
    EXPECT_FALSE(m_dict->has(x));
    EXPECT_EQ(m_dict->numEntries(), 1U);
    EXPECT_EQ(iteratedNames(), std::vector<std::wstring>{L"y"});

    setErased(x, false);
    EXPECT_EQ(m_dict->getAt(L"x", id), Acad::eKeyNotFound);
    EXPECT_EQ(iteratedNames(), std::vector<std::wstring>{L"y"});
    ASSERT_EQ(acdbOpenAcDbObject(object, x, AcDb::kForWrite), eOk);
    EXPECT_TRUE(object->ownerId().isNull());
    EXPECT_EQ(m_dict->setAt(L"x", object, id), eOk);
    object->close();
    EXPECT_EQ(id, x);
    EXPECT_EQ(iteratedNames(), (std::vector<std::wstring>{L"x", L"y"}));
}

TEST_F(DictionaryTest, BadCallsAnswerTheirStatusAndChangeNothing)
{
    auto* value = new AcDbDictionary;
    AcDbObjectId id;
    EXPECT_EQ(m_dict->setAt(nullptr, value, id), Acad::eInvalidKey);
    EXPECT_EQ(m_dict->setAt(L"", value, id), Acad::eInvalidKey);
    EXPECT_EQ(m_dict->setAt(L"k", nullptr, id), Acad::eNullObjectPointer);
    auto* outside = new AcDbDictionary;
    EXPECT_EQ(outside->setAt(L"k", value, id), Acad::eNoDatabase);
    delete outside;

    m_dict->downgradeOpen();
    EXPECT_EQ(m_dict->setAt(L"k", value, id), Acad::eNotOpenForWrite);
    EXPECT_EQ(m_dict->remove(L"k"), Acad::eNotOpenForWrite);
    EXPECT_EQ(cadhost::enablementViolations().size(), 2U);
    cadhost::resetDiagnostics();
    EXPECT_EQ(m_dict->numEntries(), 0U);
    EXPECT_TRUE(value->objectId().isNull());
    delete value;

    AcDbObject* object = nullptr;
    EXPECT_EQ(m_dict->getAt(L"k", object, AcDb::kForRead), Acad::eKeyNotFound);
    EXPECT_EQ(object, nullptr);
    std::unique_ptr<AcDbDictionaryIterator> it(m_dict->newIterator());
    EXPECT_TRUE(it->done());
    EXPECT_EQ(it->name(), nullptr);
    EXPECT_EQ(it->getObject(object, AcDb::kForRead), Acad::eIteratorDone);
}

// Stores record only the entry they change; a change that copies the whole
// record on the way must still leave cancel with the dictionary of the open.
TEST_F(DictionaryTest, CancelReversesEveryStoreReplacementAndRemovalOfTheOpen)
{
    const AcDbObjectId a = store(L"a");
    const AcDbObjectId b = store(L"b");
    const AcDbObjectId c = store(L"c");
    m_dict->close();
    ASSERT_EQ(db()->getNamedObjectsDictionary(m_dict, AcDb::kForWrite), eOk);
    const AcDbObjectId added = store(L"added");
    store(L"a");
    store(L"a");
    EXPECT_EQ(m_dict->remove(L"b"), eOk);
    EXPECT_EQ(m_dict->setOwnerId(m_dict->ownerId()), eOk);
    const AcDbObjectId late = store(L"late");
    EXPECT_EQ(m_dict->remove(c), eOk);
    EXPECT_EQ(m_dict->cancel(), eOk);

    ASSERT_EQ(db()->getNamedObjectsDictionary(m_dict, AcDb::kForRead), eOk);
    // The object that a store replaced stays erased, and its entry hidden,
    // until it is unerased.
    EXPECT_EQ(iteratedNames(), (std::vector<std::wstring>{L"b", L"c"}));
    setErased(a, false);
    for (const auto& [key, id] : {std::pair{L"a", a}, std::pair{L"b", b}, std::pair{L"c", c}})
    {
        AcDbObjectId found;
        EXPECT_EQ(m_dict->getAt(key, found), eOk) << key;
        EXPECT_EQ(found, id) << key;
    }
    EXPECT_FALSE(m_dict->has(added));
    EXPECT_FALSE(m_dict->has(late));
}
} // namespace
