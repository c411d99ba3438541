// FName: spelling kept per name while comparing ignoring case, look-up without adding, None, comparison with text,
// ordering and concurrent creation.
#include "UObject/NameTypes.h"

#include "Containers/Array.h"
#include "Containers/Map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

TEST(NameTest, EachNameKeepsItsSpellingAndComparesIgnoringCase)
{
	const FName First(TEXT("QvSpellTest_ctrlBox"));
	const FName Capital(TEXT("QvSpellTest_CtrlBox"));
	const FName Upper(TEXT("QVSPELLTEST_CTRLBOX"));
	const FName Other(TEXT("QvSpellTest_ctrlBoxes"));

	// Equality, hashing and ordering ignore case: one comparison entry for every spelling.
	EXPECT_EQ(First.GetComparisonIndex(), Capital.GetComparisonIndex());
	EXPECT_EQ(First.GetComparisonIndex(), Upper.GetComparisonIndex());
	EXPECT_NE(First.GetComparisonIndex(), Other.GetComparisonIndex());
	EXPECT_TRUE(First == Capital && Capital == Upper && First != Other);
	EXPECT_TRUE(First.IsEqual(Upper) && First.IsEqual(Upper, ENameCase::IgnoreCase));
	EXPECT_EQ(GetTypeHash(First), GetTypeHash(Upper));
	EXPECT_EQ(First.Compare(Upper), 0);
	EXPECT_FALSE(First.LexicalLess(Upper) || Upper.LexicalLess(First) || First.FastLess(Upper));

	// Each name prints the spelling it was made from, not the one the table met first.
	EXPECT_TRUE(First.ToString().Equals(TEXT("QvSpellTest_ctrlBox"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Capital.ToString().Equals(TEXT("QvSpellTest_CtrlBox"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Upper.ToString().Equals(TEXT("QVSPELLTEST_CTRLBOX"), ESearchCase::CaseSensitive));
	FString Appended(TEXT("<"));
	Capital.AppendString(Appended);
	EXPECT_STREQ(*Appended, "<QvSpellTest_CtrlBox");
	FString Written(TEXT("stale"));
	Upper.ToString(Written);
	EXPECT_STREQ(*Written, "QVSPELLTEST_CTRLBOX");

	// A case-sensitive comparison tells the spellings apart; the same spelling made again is the same entry.
	EXPECT_NE(First.GetDisplayIndex(), Capital.GetDisplayIndex());
	EXPECT_FALSE(First.IsEqual(Capital, ENameCase::CaseSensitive));
	const FName CapitalAgain(FString(TEXT("QvSpellTest_CtrlBox")));
	EXPECT_EQ(CapitalAgain.GetDisplayIndex(), Capital.GetDisplayIndex());
	EXPECT_TRUE(CapitalAgain.IsEqual(Capital, ENameCase::CaseSensitive));
	EXPECT_TRUE(Capital.IsValid() && Upper.IsValid());

	// Copies keep their spelling; containers find a key by any spelling and keep the spelling it was added with.
	const FName Copy = Upper;
	EXPECT_STREQ(*Copy.ToString(), "QVSPELLTEST_CTRLBOX");
	TMap<FName, int32> ByName;
	ByName.Add(Capital, 7);
	ASSERT_NE(ByName.Find(Upper), nullptr);
	EXPECT_EQ(*ByName.Find(First), 7);
	for (const TPair<FName, int32>& Pair : ByName)
	{
		EXPECT_STREQ(*Pair.Key.ToString(), "QvSpellTest_CtrlBox");
	}
}

TEST(NameTest, ToStringTruncateWritesTheSpellingIntoABufferCutToItsSize)
{
	// Another spelling of the text made first does not change what this name writes.
	const FName FirstSpelling(TEXT("QVTRUNCTEST_SMILEFOLLOW_L"));
	const FName Name(TEXT("QvTruncTest_SmileFollow_L"));
	ASSERT_EQ(Name, FirstSpelling);

	// The spelling this name was made from, terminated, with its length.
	TCHAR Whole[FName::StringBufferSize];
	EXPECT_EQ(Name.ToStringTruncate(Whole), 25u);
	EXPECT_STREQ(Whole, "QvTruncTest_SmileFollow_L");

	// A short buffer holds as much as fits before the terminator; the length is what was written.
	TCHAR Short[8];
	std::fill(std::begin(Short), std::end(Short), TCHAR('#'));
	EXPECT_EQ(Name.ToStringTruncate(Short), 7u);
	EXPECT_STREQ(Short, "QvTrunc");
	TCHAR Single[1] = {TCHAR('#')};
	EXPECT_EQ(Name.ToStringTruncate(Single, 1), 0u);
	EXPECT_EQ(Single[0], TCHAR(0));

	// None prints as "None", as in the engine.
	TCHAR NoneText[8];
	EXPECT_EQ(FName().ToStringTruncate(NoneText), 4u);
	EXPECT_STREQ(NoneText, "None");
	EXPECT_EQ(FName::StringBufferSize, uint32(NAME_SIZE + 11));
}

TEST(NameTest, FindingANewSpellingOfAKnownNameAddsNothing)
{
	const FName Known(TEXT("QvFindTest_Jaw"));

	// The known name, as first spelled: the new spelling was not added.
	const FName Found(TEXT("QVFINDTEST_JAW"), FNAME_Find);
	EXPECT_EQ(Found, Known);
	EXPECT_EQ(Found.GetDisplayIndex(), Known.GetDisplayIndex());
	EXPECT_STREQ(*Found.ToString(), "QvFindTest_Jaw");
	EXPECT_TRUE(FName(TEXT("QvFindTest_Unknown"), FNAME_Find).IsNone());

	// Once added, the exact spelling is found.
	const FName Added(TEXT("QVFINDTEST_JAW"));
	EXPECT_NE(Added.GetDisplayIndex(), Known.GetDisplayIndex());
	const FName FoundAgain(TEXT("QVFINDTEST_JAW"), FNAME_Find);
	EXPECT_EQ(FoundAgain.GetDisplayIndex(), Added.GetDisplayIndex());
	EXPECT_STREQ(*FoundAgain.ToString(), "QVFINDTEST_JAW");
	EXPECT_STREQ(*FName(TEXT("qvfindtest_jaw"), FNAME_Find).ToString(), "QvFindTest_Jaw");
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
	// Another spelling of None is None, printed as written.
	EXPECT_STREQ(*FName(TEXT("NONE")).ToString(), "NONE");
	EXPECT_FALSE(FName(TEXT("NONE")).IsEqual(NAME_None, ENameCase::CaseSensitive));

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

TEST(NameTest, ConcurrentCreationGivesOneEntryPerSpellingAndOneComparisonPerName)
{
	constexpr int32 NumThreads = 6;
	constexpr int32 NumSpellings = 3;
	constexpr int32 NumNames = 2000;
	auto Spell = [](int32 NameIndex, int32 Spelling)
	{
		FString Text = FString::Printf(TEXT("QvThreadName_%d_Tail"), NameIndex);
		if (Spelling == 1)
		{
			Text.ToUpperInline();
		}
		else if (Spelling == 2)
		{
			Text.ToLowerInline();
		}
		return Text;
	};
	struct FSeen
	{
		uint32 Comparison = 0;
		uint32 Display = 0;
	};
	std::vector<std::vector<FSeen>> Seen(NumThreads, std::vector<FSeen>(NumNames));
	std::atomic<int32> NumMisspelt = 0;

	std::vector<std::thread> Threads;
	for (int32 ThreadIndex = 0; ThreadIndex < NumThreads; ++ThreadIndex)
	{
		Threads.emplace_back(
			[ThreadIndex, &Seen, &NumMisspelt, &Spell]()
			{
				for (int32 Step = 0; Step < NumNames; ++Step)
				{
					// Threads walk the names in different orders and spell them in different cases.
					const int32 NameIndex = (ThreadIndex % 2 == 0) ? Step : NumNames - 1 - Step;
					const FString Text = Spell(NameIndex, ThreadIndex % NumSpellings);
					const FName Name(Text);
					Seen[ThreadIndex][NameIndex] =
						FSeen{Name.GetComparisonIndex().ToUnstableInt(), Name.GetDisplayIndex().ToUnstableInt()};
					// Read back while other threads add entries.
					if (!Name.ToString().Equals(Text, ESearchCase::CaseSensitive))
					{
						++NumMisspelt;
					}
				}
			});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_EQ(NumMisspelt, 0);

	std::vector<uint32> Comparisons;
	for (int32 NameIndex = 0; NameIndex < NumNames; ++NameIndex)
	{
		const FSeen& Reference = Seen[0][NameIndex];
		for (int32 ThreadIndex = 1; ThreadIndex < NumThreads; ++ThreadIndex)
		{
			const FSeen& Other = Seen[ThreadIndex][NameIndex];
			ASSERT_EQ(Other.Comparison, Reference.Comparison) << "name " << NameIndex;
			// The same spelling is one entry; different spellings are different entries.
			const FSeen& SameSpelling = Seen[ThreadIndex % NumSpellings][NameIndex];
			ASSERT_EQ(Other.Display, SameSpelling.Display) << "name " << NameIndex;
			if (ThreadIndex < NumSpellings)
			{
				ASSERT_NE(Other.Display, Reference.Display) << "name " << NameIndex;
			}
		}
		Comparisons.push_back(Reference.Comparison);
		for (int32 Spelling = 0; Spelling < NumSpellings; ++Spelling)
		{
			const FString Text = Spell(NameIndex, Spelling);
			const FName Found(Text, FNAME_Find);
			ASSERT_EQ(Found.GetDisplayIndex().ToUnstableInt(), Seen[Spelling][NameIndex].Display);
			ASSERT_TRUE(Found.ToString().Equals(Text, ESearchCase::CaseSensitive));
		}
	}
	std::sort(Comparisons.begin(), Comparisons.end());
	EXPECT_EQ(std::adjacent_find(Comparisons.begin(), Comparisons.end()), Comparisons.end())
		<< "two names share an entry";
}
