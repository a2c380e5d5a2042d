#include "cadhost/HostClassRegistrar.h"
#include "host/AcDbDwgFiler.h"
#include "host/AcRxClass.h"
#include "host/AcRxDictionary.h"
#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"

#include <gtest/gtest.h>

namespace
{
// An object of a class that a test registers: its class is whatever the
// test stored in s_class, as a module's gpDesc would be.
class Widget : public AcRxObject
{
public:
    static AcRxClass* s_class;
    static AcRxObject* make() { return new Widget(); }
    AcRxClass* isA() const override { return s_class; }
};
AcRxClass* Widget::s_class = nullptr;

void changeAppName(const AcRxClass*, ACHAR*&, int) {}

TEST(RunTimeClassTest, HostClassesAreRegisteredAndLinkedFromTheStart)
{
    for (AcRxClass* host : {AcRxClass::desc(), AcRxDictionary::desc(), AcRxService::desc(),
                            AcDbDwgFiler::desc()})
    {
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(acrxClassDictionary->at(host->name()), host);
        EXPECT_EQ(host->myParent(), AcRxObject::desc());
    }
    EXPECT_EQ(AcRxObject::desc()->myParent(), nullptr);
    EXPECT_EQ(acrxSysRegistry()->isA(), AcRxDictionary::desc());
    EXPECT_EQ(AcRxClass::cast(acrxSysRegistry()), nullptr);

    // The host's own classes outlive any attempt to delete them.
    deleteAcRxClass(AcRxService::desc());
    EXPECT_EQ(acrxClassDictionary->at(L"AcRxService"), AcRxService::desc());
}

// What a class keeps of its arguments is checked on the module's own class.
TEST(RunTimeClassTest, AClassNameIsTakenOnceAndExactly)
{
    AcRxClass* cls = newAcRxClass(L"RxFull", L"AcRxObject", 27, 25, 1, &Widget::make,
                                  L"RXFULL", L"\"app\";", &changeAppName);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cadhost::hostClassDesc(L"RxFull"), nullptr);
    EXPECT_EQ(newAcRxClass(L"RxFull", L"RxOther", 28, 26, 0), nullptr);
    EXPECT_EQ(acrxClassDictionary->at(L"RxFull"), cls);
    EXPECT_EQ(cls->proxyFlags(), 1);
    EXPECT_EQ(newAcRxClass(L"AcRxObject", nullptr), nullptr);

    // Names differ by letter case: a class of its own, without the extras.
    AcRxClass* bare = newAcRxClass(L"RXFULL", L"AcRxObject");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->dxfName(), nullptr);
    EXPECT_EQ(bare->appName(), nullptr);
    EXPECT_EQ(bare->create(), nullptr);

    deleteAcRxClass(bare);
    deleteAcRxClass(cls);
    EXPECT_FALSE(acrxClassDictionary->has(L"RxFull"));
}

TEST(RunTimeClassTest, ObjectsKnowTheirClassAndItsAncestors)
{
    AcRxClass* base = newAcRxClass(L"RxBase", L"AcRxObject");
    AcRxClass* derived = newAcRxClass(L"RxDerived", L"RxBase", 0, &Widget::make);
    EXPECT_TRUE(derived->isDerivedFrom(base));
    EXPECT_TRUE(derived->isDerivedFrom(AcRxObject::desc()));
    EXPECT_FALSE(base->isDerivedFrom(derived));

    Widget::s_class = derived;
    AcRxObject* object = derived->create();
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->isKindOf(base));
    EXPECT_FALSE(object->isKindOf(AcRxClass::desc()));
    EXPECT_EQ(AcRxDictionary::cast(object), nullptr);
    // An object whose class is not registered is of no kind at all.
    Widget::s_class = nullptr;
    EXPECT_FALSE(object->isKindOf(AcRxObject::desc()));
    delete object;

    deleteAcRxClass(derived);
    deleteAcRxClass(base);
}

TEST(RunTimeClassTest, HierarchyLinksLateParentsSurvivesTheirDeletionAndIgnoresLoops)
{
    AcRxClass* child = newAcRxClass(L"RxChild", L"RxLateParent");
    AcRxClass* parent = newAcRxClass(L"RxLateParent", L"AcRxObject");
    EXPECT_EQ(child->myParent(), nullptr);
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), parent);

    // The child must not keep pointing at a freed parent; a second delete of
    // the same pointer is ignored rather than freeing it again.
    deleteAcRxClass(parent);
    EXPECT_EQ(child->myParent(), nullptr);
    EXPECT_FALSE(acrxClassDictionary->has(L"RxLateParent"));
    deleteAcRxClass(parent);

    // Parent names that loop are not linked.
    AcRxClass* again = newAcRxClass(L"RxLateParent", L"AcRxObject");
    AcRxClass* self = newAcRxClass(L"RxSelf", L"RxSelf");
    AcRxClass* first = newAcRxClass(L"RxFirst", L"RxSecond");
    AcRxClass* second = newAcRxClass(L"RxSecond", L"RxFirst");
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), again);
    EXPECT_EQ(self->myParent(), nullptr);
    EXPECT_NE(first->isDerivedFrom(second), second->isDerivedFrom(first));
    for (AcRxClass* cls : {child, again, self, first, second})
        deleteAcRxClass(cls);
}

TEST(RunTimeClassTest, ServiceIsRegisteredOnce)
{
    AcRxObject* service = acrxRegisterService(L"RxPlainService");
    EXPECT_TRUE(service->isKindOf(AcRxService::desc()));
    EXPECT_TRUE(acrxServiceIsRegistered(L"RxPlainService"));
    EXPECT_EQ(acrxRegisterService(L"RxPlainService"), service);
    // Registered outside any module's initialisation: no module to look in.
    EXPECT_EQ(acrxGetSymbolAddress(L"RxPlainService", L"acrxEntryPoint"), nullptr);

    delete acrxServiceDictionary->remove(L"RxPlainService");
    EXPECT_FALSE(acrxServiceIsRegistered(L"RxPlainService"));
}
} // namespace
