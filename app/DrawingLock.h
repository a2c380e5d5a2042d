// One writer at a time on a drawing. Commands that may change a drawing hold
// an exclusive lock on it from reading to saving; commands that only read it
// hold a shared one, so that they never see a drawing half-way through a
// change made from another process's copy.
//
// The lock is a flock on a lock file beside the drawing, FILE.lock, made
// empty when missing. Not on the drawing itself: saving replaces the drawing
// by renaming a new file over it, and a lock on the old file's inode would
// then guard nothing (a waiter would get the lock on the unlinked old file
// while a newcomer locks the new one). The last holder out deletes the lock
// file, as the host's own lock files go when a drawing is closed; that would
// bring the same race back, so a lock counts only once its file is still the
// one at the path, and a waiter that locked a deleted file tries again. The
// kernel drops a flock when its holder ends, killed or not, so a lock never
// outlives its process (a killed holder leaves its empty file behind).
//
// Waiting: the lock is tried again until it is had or the wait runs out;
// then a Failure of kind io names the processes the
// kernel says hold it (pid and command line), when it can say.
#pragma once

#include <chrono>
#include <string>

enum class DrawingAccess
{
    // Shared with other readers.
    read,
    // Alone, from reading the drawing to saving it.
    change,
    // Alone, on a drawing the command writes afresh: it need not exist yet.
    create,
};

class DrawingLock
{
public:
    // A drawing that is not an existing regular file (or, for create, a
    // missing one) is not locked and no lock file is made: opening or saving
    // it fails on its own, with its own message. A lock file that cannot be made or opened fails a
    // command that changes the drawing; a reader then reads without the
    // lock, which is safe because a save replaces the drawing whole.
    DrawingLock(const std::string& drawing, DrawingAccess access, double waitSeconds);
    ~DrawingLock();
    DrawingLock(const DrawingLock&) = delete;
    DrawingLock& operator=(const DrawingLock&) = delete;

    // The lock file of a drawing.
    static std::string LockFile(const std::string& drawing);

private:
    // In seconds of a double: a wait of any length given stays in range.
    using Deadline = std::chrono::time_point<std::chrono::steady_clock, std::chrono::duration<double>>;

    // Waits until the lock file open at m_fd is locked with operation, or
    // fails when deadline passes.
    void Wait(const std::string& drawing, int operation, Deadline deadline, double waitSeconds);

    // Lets go of the lock file and fails with message.
    [[noreturn]] void GiveUp(const std::string& message);

    std::string m_lockFile;
    // -1 when no lock is held.
    int m_fd = -1;
};
