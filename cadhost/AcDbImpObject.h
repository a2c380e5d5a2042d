// The host's per-object state behind AcDbObject: its place in a database,
// owner, open state, erase flag and the undo record that cancel replays.
//
// An object in no database counts as open for write (its maker holds it)
// and has no open state of its own: close, cancel, upgradeOpen,
// downgradeOpen and erase answer eNotInDatabase and change nothing.
#pragma once

#include "host/AcDb.h"
#include "host/AcDbObject.h"

#include <cstdint>
#include <functional>
#include <vector>

class AcDbStub;
class AcDbImpDatabase;

class AcDbImpObject
{
public:
    static constexpr int kMaxReaders = 256;

    explicit AcDbImpObject(AcDbObject* self);
    ~AcDbImpObject();
    AcDbImpObject(const AcDbImpObject&) = delete;
    AcDbImpObject& operator=(const AcDbImpObject&) = delete;

    static AcDbImpObject* of(const AcDbObject* object) { return object->mpImpObject; }

    // The check every setter makes before it changes anything: asserts write
    // (recording a violation, or the undo record) and answers
    // eNotOpenForWrite when the object may not be changed.
    static Acad::ErrorStatus beginChange(AcDbObject* object);
    // The same for a change that records its own undo with recordChange:
    // the whole record is not copied.
    static Acad::ErrorStatus beginPartialChange(AcDbObject* object);

    // What cancel calls, newest first, to reverse one change that its class
    // recorded itself in place of a copy of its whole record. A container
    // records the one entry it changes, so that a change costs the same
    // however many entries it holds. Nothing is kept once a copy of the whole
    // record is, since replaying that copy restores all that followed it.
    void recordChange(std::function<void()> reverse);

    AcDbStub* stub() const { return mStub; }
    bool isResident() const { return mStub != nullptr; }
    AcDbImpDatabase* database() const;
    AcDbObjectId ownerId() const { return mOwner; }
    void setOwnerId(AcDbObjectId owner) { mOwner = owner; }

    // Takes the object into its database under stub and starts one open for
    // write, which its maker ends with close.
    void becomeResident(AcDbStub* stub, AcDbObjectId owner);
    // Filing in from a drawing: the object sits at its stub, may be written,
    // and records nothing for undo; endFilingIn leaves it closed.
    void beginFilingIn(AcDbStub* stub);
    void endFilingIn();
    // Gives the stub up before the host frees an object it does not keep.
    void leaveStub();

    // Walking a container opens and closes every entry for read, so those
    // two are inline; every other case takes the checked way.
    //
    // A notify open comes on top of a read or write open, or alone, never
    // twice; while it lasts, read and write opens answer eWasNotifying. So it
    // is always the innermost open, and the next close ends it.
    Acad::ErrorStatus open(AcDb::OpenMode mode)
    {
        if (mode != AcDb::kForRead || mWriter || mNotifying || mReaders >= kMaxReaders)
            return openChecked(mode);
        ++mReaders;
        return Acad::eOk;
    }
    // A writer is alone, so an object with readers has no writer.
    Acad::ErrorStatus close()
    {
        if (mStub == nullptr || mReaders == 0 || mNotifying)
            return closeChecked();
        --mReaders;
        return Acad::eOk;
    }
    Acad::ErrorStatus cancel();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus erase(bool erasing);
    // The host's own erase, for an entry replaced in its container: it takes
    // no open and ignores how callers hold the object.
    void eraseReplaced();
    // eNotAllowedForThisProxy for a proxy whose class did not allow erasing
    // it (the erase-allowed proxy flag, 0x1, clear); eOk otherwise.
    Acad::ErrorStatus mayBeErased() const;

    bool isErased() const;
    bool isOpen() const { return mWriter || mReaders > 0 || mNotifying; }
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNew() const { return mNew; }
    bool isModified() const { return mModified; }

    void assertReadEnabled() const;
    void assertWriteEnabled(bool autoUndo, bool recordModified);

    // Lets the host file an object out (into a drawing file) whatever the
    // object's open state, without opening it.
    class HostReadAccess
    {
    public:
        explicit HostReadAccess(const AcDbObject* object);
        ~HostReadAccess();
        HostReadAccess(const HostReadAccess&) = delete;
        HostReadAccess& operator=(const HostReadAccess&) = delete;

    private:
        AcDbImpObject* mImp;
    };

private:
    Acad::ErrorStatus openChecked(AcDb::OpenMode mode);
    Acad::ErrorStatus closeChecked();
    void startWriteOpen();
    void endWriteOpen();
    void recordUndo();
    Acad::ErrorStatus replayUndo();
    void reportViolation(const wchar_t* what) const;
    void forgetDictionaryEntry();

    AcDbObject* mSelf;
    AcDbStub* mStub = nullptr;
    AcDbObjectId mOwner;
    int mReaders = 0;
    bool mWriter = false;
    bool mNotifying = false;
    bool mErasedAtOpen = false;
    bool mNew = false;
    bool mModified = false;
    bool mUndoRecorded = false;
    bool mUndoSuppressed = false;
    int mHostReads = 0;
    std::vector<std::uint8_t> mUndo;
    std::vector<std::function<void()>> mChanges;
};

namespace cadhost
{
// A plain setter's whole work: check that the object may change, then
// change the field.
template <class T>
Acad::ErrorStatus setField(AcDbObject* object, T& field, const T& value)
{
    const Acad::ErrorStatus es = AcDbImpObject::beginChange(object);
    if (es == Acad::eOk)
        field = value;
    return es;
}
} // namespace cadhost
