// TArray and TArrayView: the semantics callers rely on (capacity kept, element order, search results, sorting),
// and that elements are constructed and destroyed exactly once.
#include "Containers/Array.h"
#include "Containers/ArrayView.h"
#include "Containers/UnrealString.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// Counts live instances, so lost or doubled destructions show up.
struct FTracked
{
	static inline int32 Live = 0;
	int32 Value = 0;

	FTracked(int32 InValue = 0) : Value(InValue) { ++Live; }
	FTracked(const FTracked& Other) : Value(Other.Value) { ++Live; }
	FTracked(FTracked&& Other) : Value(Other.Value)
	{
		Other.Value = -1;
		++Live;
	}
	FTracked& operator=(const FTracked&) = default;
	FTracked& operator=(FTracked&&) = default;
	~FTracked() { --Live; }
	bool operator==(const FTracked& Other) const { return Value == Other.Value; }
};

template <typename T> std::string Describe(const TArray<T>& Array)
{
	std::string Result;
	for (const T& Element : Array)
	{
		Result += (Result.empty() ? "" : ",") + std::to_string(static_cast<long long>(Element));
	}
	return Result;
}

std::string Describe(const TArray<FTracked>& Array)
{
	std::string Result;
	for (const FTracked& Element : Array)
	{
		Result += (Result.empty() ? "" : ",") + std::to_string(Element.Value);
	}
	return Result;
}

TArray<int32> Range(int32 Count)
{
	TArray<int32> Result;
	for (int32 Index = 0; Index < Count; ++Index)
	{
		Result.Add(Index);
	}
	return Result;
}

int32 SumOf(TConstArrayView<int32> View)
{
	int32 Sum = 0;
	for (int32 Value : View)
	{
		Sum += Value;
	}
	return Sum;
}
} // namespace

TEST(ArrayTest, ResetAndShrinkingSetNumKeepTheAllocation)
{
	TArray<int32> Scratch;
	Scratch.Reserve(64);
	const int32* const Allocation = Scratch.GetData();
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		for (int32 Index = 0; Index < 40; ++Index)
		{
			Scratch.Add(Index);
		}
		Scratch.Reset();
		EXPECT_EQ(Scratch.Num(), 0);
		EXPECT_EQ(Scratch.Max(), 64);
		EXPECT_EQ(Scratch.GetData(), Allocation);
	}

	Scratch.SetNum(50);
	Scratch.SetNum(3);
	Scratch.RemoveAt(0);
	Scratch.Pop();
	EXPECT_EQ(Scratch.Max(), 64);
	EXPECT_EQ(Scratch.GetData(), Allocation);
	Scratch.Reset(10);
	EXPECT_EQ(Scratch.Max(), 64);
	Scratch.Reset(100);
	EXPECT_GE(Scratch.Max(), 100);

	// Memory goes back only when asked.
	Scratch.SetNum(5);
	Scratch.RemoveAt(0, 1, EAllowShrinking::Yes);
	EXPECT_EQ(Scratch.Max(), 4);
	Scratch.Empty(7);
	EXPECT_EQ(Scratch.Max(), 7);
	Scratch.Empty();
	EXPECT_EQ(Scratch.Max(), 0);
	EXPECT_EQ(Scratch.GetData(), nullptr);

	// Growing by SetNum zeroes numbers; SetNumZeroed zeroes any element.
	TArray<int32> Grown;
	Grown.SetNum(6);
	EXPECT_EQ(Describe(Grown), "0,0,0,0,0,0");
	EXPECT_EQ(Grown.AddDefaulted(2), 6);
	EXPECT_EQ(Describe(Grown), "0,0,0,0,0,0,0,0");
	TArray<int32> Zeroed = {7};
	Zeroed.SetNumZeroed(3);
	EXPECT_EQ(Describe(Zeroed), "7,0,0");
}

