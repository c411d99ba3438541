// TMap and TSet: replacing on Add, FindOrAdd, insertion order through growth and removal, case-insensitive keys,
// and correctness when many keys share a hash.
#include "Containers/Map.h"
#include "Containers/Set.h"
#include "Containers/UnrealString.h"
#include "UObject/NameTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A key whose hash is the same for every value, so all keys collide.
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
	EXPECT_TRUE(Map.Contains(4));
	EXPECT_FALSE(Map.Contains(6));

	// Iteration hands the values out for changing in place.
	for (TPair<int32, FString>& Pair : Map)
	{
		Pair.Value += TEXT("!");
	}
	EXPECT_TRUE(Map[5].Equals(TEXT("five!")));
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

	// Removing keeps the order of the others; a re-added key goes to the end like any new key.
	TMap<int32, int32> Small;
	Small.Add(1, 10);
	Small.Add(2, 20);
	Small.Add(3, 30);
	EXPECT_EQ(Small.Remove(2), 1);
	EXPECT_EQ(Small.Remove(2), 0);
	EXPECT_EQ(KeysInOrder(Small), "1,3");
	EXPECT_EQ(Small.Find(2), nullptr);
	Small.Add(4, 40);
	Small.Add(2, 21);
	EXPECT_EQ(KeysInOrder(Small), "1,3,4,2");
	EXPECT_EQ(Small.FindChecked(2), 21);
	EXPECT_EQ(Small.Num(), 4);
	// Replacing a value keeps the key's place.
	Small.Add(3, 31);
	EXPECT_EQ(KeysInOrder(Small), "1,3,4,2");

	Small.Reset();
	EXPECT_TRUE(Small.IsEmpty());
	EXPECT_EQ(Small.Find(1), nullptr);
	Small.Add(8, 80);
	EXPECT_EQ(Small.FindChecked(8), 80);
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
	EXPECT_EQ(ByString.FindChecked(TEXT("head")), 6);

	// Adding under another spelling replaces the pair, key included, as the engine's map does.
	EXPECT_STREQ(*ByName.begin()->Key.ToString(), "QVMAPTEST_SPINE");
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
	// Adding after removals keeps every key reachable.
	for (int32 Value = 100; Value < 130; ++Value)
	{
		Map.Add(FCollidingKey{Value}, Value);
	}
	EXPECT_EQ(Map.Num(), 60);
	EXPECT_EQ(Map.FindChecked(FCollidingKey{59}), 118);
	EXPECT_EQ(Map.FindChecked(FCollidingKey{129}), 129);
}

TEST(SetTest, AddReportsDuplicatesAndKeepsInsertionOrder)
{
	TSet<int32> Set;
	bool bAlreadyInSet = true;
	Set.Add(5, &bAlreadyInSet);
	EXPECT_FALSE(bAlreadyInSet);
	Set.Add(5, &bAlreadyInSet);
	EXPECT_TRUE(bAlreadyInSet);
	Set.Add(1);
	Set.Add(9);
	EXPECT_EQ(Set.Num(), 3);
	EXPECT_TRUE(Set.Contains(9));
	EXPECT_FALSE(Set.Contains(2));
	ASSERT_NE(Set.Find(1), nullptr);
	EXPECT_EQ(*Set.Find(1), 1);
	EXPECT_EQ(Set.Find(2), nullptr);

	EXPECT_EQ(Set.Array(), TArray<int32>({5, 1, 9}));
	EXPECT_EQ(Set.Remove(1), 1);
	EXPECT_EQ(Set.Remove(1), 0);
	Set.Add(1);
	EXPECT_EQ(Set.Array(), TArray<int32>({5, 9, 1}));

	Set.Reset();
	EXPECT_TRUE(Set.IsEmpty());
	EXPECT_FALSE(Set.Contains(5));
	Set.Add(5);
	EXPECT_TRUE(Set.Contains(5));
}
