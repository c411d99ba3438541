// Assertions, owning pointers, optional values and function wrappers.
#include "Misc/AssertionMacros.h"
#include "Misc/Optional.h"
#include "Templates/Function.h"
#include "Templates/SharedPointer.h"
#include "Templates/UniquePtr.h"
#include "Templates/UnrealTemplate.h"
#include "UObject/ObjectPtr.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct FCounted
{
	static inline int32 Live = 0;
	int32 Value;
	explicit FCounted(int32 InValue = 0) : Value(InValue) { ++Live; }
	virtual ~FCounted() { --Live; }
};

struct FDerived : FCounted
{
	FDerived() : FCounted(7) {}
};

struct FSelfAware : TSharedFromThis<FSelfAware>
{
	TSharedRef<FSelfAware> Me() { return AsShared(); }
};

bool FailingEnsureSite(bool bCondition)
{
	return ensureMsgf(bCondition, TEXT("value was %d"), bCondition ? 1 : 0);
}

int32 CallTwice(TFunctionRef<int32(int32)> Function)
{
	return Function(Function(1));
}
} // namespace

TEST(AssertionTest, EnsureReturnsTheConditionAndReportsOncePerSite)
{
	::testing::internal::CaptureStderr();
	EXPECT_TRUE(FailingEnsureSite(true));
	EXPECT_FALSE(FailingEnsureSite(false));
	EXPECT_FALSE(FailingEnsureSite(false));
	EXPECT_TRUE(ensure(1 + 1 == 2));
	const std::string Output = ::testing::internal::GetCapturedStderr();

	int32 Reports = 0;
	for (std::string::size_type At = Output.find("Ensure condition failed"); At != std::string::npos;
		 At = Output.find("Ensure condition failed", At + 1))
	{
		++Reports;
	}
	EXPECT_EQ(Reports, 1);
	EXPECT_NE(Output.find("value was 0"), std::string::npos);
	EXPECT_NE(Output.find("bCondition"), std::string::npos);
}

TEST(AssertionDeathTest, FailedChecksAbortWithTheExpression)
{
	const int32 Bones = 3;
	EXPECT_DEATH(check(Bones == 4), "Bones == 4");
	EXPECT_DEATH(checkf(Bones > 5, TEXT("only %d bones"), Bones), "only 3 bones");
	EXPECT_DEATH(checkNoEntry(), "should never be called");
}

TEST(SmartPointerTest, SharedOwnershipEndsWithTheLastReference)
{
	ASSERT_EQ(FCounted::Live, 0);
	{
		TSharedPtr<FCounted> Shared = MakeShareable(new FDerived());
		TWeakPtr<FCounted> Weak = Shared;
		TSharedPtr<FDerived> Derived = StaticCastSharedPtr<FDerived>(Shared);
		EXPECT_EQ(Shared.GetSharedReferenceCount(), 2);
		EXPECT_EQ(Derived->Value, 7);
		TSharedRef<FCounted> Ref = Shared.ToSharedRef();
		Shared.Reset();
		Derived.Reset();
		EXPECT_TRUE(Weak.IsValid());
		EXPECT_EQ(Weak.Pin().Get(), &Ref.Get());
		EXPECT_EQ(FCounted::Live, 1);
		TSharedPtr<FCounted> FromRef = Ref;
		EXPECT_TRUE(FromRef == Ref);
		FromRef = nullptr;
		Ref = MakeShared<FCounted>(2);
		EXPECT_FALSE(Weak.IsValid());
		EXPECT_FALSE(Weak.Pin().IsValid());
		EXPECT_EQ(FCounted::Live, 1);
	}
	EXPECT_EQ(FCounted::Live, 0);

	const TSharedRef<FSelfAware> Self = MakeShared<FSelfAware>();
	EXPECT_EQ(&Self->Me().Get(), &Self.Get());
	EXPECT_EQ(Self.GetSharedReferenceCount(), 1);

	{
		TUniquePtr<FCounted> Unique = MakeUnique<FDerived>();
		TUniquePtr<FCounted> Taken = MoveTemp(Unique);
		EXPECT_FALSE(Unique.IsValid());
		EXPECT_EQ(Taken->Value, 7);
		TObjectPtr<FCounted> Object = Taken.Get();
		FCounted* Raw = Object;
		EXPECT_EQ(Raw, Taken.Get());
		EXPECT_TRUE(Object == Taken.Get());
		EXPECT_FALSE(Object == nullptr);
		EXPECT_EQ(GetTypeHash(Object), GetTypeHash(Raw));
	}
	EXPECT_EQ(FCounted::Live, 0);
}

TEST(OptionalAndFunctionTest, UnsetValuesAndCallables)
{
	TOptional<int32> Maybe;
	EXPECT_FALSE(Maybe.IsSet());
	EXPECT_EQ(Maybe.Get(4), 4);
	EXPECT_EQ(Maybe.GetPtrOrNull(), nullptr);
	Maybe = 9;
	EXPECT_EQ(Maybe.Get(4), 9);
	EXPECT_EQ(*Maybe, 9);
	EXPECT_TRUE(Maybe == TOptional<int32>(9));
	EXPECT_FALSE(Maybe == TOptional<int32>());
	Maybe.Reset();
	EXPECT_TRUE(Maybe == TOptional<int32>());

	int32 Offset = 10;
	auto AddOffset = [&Offset](int32 Value) { return Value + Offset; };
	EXPECT_EQ(CallTwice(AddOffset), 21);
	TFunction<int32(int32)> Stored = AddOffset;
	Offset = 100;
	EXPECT_EQ(CallTwice(Stored), 201);
	TFunction<int32(int32)> Empty;
	EXPECT_FALSE(Empty);
	EXPECT_TRUE(Stored);
}
