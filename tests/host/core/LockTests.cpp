// Locks: readers share an FRWLock but never overlap a writer; the critical section is recursive.
#include "HAL/CriticalSection.h"
#include "Misc/ScopeLock.h"
#include "Misc/ScopeRWLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

TEST(LockTest, ReadersShareAndWritersExcludeThem)
{
	FRWLock Lock;
	std::atomic<int32> ActiveReaders = 0;
	std::atomic<int32> ActiveWriters = 0;
	std::atomic<int32> MaxReaders = 0;
	std::atomic<int32> Violations = 0;
	// Written only under the write lock in two steps; a reader seeing the halves differ saw a torn update.
	int32 HalfA = 0;
	int32 HalfB = 0;

	auto Reader = [&]()
	{
		for (int32 Iteration = 0; Iteration < 2000; ++Iteration)
		{
			FReadScopeLock ReadLock(Lock);
			const int32 Readers = ++ActiveReaders;
			int32 Seen = MaxReaders.load();
			while (Readers > Seen && !MaxReaders.compare_exchange_weak(Seen, Readers))
			{
			}
			if (ActiveWriters.load() != 0 || HalfA != HalfB)
			{
				++Violations;
			}
			std::this_thread::yield();
			--ActiveReaders;
		}
	};
	auto Writer = [&]()
	{
		for (int32 Iteration = 0; Iteration < 500; ++Iteration)
		{
			FWriteScopeLock WriteLock(Lock);
			if (++ActiveWriters != 1 || ActiveReaders.load() != 0)
			{
				++Violations;
			}
			++HalfA;
			std::this_thread::yield();
			++HalfB;
			--ActiveWriters;
		}
	};

	std::vector<std::thread> Threads;
	for (int32 Index = 0; Index < 4; ++Index)
	{
		Threads.emplace_back(Reader);
	}
	Threads.emplace_back(Writer);
	Threads.emplace_back(Writer);
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_EQ(Violations.load(), 0);
	EXPECT_EQ(HalfA, 1000);
	EXPECT_EQ(HalfB, 1000);
}

TEST(LockTest, HeldReadLockBlocksWritersButNotReaders)
{
	FRWLock Lock;
	Lock.ReadLock();
	bool bOtherReaderGotIn = false;
	bool bWriterGotIn = true;
	std::thread Other(
		[&]()
		{
			bOtherReaderGotIn = Lock.TryReadLock();
			if (bOtherReaderGotIn)
			{
				Lock.ReadUnlock();
			}
			bWriterGotIn = Lock.TryWriteLock();
			if (bWriterGotIn)
			{
				Lock.WriteUnlock();
			}
		});
	Other.join();
	Lock.ReadUnlock();
	EXPECT_TRUE(bOtherReaderGotIn);
	EXPECT_FALSE(bWriterGotIn);

	// Trading a read lock for a write lock leaves the lock exclusively held.
	{
		FRWScopeLock ScopeLock(Lock, SLT_ReadOnly);
		ScopeLock.ReleaseReadOnlyLockAndAcquireWriteLock_USE_WITH_CAUTION();
		std::thread Probe([&]() { bOtherReaderGotIn = Lock.TryReadLock(); });
		Probe.join();
		EXPECT_FALSE(bOtherReaderGotIn);
	}
	EXPECT_TRUE(Lock.TryWriteLock());
	Lock.WriteUnlock();
}

TEST(LockTest, CriticalSectionIsRecursiveAndExclusive)
{
	FCriticalSection Mutex;
	{
		FScopeLock Outer(&Mutex);
		FScopeLock Inner(&Mutex);
		bool bOtherGotIn = true;
		std::thread Other([&]() { bOtherGotIn = Mutex.TryLock(); });
		Other.join();
		EXPECT_FALSE(bOtherGotIn);
	}
	bool bOtherGotIn = false;
	std::thread Other(
		[&]()
		{
			bOtherGotIn = Mutex.TryLock();
			if (bOtherGotIn)
			{
				Mutex.Unlock();
			}
		});
	Other.join();
	EXPECT_TRUE(bOtherGotIn);
}
