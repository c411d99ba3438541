// Locks: FCriticalSection (recursive mutex) with FScopeLock, and FRWLock (many readers or one writer) with its
// scoped read, write and switchable locks.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <mutex>
#include <shared_mutex>

// May be locked again by the thread that holds it, as the engine's critical section may.
class FCriticalSection
{
public:
	FCriticalSection() = default;
	FCriticalSection(const FCriticalSection&) = delete;
	FCriticalSection& operator=(const FCriticalSection&) = delete;

	void Lock() { Mutex.lock(); }
	bool TryLock() { return Mutex.try_lock(); }
	void Unlock() { Mutex.unlock(); }

private:
	std::recursive_mutex Mutex;
};

// Not recursive: a thread must not take a read lock it already holds, nor upgrade one in place.
class FRWLock
{
public:
	FRWLock() = default;
	FRWLock(const FRWLock&) = delete;
	FRWLock& operator=(const FRWLock&) = delete;

	void ReadLock() { Mutex.lock_shared(); }
	void ReadUnlock() { Mutex.unlock_shared(); }
	bool TryReadLock() { return Mutex.try_lock_shared(); }
	void WriteLock() { Mutex.lock(); }
	void WriteUnlock() { Mutex.unlock(); }
	bool TryWriteLock() { return Mutex.try_lock(); }

private:
	std::shared_mutex Mutex;
};

// Holds the critical section for its lifetime.
class FScopeLock
{
public:
	explicit FScopeLock(FCriticalSection* InSyncObject) : SyncObject(InSyncObject)
	{
		check(SyncObject != nullptr);
		SyncObject->Lock();
	}
	~FScopeLock() { Unlock(); }
	FScopeLock(const FScopeLock&) = delete;
	FScopeLock& operator=(const FScopeLock&) = delete;

	// Releases the lock early; the destructor then does nothing.
	void Unlock()
	{
		if (SyncObject != nullptr)
		{
			SyncObject->Unlock();
			SyncObject = nullptr;
		}
	}

private:
	FCriticalSection* SyncObject;
};

// Releases a held critical section for its lifetime.
class FScopeUnlock
{
public:
	explicit FScopeUnlock(FCriticalSection* InSyncObject) : SyncObject(InSyncObject)
	{
		if (SyncObject != nullptr)
		{
			SyncObject->Unlock();
		}
	}
	~FScopeUnlock()
	{
		if (SyncObject != nullptr)
		{
			SyncObject->Lock();
		}
	}
	FScopeUnlock(const FScopeUnlock&) = delete;
	FScopeUnlock& operator=(const FScopeUnlock&) = delete;

private:
	FCriticalSection* SyncObject;
};

class FReadScopeLock
{
public:
	explicit FReadScopeLock(FRWLock& InLock) : Lock(InLock) { Lock.ReadLock(); }
	~FReadScopeLock() { Lock.ReadUnlock(); }
	FReadScopeLock(const FReadScopeLock&) = delete;
	FReadScopeLock& operator=(const FReadScopeLock&) = delete;

private:
	FRWLock& Lock;
};

class FWriteScopeLock
{
public:
	explicit FWriteScopeLock(FRWLock& InLock) : Lock(InLock) { Lock.WriteLock(); }
	~FWriteScopeLock() { Lock.WriteUnlock(); }
	FWriteScopeLock(const FWriteScopeLock&) = delete;
	FWriteScopeLock& operator=(const FWriteScopeLock&) = delete;

private:
	FRWLock& Lock;
};

enum FRWScopeLockType
{
	SLT_ReadOnly = 0,
	SLT_Write,
};

// A read or write lock chosen at run time; a read lock can be traded for a write lock.
class FRWScopeLock
{
public:
	FRWScopeLock(FRWLock& InLockObject, FRWScopeLockType InLockType) : LockObject(InLockObject), LockType(InLockType)
	{
		if (LockType == SLT_ReadOnly)
		{
			LockObject.ReadLock();
		}
		else
		{
			LockObject.WriteLock();
		}
	}
	~FRWScopeLock()
	{
		if (LockType == SLT_ReadOnly)
		{
			LockObject.ReadUnlock();
		}
		else
		{
			LockObject.WriteUnlock();
		}
	}
	FRWScopeLock(const FRWScopeLock&) = delete;
	FRWScopeLock& operator=(const FRWScopeLock&) = delete;

	// Other writers may run between the release and the acquisition: re-check what the read lock protected.
	void ReleaseReadOnlyLockAndAcquireWriteLock_USE_WITH_CAUTION()
	{
		if (LockType == SLT_ReadOnly)
		{
			LockObject.ReadUnlock();
			LockObject.WriteLock();
			LockType = SLT_Write;
		}
	}

private:
	FRWLock& LockObject;
	FRWScopeLockType LockType;
};
