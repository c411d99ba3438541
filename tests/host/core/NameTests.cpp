// FName: interning ignoring case, None, comparison with text, ordering and concurrent creation.
#include "UObject/NameTypes.h"

#include "Containers/Array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

TEST(NameTest, SameTextInAnyCaseIsOneEntryKeepingTheFirstSpelling)
{
	const FName First(TEXT("QvInternTest_LeftFoot"));
	const FName Upper(TEXT("QVINTERNTEST_LEFTFOOT"));
	const FName Lower(TEXT("qvinterntest_leftfoot"));
	const FName Other(TEXT("QvInternTest_RightFoot"));

	EXPECT_EQ(First.GetComparisonIndex(), Upper.GetComparisonIndex());
	EXPECT_EQ(First.GetComparisonIndex(), Lower.GetComparisonIndex());
	EXPECT_NE(First.GetComparisonIndex(), Other.GetComparisonIndex());
	EXPECT_TRUE(First == Upper);
	EXPECT_TRUE(First != Other);

	// Every copy prints the spelling of the first creation.
	EXPECT_TRUE(Upper.ToString().Equals(TEXT("QvInternTest_LeftFoot"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Lower.ToString().Equals(TEXT("QvInternTest_LeftFoot"), ESearchCase::CaseSensitive));
	FString Appended(TEXT("<"));
	Lower.AppendString(Appended);
	EXPECT_STREQ(*Appended, "<QvInternTest_LeftFoot");

	EXPECT_EQ(GetTypeHash(First), GetTypeHash(Lower));
	EXPECT_TRUE(First.IsValid());
}

TEST(NameTest, EmptyTextAndNoneAreNameNone)
{
	EXPECT_TRUE(FName().IsNone());
	EXPECT_TRUE(FName(TEXT("")).IsNone());
	EXPECT_TRUE(FName(static_cast<const TCHAR*>(nullptr)).IsNone());
	EXPECT_TRUE(FName(TEXT("None")).IsNone());
	EXPECT_TRUE(FName(TEXT("nONE")).IsNone());
	EXPECT_TRUE(FName(FString()).IsNone());
	EXPECT_EQ(FName(TEXT("None")).GetComparisonIndex().ToUnstableInt(), 0u);

	const FName Empty(TEXT(""));
	EXPECT_TRUE(Empty == NAME_None);
	EXPECT_TRUE(NAME_None == Empty);
	EXPECT_FALSE(FName(TEXT("QvNoneTest_Something")) == NAME_None);
	EXPECT_STREQ(*FName().ToString(), "None");
	EXPECT_EQ(GetTypeHash(FName()), GetTypeHash(FName(TEXT("NONE"))));

	// "NoneX" and " None" are ordinary names.
	EXPECT_FALSE(FName(TEXT("NoneX")).IsNone());
	EXPECT_FALSE(FName(TEXT(" None")).IsNone());
}

TEST(NameTest, ComparesWithTextIgnoringCaseWithoutAddingIt)
{
	const FName Name(TEXT("QvLiteralTest_Spine_01"));
	EXPECT_TRUE(Name == TEXT("qvliteraltest_spine_01"));
	EXPECT_TRUE(TEXT("QVLITERALTEST_SPINE_01") == Name);
	EXPECT_FALSE(Name == TEXT("QvLiteralTest_Spine_1"));
	EXPECT_TRUE(Name != TEXT("QvLiteralTest_Spine"));
	EXPECT_TRUE(FName() == TEXT(""));
	EXPECT_TRUE(FName() == TEXT("none"));
	EXPECT_FALSE(FName() == TEXT("QvLiteralTest_Spine_01"));

	// Comparing did not create the text as a name; looking it up without adding finds nothing.
	EXPECT_FALSE(Name == TEXT("QvLiteralTest_NeverCreated"));
	EXPECT_TRUE(FName(TEXT("QvLiteralTest_NeverCreated"), FNAME_Find).IsNone());
	EXPECT_EQ(FName(TEXT("qvliteraltest_spine_01"), FNAME_Find), Name);
}

TEST(NameTest, LexicalOrderIgnoresCaseAndReadsNumberSuffixes)
{
	auto Less = [](const TCHAR* A, const TCHAR* B) { return FName(A).LexicalLess(FName(B)); };

	EXPECT_TRUE(Less(TEXT("QvOrder_apple"), TEXT("QvOrder_Banana")));
	EXPECT_FALSE(Less(TEXT("QvOrder_Banana"), TEXT("QvOrder_apple")));
	// Letters fold to lower case, so '_' (0x5F) sorts before 'A' (0x41 upper, 0x61 lower).
	EXPECT_TRUE(Less(TEXT("QvOrder__x"), TEXT("QvOrder_A")));
	// A trailing _<digits> is compared as a number after the rest of the text.
	EXPECT_TRUE(Less(TEXT("QvOrder_Bone_9"), TEXT("QvOrder_Bone_10")));
	EXPECT_TRUE(Less(TEXT("QvOrder_Bone"), TEXT("QvOrder_Bone_0")));
	EXPECT_TRUE(Less(TEXT("QvOrder_Bone_2"), TEXT("QvOrder_bone_3")));
	// "_01" has a leading zero and is not a number, so that name's text is longer than "QvOrder_Bone".
	EXPECT_TRUE(Less(TEXT("QvOrder_Bone_1"), TEXT("QvOrder_Bone_01")));
	// Without the underscore the digits are plain text.
	EXPECT_TRUE(Less(TEXT("QvOrder_Bone10"), TEXT("QvOrder_Bone9")));
	EXPECT_EQ(FName(TEXT("QvOrder_X")).Compare(FName(TEXT("qvorder_x"))), 0);

	TArray<FName> Names = {FName(TEXT("QvOrder_Leg_10")), FName(TEXT("QvOrder_arm")), FName(TEXT("QvOrder_Leg_2")),
		FName(TEXT("QvOrder_Leg"))};
	Names.Sort(FNameLexicalLess());
	ASSERT_EQ(Names.Num(), 4);
	EXPECT_TRUE(Names[0] == TEXT("QvOrder_arm"));
	EXPECT_TRUE(Names[1] == TEXT("QvOrder_Leg"));
	EXPECT_TRUE(Names[2] == TEXT("QvOrder_Leg_2"));
	EXPECT_TRUE(Names[3] == TEXT("QvOrder_Leg_10"));

	// The (name, number) constructor prints the number less one, as the engine's names do.
	EXPECT_EQ(FName(TEXT("QvOrder_Hand"), 3), FName(TEXT("QvOrder_Hand_2")));
	EXPECT_EQ(FName(TEXT("QvOrder_Hand"), NAME_NO_NUMBER_INTERNAL), FName(TEXT("QvOrder_Hand")));
}

TEST(NameTest, ConcurrentCreationGivesOneEntryPerName)
{
	constexpr int32 NumThreads = 6;
	constexpr int32 NumNames = 2000;
	std::vector<std::vector<uint32>> Indices(NumThreads, std::vector<uint32>(NumNames));

	std::vector<std::thread> Threads;
	for (int32 ThreadIndex = 0; ThreadIndex < NumThreads; ++ThreadIndex)
	{
		Threads.emplace_back(
			[ThreadIndex, &Indices]()
			{
				for (int32 Step = 0; Step < NumNames; ++Step)
				{
					// Threads walk the names in different orders and spell them in different cases.
					const int32 NameIndex = (ThreadIndex % 2 == 0) ? Step : NumNames - 1 - Step;
					FString Text = FString::Printf(TEXT("QvThreadName_%d_Tail"), NameIndex);
					if (ThreadIndex % 3 == 1)
					{
						Text.ToUpperInline();
					}
					else if (ThreadIndex % 3 == 2)
					{
						Text.ToLowerInline();
					}
					Indices[ThreadIndex][NameIndex] = FName(Text).GetComparisonIndex().ToUnstableInt();
				}
			});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}

	std::vector<uint32> Seen;
	for (int32 NameIndex = 0; NameIndex < NumNames; ++NameIndex)
	{
		for (int32 ThreadIndex = 1; ThreadIndex < NumThreads; ++ThreadIndex)
		{
			ASSERT_EQ(Indices[ThreadIndex][NameIndex], Indices[0][NameIndex]) << "name " << NameIndex;
		}
		Seen.push_back(Indices[0][NameIndex]);
		const FName Name(FString::Printf(TEXT("QvThreadName_%d_Tail"), NameIndex));
		ASSERT_EQ(Name.GetComparisonIndex().ToUnstableInt(), Indices[0][NameIndex]);
		ASSERT_TRUE(
			Name.ToString().Equals(FString::Printf(TEXT("QvThreadName_%d_Tail"), NameIndex), ESearchCase::IgnoreCase));
	}
	std::sort(Seen.begin(), Seen.end());
	EXPECT_EQ(std::adjacent_find(Seen.begin(), Seen.end()), Seen.end()) << "two names share an entry";
}