TEST(ArrayTest, InsertAndRemoveKeepTheOrder)
{
	TArray<int32> Array = Range(6);
	EXPECT_EQ(Array.Insert(99, 2), 2);
	EXPECT_EQ(Describe(Array), "0,1,99,2,3,4,5");
	Array.Insert({7, 8}, 0);
	Array.Insert(50, Array.Num());
	EXPECT_EQ(Describe(Array), "7,8,0,1,99,2,3,4,5,50");
	Array.RemoveAt(1, 3);
	EXPECT_EQ(Describe(Array), "7,99,2,3,4,5,50");
	Array.RemoveAt(Array.Num() - 1);
	Array.RemoveAt(0);
	EXPECT_EQ(Describe(Array), "99,2,3,4,5");
	const TArray<int32> Tail = {-1, -2};
	Array.Insert(Tail, 1);
	EXPECT_EQ(Describe(Array), "99,-1,-2,2,3,4,5");
	Array.InsertDefaulted(0, 2);
	EXPECT_EQ(Describe(Array), "0,0,99,-1,-2,2,3,4,5");

	// Remove takes out every equal element, RemoveSingle the first only; an element of the array itself may be
	// the item removed.
	TArray<int32> Repeats = {1, 2, 1, 3, 1, 2};
	EXPECT_EQ(Repeats.Remove(Repeats[0]), 3);
	EXPECT_EQ(Describe(Repeats), "2,3,2");
	EXPECT_EQ(Repeats.RemoveSingle(2), 1);
	EXPECT_EQ(Describe(Repeats), "3,2");
	EXPECT_EQ(Repeats.RemoveSingle(9), 0);
	EXPECT_EQ(Repeats.RemoveAll([](int32 Value) { return Value > 2; }), 1);
	EXPECT_EQ(Describe(Repeats), "2");
}

TEST(ArrayTest, SearchingReturnsIndicesOrNone)
{
	const TArray<int32> Array = {5, 8, 5, 13};
	EXPECT_EQ(Array.Find(5), 0);
	EXPECT_EQ(Array.FindLast(5), 2);
	EXPECT_EQ(Array.Find(7), INDEX_NONE);
	int32 Index = 123;
	EXPECT_FALSE(Array.Find(7, Index));
	EXPECT_EQ(Index, INDEX_NONE);
	EXPECT_TRUE(Array.FindLast(8, Index));
	EXPECT_EQ(Index, 1);
	EXPECT_EQ(Array.IndexOfByPredicate([](int32 Value) { return Value > 6; }), 1);
	EXPECT_EQ(Array.IndexOfByPredicate([](int32 Value) { return Value > 100; }), INDEX_NONE);
	EXPECT_EQ(Array.FindLastByPredicate([](int32 Value) { return Value < 10; }), 2);
	EXPECT_TRUE(Array.ContainsByPredicate([](int32 Value) { return Value == 13; }));

	// Keys of another type compare with the elements' operator==.
	TArray<FString> Names = {TEXT("Hip"), TEXT("Knee"), TEXT("Ankle")};
	EXPECT_EQ(Names.IndexOfByKey(TEXT("KNEE")), 1);
	FString* Found = Names.FindByKey(TEXT("ankle"));
	ASSERT_NE(Found, nullptr);
	*Found = TEXT("Foot");
	EXPECT_TRUE(Names[2].Equals(TEXT("Foot")));
	EXPECT_EQ(Names.FindByPredicate([](const FString& Name) { return Name.Len() > 10; }), nullptr);
	EXPECT_EQ(Names.AddUnique(TEXT("hip")), 0);
	EXPECT_EQ(Names.AddUnique(TEXT("Toe")), 3);
	EXPECT_TRUE(Names.Last().Equals(TEXT("Toe")));
	EXPECT_TRUE(Names.Last(3).Equals(TEXT("Hip")));
}

TEST(ArrayTest, Sorting)
{
	TArray<int32> Numbers = {5, -1, 3, 3, 0};
	Numbers.Sort();
	EXPECT_EQ(Describe(Numbers), "-1,0,3,3,5");
	Numbers.Sort([](int32 A, int32 B) { return A > B; });
	EXPECT_EQ(Describe(Numbers), "5,3,3,0,-1");

	// Arrays of pointers sort by the values pointed to, as in the engine.
	int32 Values[] = {30, 10, 20};
	TArray<int32*> Pointers = {&Values[0], &Values[1], &Values[2]};
	Pointers.Sort();
	EXPECT_EQ(*Pointers[0], 10);
	EXPECT_EQ(*Pointers[1], 20);
	EXPECT_EQ(*Pointers[2], 30);

	TArray<int32> Swapped = Range(3);
	Swapped.Swap(0, 2);
	EXPECT_EQ(Describe(Swapped), "2,1,0");
}

TEST(ArrayTest, BoolArraysAreOrdinaryArrays)
{
	TArray<bool> Flags;
	Flags.Init(true, 5);
	Flags.SetNum(7);
	bool* Raw = Flags.GetData();
	Raw[1] = false;
	EXPECT_EQ(Describe(Flags), "1,0,1,1,1,0,0");
	bool& Reference = Flags[2];
	Reference = false;
	EXPECT_FALSE(Flags[2]);
	EXPECT_EQ(Flags.Find(false), 1);
	EXPECT_EQ(Flags.Remove(false), 4);
	EXPECT_EQ(Describe(Flags), "1,1,1");
	const TConstArrayView<bool> View = Flags;
	EXPECT_EQ(View.GetData(), Flags.GetData());
}

