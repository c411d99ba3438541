// TMap and TSet: replacing on Add, FindOrAdd, insertion order, removal and re-adding, case-insensitive keys, and
// correctness when many keys share a bucket.
#include "Containers/Map.h"
#include "Containers/Set.h"
#include "Containers/UnrealString.h"
#include "UObject/NameTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A key whose hash is the same for every value, so all keys share one bucket chain.
struct FCollidingKey
{
	int32 Value = 0;
	bool operator==(const FCollidingKey& Other) const { return Value == Other.Value; }
};

uint32 GetTypeHash(const FCollidingKey&)
{
	return 7;
}

template <typename MapType> std::string KeysInOrder(const MapType& Map)
{
	std::string Result;
	for (const auto& Pair : Map)
	{
		Result += (Result.empty() ? "" : ",") + std::to_string(Pair.Key);
	}
	return Result;
}
} // namespace

TEST(MapTest, AddReplacesAndFindOrAddKeeps)
{
	TMap<int32, FString> Map;
	Map.Add(3, TEXT("three"));
	FString& Stored = Map.Add(3, TEXT("THREE"));
	EXPECT_EQ(Map.Num(), 1);
	EXPECT_TRUE(Map[3].Equals(TEXT("THREE")));
	Stored = TEXT("changed");
	EXPECT_TRUE(Map.FindChecked(3).Equals(TEXT("changed")));

	FString& Existing = Map.FindOrAdd(3);
	EXPECT_TRUE(Existing.Equals(TEXT("changed")));
	EXPECT_TRUE(Map.FindOrAdd(4).IsEmpty());
	EXPECT_EQ(Map.Num(), 2);
	EXPECT_TRUE(Map.FindOrAdd(3, TEXT("ignored")).Equals(TEXT("changed")));
	EXPECT_TRUE(Map.FindOrAdd(5, TEXT("five")).Equals(TEXT("five")));

	EXPECT_EQ(Map.Find(99), nullptr);
	ASSERT_NE(Map.Find(5), nullptr);
	EXPECT_TRUE(Map.Find(5)->Equals(TEXT("five")));
	EXPECT_TRUE(Map.FindRef(99).IsEmpty());
	EXPECT_TRUE(Map.FindRef(5).Equals(TEXT("five")));
	EXPECT_TRUE(Map.Contains(4));
	EXPECT_FALSE(Map.Contains(6));

	const TMap<FString, int32> Ages = {{TEXT("a"), 1}, {TEXT("b"), 2}};
	ASSERT_NE(Ages.FindKey(2), nullptr);
	EXPECT_TRUE(Ages.FindKey(2)->Equals(TEXT("b")));
	EXPECT_EQ(Ages.FindKey(3), nullptr);
}

TEST(MapTest, IteratesInInsertionOrderAndReusesHoles)
{
	TMap<int32, int32> Map;
	const int32 Keys[] = {42, 7, 19, 3, 88, 61, 5, 14, 27, 90, 33, 2};
	std::string Expected;
	// Enough keys to rebuild the buckets several times.
	for (int32 Round = 0; Round < 10; ++Round)
	{
		for (int32 Key : Keys)
		{
			Map.Add(Key * 100 + Round, Round);
			Expected += (Expected.empty() ? "" : ",") + std::to_string(Key * 100 + Round);
		}
	}
	EXPECT_EQ(KeysInOrder(Map), Expected);

	TArray<int32> KeyArray;
	TArray<int32> ValueArray = {-1};
	Map.GenerateKeyArray(KeyArray);
	Map.GenerateValueArray(ValueArray);
	ASSERT_EQ(KeyArray.Num(), 120);
	ASSERT_EQ(ValueArray.Num(), 120);
	EXPECT_EQ(KeyArray[13], 701);
	EXPECT_EQ(ValueArray[13], 1);

	// A removed key leaves a hole that the next new key fills; re-adding a removed key works like any new key.
	TMap<int32, int32> Small;
	Small.Add(1, 10);
	Small.Add(2, 20);
	Small.Add(3, 30);
	EXPECT_EQ(Small.Remove(2), 1);
	EXPECT_EQ(Small.Remove(2), 0);
	EXPECT_EQ(KeysInOrder(Small), "1,3");
	EXPECT_EQ(Small.Find(2), nullptr);
	Small.Add(4, 40);
	EXPECT_EQ(KeysInOrder(Small), "1,4,3");
	Small.Add(2, 21);
	EXPECT_EQ(KeysInOrder(Small), "1,4,3,2");
	EXPECT_EQ(Small.FindRef(2), 21);
	EXPECT_EQ(Small.Num(), 4);

	int32 Removed = 0;
	EXPECT_TRUE(Small.RemoveAndCopyValue(4, Removed));
	EXPECT_EQ(Removed, 40);
	EXPECT_FALSE(Small.RemoveAndCopyValue(4, Removed));
	Small.Compact();
	EXPECT_EQ(KeysInOrder(Small), "1,3,2");

	for (auto It = Small.CreateIterator(); It; ++It)
	{
		if (It.Key() != 3)
		{
			It.RemoveCurrent();
		}
	}
	EXPECT_EQ(KeysInOrder(Small), "3");
	Small.Reset();
	EXPECT_TRUE(Small.IsEmpty());
	Small.Add(8, 80);
	EXPECT_EQ(Small.FindRef(8), 80);
}

