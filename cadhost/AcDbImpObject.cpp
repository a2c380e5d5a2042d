#include "cadhost/AcDbImpObject.h"

#include "cadhost/AcDbImpDatabase.h"
#include "cadhost/AcDbImpDictionary.h"
#include "cadhost/AcDbImpProxyObject.h"
#include "cadhost/AcDbStub.h"
#include "cadhost/DiagnosticsRecorder.h"
#include "cadhost/DwgMemoryFiler.h"
#include "host/AcDbDictionary.h"
#include "host/AcDbProxyObject.h"
#include "host/AcRxClass.h"

#include <cwchar>

namespace
{
// The proxy flag that lets callers erase a proxy of the class.
constexpr int kEraseAllowed = 0x1;
} // namespace

AcDbImpObject::AcDbImpObject(AcDbObject* self) : mSelf(self) {}

AcDbImpObject::~AcDbImpObject()
{
    // A caller deleted an object its database owns: the stub must not keep
    // pointing at freed memory, and the mistake is worth reporting.
    if (mStub != nullptr && mStub->object() == mSelf)
    {
        mStub->setObject(nullptr);
        reportViolation(L"delete of a database-resident object");
    }
}

Acad::ErrorStatus AcDbImpObject::beginChange(AcDbObject* object)
{
    object->assertWriteEnabled();
    return object->isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite;
}

Acad::ErrorStatus AcDbImpObject::beginPartialChange(AcDbObject* object)
{
    object->assertWriteEnabled(false, true);
    return object->isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite;
}

void AcDbImpObject::recordChange(std::function<void()> reverse)
{
    if (isResident() && mWriter && !mUndoRecorded && !mUndoSuppressed)
        mChanges.push_back(std::move(reverse));
}

AcDbImpDatabase* AcDbImpObject::database() const
{
    return mStub != nullptr ? mStub->database() : nullptr;
}

void AcDbImpObject::becomeResident(AcDbStub* stub, AcDbObjectId owner)
{
    mStub = stub;
    mOwner = owner;
    mNew = true;
    startWriteOpen();
}

void AcDbImpObject::beginFilingIn(AcDbStub* stub)
{
    mStub = stub;
    stub->setObject(mSelf);
    startWriteOpen();
    mUndoSuppressed = true;
}

void AcDbImpObject::endFilingIn()
{
    mUndoSuppressed = false;
    endWriteOpen();
    mModified = false;
}

void AcDbImpObject::leaveStub()
{
    if (mStub != nullptr && mStub->object() == mSelf)
        mStub->setObject(nullptr);
    mStub = nullptr;
}

void AcDbImpObject::startWriteOpen()
{
    mWriter = true;
    mErasedAtOpen = isErased();
    mUndoRecorded = false;
    mUndo.clear();
    mChanges.clear();
}

void AcDbImpObject::endWriteOpen()
{
    mWriter = false;
    mUndoRecorded = false;
    mUndo.clear();
    mUndo.shrink_to_fit();
    mChanges.clear();
    mChanges.shrink_to_fit();
}