TEST(ArrayTest, ElementsLiveExactlyOnce)
{
	ASSERT_EQ(FTracked::Live, 0);
	{
		TArray<FTracked> Array;
		for (int32 Index = 0; Index < 20; ++Index)
		{
			Array.Emplace(Index);
		}
		EXPECT_EQ(FTracked::Live, 20);
		Array.Insert(FTracked(100), 3);
		Array.RemoveAt(5, 4);
		Array.RemoveAt(0);
		EXPECT_EQ(Array.Remove(FTracked(3)), 1);
		EXPECT_EQ(FTracked::Live, Array.Num());
		EXPECT_EQ(Describe(Array), "1,2,100,8,9,10,11,12,13,14,15,16,17,18,19");

		// Adding an element of the array while it reallocates copies the element, not a stale slot.
		Array.Shrink();
		Array.Add(Array[0]);
		Array.Emplace(Array[1]);
		Array.Insert(Array[2], 0);
		EXPECT_EQ(Array.Last().Value, 2);
		EXPECT_EQ(Array.Last(1).Value, 1);
		EXPECT_EQ(Array[0].Value, 100);
		EXPECT_EQ(FTracked::Live, Array.Num());

		TArray<FTracked> Copy = Array;
		TArray<FTracked> Moved = MoveTemp(Array);
		EXPECT_EQ(Array.Num(), 0);
		EXPECT_EQ(Copy, Moved);
		EXPECT_EQ(FTracked::Live, Copy.Num() * 2);
		Copy.Append(Copy);
		EXPECT_EQ(Copy.Num(), Moved.Num() * 2);
		EXPECT_EQ(Copy[Moved.Num()].Value, Copy[0].Value);
		Moved.SetNum(2);
		Copy.Reset();
		EXPECT_EQ(FTracked::Live, 2);
	}
	EXPECT_EQ(FTracked::Live, 0);
}

TEST(ArrayViewTest, ViewsSeeTheArrayAndSlicesOfIt)
{
	TArray<int32> Array = Range(6);
	const TArrayView<int32> View = Array;
	EXPECT_EQ(View.Num(), 6);
	EXPECT_EQ(View.GetData(), Array.GetData());
	View[2] = 20;
	EXPECT_EQ(Array[2], 20);

	const TArrayView<int32> Middle = View.Slice(1, 3);
	EXPECT_EQ(Middle.Num(), 3);
	EXPECT_EQ(Middle[0], 1);
	EXPECT_EQ(Middle.Last(), 3);
	EXPECT_EQ(Middle.Find(20), 1);
	EXPECT_EQ(Middle.Find(5), INDEX_NONE);
	EXPECT_TRUE(Middle.Contains(3));
	EXPECT_FALSE(Middle.Contains(0));
	EXPECT_EQ(SumOf(Middle), 24);
	EXPECT_TRUE(View.Slice(6, 0).IsEmpty());
	EXPECT_EQ(SumOf(View.Left(2)), 1);
	EXPECT_EQ(SumOf(View.RightChop(4)), 9);
	EXPECT_EQ(View.Right(10).Num(), 6);

	// Arrays, non-const views and braced lists all become read-only views.
	EXPECT_EQ(SumOf(Array), 33);
	EXPECT_EQ(SumOf(Middle), 24);
	EXPECT_EQ(SumOf({1, 2, 3}), 6);
	const int32 Raw[] = {4, 5};
	EXPECT_EQ(SumOf(MakeArrayView(Raw)), 9);
	EXPECT_EQ(SumOf(MakeArrayView(Array.GetData() + 4, 2)), 9);
	EXPECT_EQ(SumOf(TConstArrayView<int32>()), 0);

	int32* FoundValue = View.FindByPredicate([](int32 Value) { return Value > 3; });
	ASSERT_NE(FoundValue, nullptr);
	EXPECT_EQ(FoundValue - Array.GetData(), 2);

	// An array built from a view copies it.
	TArray<int32> Copy(Middle);
	Copy[0] = 100;
	EXPECT_EQ(Array[1], 1);
	EXPECT_EQ(Describe(Copy), "100,20,3");
}

TEST(HostArray, GetRefAddsReturnTheNewElementAcrossReallocation)
{
	// Each add may move the elements; the returned reference must be to the new storage.
	TArray<FString> Strings;
	TArray<int32> Numbers;
	for (int32 Index = 0; Index < 100; ++Index)
	{
		Strings.AddDefaulted_GetRef() = FString::FromInt(Index);
		Numbers.Add_GetRef(0) = Index;
		Numbers.InsertDefaulted(0);
		Numbers[0] = -Index;
	}
	EXPECT_TRUE(Strings[57].Equals(TEXT("57")));
	EXPECT_EQ(Numbers[0], -99);
	EXPECT_EQ(Numbers[199], 99);
}