TEST(MapTest, NameAndStringKeysIgnoreCase)
{
	TMap<FName, int32> ByName;
	ByName.Add(FName(TEXT("QvMapTest_Spine")), 1);
	ByName.Add(FName(TEXT("QVMAPTEST_SPINE")), 2);
	EXPECT_EQ(ByName.Num(), 1);
	ASSERT_NE(ByName.Find(TEXT("qvmaptest_spine")), nullptr);
	EXPECT_EQ(*ByName.Find(TEXT("qvmaptest_spine")), 2);
	EXPECT_FALSE(ByName.Contains(TEXT("QvMapTest_Neck")));
	EXPECT_FALSE(ByName.Contains(NAME_None));

	TMap<FString, int32> ByString;
	ByString.Add(TEXT("Head"), 1);
	ByString.FindOrAdd(TEXT("HEAD")) += 5;
	EXPECT_EQ(ByString.Num(), 1);
	EXPECT_EQ(ByString.FindRef(TEXT("head")), 6);

	TMap<FName, int32> Sorted;
	Sorted.Add(FName(TEXT("QvMapTest_b_10")), 0);
	Sorted.Add(FName(TEXT("QvMapTest_A")), 0);
	Sorted.Add(FName(TEXT("QvMapTest_b_9")), 0);
	Sorted.KeySort(FNameLexicalLess());
	TArray<FName> SortedKeys;
	Sorted.GenerateKeyArray(SortedKeys);
	ASSERT_EQ(SortedKeys.Num(), 3);
	EXPECT_TRUE(SortedKeys[0] == TEXT("QvMapTest_A"));
	EXPECT_TRUE(SortedKeys[1] == TEXT("QvMapTest_b_9"));
	EXPECT_TRUE(SortedKeys[2] == TEXT("QvMapTest_b_10"));
	// Sorting rebuilt the look-up.
	EXPECT_TRUE(Sorted.Contains(FName(TEXT("QvMapTest_b_9"))));
}

TEST(MapTest, KeysSharingABucketStayDistinct)
{
	TMap<FCollidingKey, int32> Map;
	for (int32 Value = 0; Value < 60; ++Value)
	{
		Map.Add(FCollidingKey{Value}, Value * 2);
	}
	for (int32 Value = 0; Value < 60; Value += 2)
	{
		EXPECT_EQ(Map.Remove(FCollidingKey{Value}), 1);
	}
	EXPECT_EQ(Map.Num(), 30);
	for (int32 Value = 0; Value < 60; ++Value)
	{
		const int32* Found = Map.Find(FCollidingKey{Value});
		if (Value % 2 == 0)
		{
			EXPECT_EQ(Found, nullptr) << Value;
		}
		else
		{
			ASSERT_NE(Found, nullptr) << Value;
			EXPECT_EQ(*Found, Value * 2);
		}
	}
	// Refilling the holes keeps every key reachable.
	for (int32 Value = 100; Value < 130; ++Value)
	{
		Map.Add(FCollidingKey{Value}, Value);
	}
	EXPECT_EQ(Map.Num(), 60);
	EXPECT_EQ(Map.FindRef(FCollidingKey{59}), 118);
	EXPECT_EQ(Map.FindRef(FCollidingKey{129}), 129);
}

TEST(SetTest, AddReportsDuplicatesAndSetOperationsWork)
{
	TSet<int32> Set;
	bool bAlreadyInSet = true;
	const FSetElementId First = Set.Add(5, &bAlreadyInSet);
	EXPECT_FALSE(bAlreadyInSet);
	const FSetElementId Again = Set.Add(5, &bAlreadyInSet);
	EXPECT_TRUE(bAlreadyInSet);
	EXPECT_EQ(First, Again);
	Set.Add(1);
	Set.Add(9);
	EXPECT_EQ(Set.Num(), 3);
	EXPECT_TRUE(Set.Contains(9));
	EXPECT_FALSE(Set.Contains(2));
	ASSERT_NE(Set.Find(1), nullptr);
	EXPECT_EQ(*Set.Find(1), 1);
	EXPECT_EQ(Set.Find(2), nullptr);

	const TArray<int32> Elements = Set.Array();
	EXPECT_EQ(Elements, TArray<int32>({5, 1, 9}));
	EXPECT_EQ(Set.Remove(1), 1);
	EXPECT_EQ(Set.Remove(1), 0);
	EXPECT_EQ(Set.Array(), TArray<int32>({5, 9}));

	const TSet<int32> Other = {9, 10};
	TArray<int32> United = Set.Union(Other).Array();
	United.Sort();
	EXPECT_EQ(United, TArray<int32>({5, 9, 10}));
	EXPECT_EQ(Set.Intersect(Other).Array(), TArray<int32>({9}));
	EXPECT_EQ(Set.Difference(Other).Array(), TArray<int32>({5}));
	EXPECT_TRUE(Set.Union(Other).Includes(Set));
	EXPECT_FALSE(Set.Includes(Other));

	Set.Reset();
	EXPECT_TRUE(Set.IsEmpty());
	EXPECT_FALSE(Set.Contains(5));
	Set.Add(5);
	EXPECT_TRUE(Set.Contains(5));
}
