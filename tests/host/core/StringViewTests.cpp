// TStringView: slicing that clamps, character search, comparison rules, and conversion to and from FString.
#include "Containers/StringView.h"

#include <gtest/gtest.h>

namespace
{
FString Text(FStringView View)
{
	return FString(View);
}
} // namespace

TEST(StringView, SlicesClampToTheView)
{
	const FString Source(TEXT("Arm_L/roll"));
	const FStringView View(Source);
	EXPECT_EQ(View.GetData(), *Source);
	EXPECT_EQ(View.Len(), 10);
	EXPECT_TRUE(Text(View.Left(5)).Equals(TEXT("Arm_L")));
	EXPECT_TRUE(Text(View.Mid(6)).Equals(TEXT("roll")));
	EXPECT_TRUE(Text(View.Mid(6, 2)).Equals(TEXT("ro")));
	EXPECT_TRUE(Text(View.Right(4)).Equals(TEXT("roll")));
	EXPECT_TRUE(Text(View.RightChop(6)).Equals(TEXT("roll")));
	EXPECT_TRUE(Text(View.LeftChop(5)).Equals(TEXT("Arm_L")));

	// Out-of-range counts and positions clamp rather than read outside the view.
	EXPECT_TRUE(Text(View.Left(99)).Equals(Source));
	EXPECT_TRUE(View.Left(-3).IsEmpty());
	EXPECT_TRUE(View.Mid(99).IsEmpty());
	EXPECT_TRUE(Text(View.Mid(-2, 3)).Equals(TEXT("Arm")));
	EXPECT_TRUE(View.Mid(4, -1).IsEmpty());
	EXPECT_TRUE(View.RightChop(99).IsEmpty());

	// A slice of a slice stays inside the original characters.
	EXPECT_EQ(View.Mid(6).Left(2).GetData(), *Source + 6);
}

TEST(StringView, SearchAndCompare)
{
	const FStringView View(TEXT("a:b/c:d"));
	int32 Index = 0;
	EXPECT_TRUE(View.FindChar(TEXT(':'), Index));
	EXPECT_EQ(Index, 1);
	EXPECT_TRUE(View.FindLastChar(TEXT(':'), Index));
	EXPECT_EQ(Index, 5);
	EXPECT_FALSE(View.FindLastChar(TEXT('x'), Index));
	EXPECT_EQ(Index, INDEX_NONE);
	EXPECT_FALSE(FStringView().FindChar(TEXT('a'), Index));

	// Equals is case-sensitive unless told otherwise; == ignores case, as FString's does.
	EXPECT_FALSE(FStringView(TEXT("Roll")).Equals(TEXT("roll")));
	EXPECT_TRUE(FStringView(TEXT("Roll")).Equals(TEXT("roll"), ESearchCase::IgnoreCase));
	EXPECT_TRUE(FStringView(TEXT("Roll")) == FStringView(TEXT("ROLL")));
	EXPECT_FALSE(FStringView(TEXT("Roll")) == FStringView(TEXT("Rol")));
	EXPECT_LT(FStringView(TEXT("ab")).Compare(TEXT("abc")), 0);
	EXPECT_GT(FStringView(TEXT("b")).Compare(TEXT("abc")), 0);
	EXPECT_EQ(FStringView().Compare(FStringView(TEXT(""))), 0);
	EXPECT_TRUE(FStringView(TEXT("Leg_L/toe")).StartsWith(TEXT("leg")));
	EXPECT_TRUE(FStringView(TEXT("Leg_L/toe")).EndsWith(TEXT("/TOE")));
	EXPECT_FALSE(FStringView(TEXT("toe")).EndsWith(TEXT("big toe")));
}

TEST(StringView, ConvertsToAndFromFString)
{
	// A null pointer and the default view are both empty; an FString made from them is empty too.
	EXPECT_TRUE(FStringView(static_cast<const TCHAR*>(nullptr)).IsEmpty());
	EXPECT_TRUE(FString(FStringView()).IsEmpty());

	// Only the viewed characters are copied, not up to a terminator.
	const FStringView Part = FStringView(TEXT("module/element")).Left(6);
	FString Copy(Part);
	EXPECT_TRUE(Copy.Equals(TEXT("module")));
	Copy = FStringView(TEXT("other"));
	EXPECT_TRUE(Copy.Equals(TEXT("other")));
	// Assigning a view of the string itself is safe.
	Copy = FStringView(Copy).Mid(1, 3);
	EXPECT_TRUE(Copy.Equals(TEXT("the")));
}