Acad::ErrorStatus AcDbImpObject::openChecked(AcDb::OpenMode mode)
{
    if (mode != AcDb::kForRead && mode != AcDb::kForWrite && mode != AcDb::kForNotify)
        return Acad::eInvalidInput;
    if (mNotifying)
        return Acad::eWasNotifying;
    if (mode == AcDb::kForNotify)
    {
        mNotifying = true;
        return Acad::eOk;
    }
    if (mWriter)
        return Acad::eWasOpenForWrite;
    if (mode == AcDb::kForWrite)
    {
        if (mReaders > 0)
            return Acad::eWasOpenForRead;
        startWriteOpen();
        return Acad::eOk;
    }
    if (mReaders >= kMaxReaders)
        return Acad::eAtMaxReaders;
    ++mReaders;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbImpObject::closeChecked()
{
    if (!isResident())
        return Acad::eNotInDatabase;
    if (mNotifying)
        mNotifying = false;
    else if (mWriter)
        endWriteOpen();
    else if (mReaders > 0)
        --mReaders;
    else
        return Acad::eNotOpenForRead;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbImpObject::cancel()
{
    if (!isResident())
        return Acad::eNotInDatabase;
    if (!mWriter || mNotifying)
        return close();
    const Acad::ErrorStatus replayed = mUndoRecorded ? replayUndo() : Acad::eOk;
    for (auto change = mChanges.rbegin(); change != mChanges.rend(); ++change)
        (*change)();
    mStub->setErased(mErasedAtOpen);
    endWriteOpen();
    return replayed;
}

Acad::ErrorStatus AcDbImpObject::upgradeOpen()
{
    if (!isResident())
        return Acad::eNotInDatabase;
    if (mNotifying)
        return Acad::eWasNotifying;
    if (mWriter)
        return Acad::eWasOpenForWrite;
    if (mReaders == 0)
        return Acad::eNotOpenForRead;
    if (mReaders > 1)
        return Acad::eHadMultipleReaders;
    mReaders = 0;
    startWriteOpen();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbImpObject::downgradeOpen()
{
    if (!isResident())
        return Acad::eNotInDatabase;
    if (mNotifying)
        return Acad::eWasNotifying;
    if (!mWriter)
        return Acad::eNotOpenForWrite;
    endWriteOpen();
    mReaders = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbImpObject::erase(bool erasing)
{
    if (!isResident())
        return Acad::eNotInDatabase;
    if (!mWriter)
    {
        assertWriteEnabled(true, true);
        return Acad::eNotOpenForWrite;
    }
    if (erasing == isErased())
        return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    if (database()->isPermanent(mStub))
        return Acad::eCannotBeErasedByCaller;
    if (const Acad::ErrorStatus es = erasing ? mayBeErased() : Acad::eOk; es != Acad::eOk)
        return es;
    assertWriteEnabled(true, true);
    mStub->setErased(erasing);
    if (!erasing)
        forgetDictionaryEntry();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbImpObject::mayBeErased() const
{
    const AcDbProxyObject* proxy = AcDbProxyObject::cast(mSelf);
    const bool eraseAllowed = proxy == nullptr ||
                              (AcDbImpProxyObject::of(proxy)->classInfo().proxyFlags & kEraseAllowed) != 0;
    return eraseAllowed ? Acad::eOk : Acad::eNotAllowedForThisProxy;
}

// Unerasing does not bring back the entry the object had in a dictionary.
void AcDbImpObject::forgetDictionaryEntry()
{
    const AcDbStub* owner = static_cast<AcDbStub*>(mOwner);
    const AcDbDictionary* dictionary =
        owner != nullptr ? AcDbDictionary::cast(owner->object()) : nullptr;
    if (dictionary == nullptr)
        return;
    AcDbImpDictionary::of(dictionary)->forgetEntryOf(AcDbObjectId(mStub));
    mOwner.setNull();
}

void AcDbImpObject::eraseReplaced()
{
    mStub->setErased(true);
    mErasedAtOpen = true;
    mOwner.setNull();
}

bool AcDbImpObject::isErased() const { return mStub != nullptr && mStub->isErased(); }

bool AcDbImpObject::isReadEnabled() const
{
    return !isResident() || isOpen() || mHostReads > 0;
}

bool AcDbImpObject::isWriteEnabled() const { return !isResident() || mWriter; }

void AcDbImpObject::assertReadEnabled() const
{
    if (!isReadEnabled())
        reportViolation(L"assertReadEnabled on an object not open for read");
}

void AcDbImpObject::assertWriteEnabled(bool autoUndo, bool recordModified)
{
    if (!isResident())
        return;
    if (!mWriter)
    {
        reportViolation(L"assertWriteEnabled on an object not open for write");
        return;
    }
    if (recordModified)
        mModified = true;
    if (autoUndo && !mUndoRecorded && !mUndoSuppressed)
        recordUndo();
}

void AcDbImpObject::recordUndo()
{
    mUndoRecorded = true;
    DwgMemoryFiler filer(database()->database(), AcDb::kUndoFiler);
    mSelf->dwgOutFields(&filer);
    mUndo = filer.takeBuffer();
}

Acad::ErrorStatus AcDbImpObject::replayUndo()
{
    DwgMemoryFiler filer(database()->database(), AcDb::kUndoFiler);
    filer.setBuffer(std::move(mUndo));
    mUndoSuppressed = true;
    const Acad::ErrorStatus es = mSelf->dwgInFields(&filer);
    mUndoSuppressed = false;
    return es != Acad::eOk ? es : filer.filerStatus();
}

void AcDbImpObject::reportViolation(const wchar_t* what) const
{
    const AcRxClass* cls = mSelf->isA();
    const ACHAR* name = cls != nullptr ? cls->name() : nullptr;
    wchar_t line[200];
    std::swprintf(line, sizeof line / sizeof line[0], L"%ls: %ls, handle %llX", what,
                  name != nullptr ? name : L"?",
                  static_cast<unsigned long long>(mStub != nullptr ? mStub->handle() : AcDbHandle()));
    cadhost::recordEnablementViolation(line);
}

AcDbImpObject::HostReadAccess::HostReadAccess(const AcDbObject* object) : mImp(of(object))
{
    ++mImp->mHostReads;
}

AcDbImpObject::HostReadAccess::~HostReadAccess() { --mImp->mHostReads; }
