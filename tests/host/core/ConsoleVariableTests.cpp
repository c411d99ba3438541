// Console variables: found by name in any case, typed reads after Set, conversions between types.
#include "HAL/IConsoleManager.h"

#include <gtest/gtest.h>

TEST(ConsoleVariableTest, FoundByNameInAnyCaseAndReadAfterSet)
{
	TAutoConsoleVariable<int32> CVarCount(TEXT("Qv.Test.Count"), 3, TEXT("A count."));
	IConsoleVariable* Found = IConsoleManager::Get().FindConsoleVariable(TEXT("qv.TEST.count"));
	ASSERT_NE(Found, nullptr);
	EXPECT_EQ(Found, CVarCount.AsVariable());
	EXPECT_STREQ(Found->GetHelp(), "A count.");
	EXPECT_EQ(IConsoleManager::Get().FindConsoleVariable(TEXT("Qv.Test.Other")), nullptr);
	EXPECT_EQ(CVarCount.GetValueOnAnyThread(), 3);

	Found->Set(7);
	EXPECT_EQ(CVarCount.GetValueOnGameThread(), 7);
	Found->Set(TEXT("12abc"), ECVF_SetByConsole);
	EXPECT_EQ(CVarCount.GetValueOnAnyThread(), 12);
	EXPECT_EQ(Found->GetFlags() & ECVF_SetByMask, ECVF_SetByConsole);
	EXPECT_TRUE(Found->GetString().Equals(TEXT("12")));
	EXPECT_FLOAT_EQ(Found->GetFloat(), 12.0f);
	EXPECT_TRUE(Found->GetBool());
	CVarCount->Set(false);
	EXPECT_EQ(CVarCount.GetValueOnAnyThread(), 0);
	EXPECT_TRUE(Found->IsVariableInt());

	// Registering the name again hands back the same variable and value.
	IConsoleVariable* Again = IConsoleManager::Get().RegisterConsoleVariable(TEXT("QV.TEST.COUNT"), 99, TEXT(""));
	EXPECT_EQ(Again, Found);
	EXPECT_EQ(Again->GetInt(), 0);
}

TEST(ConsoleVariableTest, EachTypeParsesAndConverts)
{
	TAutoConsoleVariable<bool> CVarFlag(TEXT("Qv.Test.Flag"), false, TEXT("A switch."));
	for (const TCHAR* TrueText : {TEXT("1"), TEXT("true"), TEXT("On"), TEXT("YES"), TEXT("3")})
	{
		CVarFlag->Set(TEXT("0"));
		CVarFlag->Set(TrueText);
		EXPECT_TRUE(CVarFlag.GetValueOnAnyThread()) << TrueText;
	}
	CVarFlag->Set(TEXT("off"));
	EXPECT_FALSE(CVarFlag.GetValueOnAnyThread());
	CVarFlag->Set(true);
	EXPECT_EQ(CVarFlag->GetInt(), 1);
	EXPECT_TRUE(CVarFlag->GetString().Equals(TEXT("true")));

	TAutoConsoleVariable<float> CVarWeight(TEXT("Qv.Test.Weight"), 0.5f, TEXT("A weight."));
	EXPECT_FLOAT_EQ(CVarWeight.GetValueOnAnyThread(), 0.5f);
	CVarWeight->Set(TEXT("1.5e1"));
	EXPECT_FLOAT_EQ(CVarWeight.GetValueOnAnyThread(), 15.0f);
	CVarWeight->Set(-2.75f);
	EXPECT_FLOAT_EQ(CVarWeight.GetValueOnAnyThread(), -2.75f);
	EXPECT_EQ(CVarWeight->GetInt(), -2);
	EXPECT_TRUE(CVarWeight->GetString().Equals(TEXT("-2.75")));

	TAutoConsoleVariable<FString> CVarLabel(TEXT("Qv.Test.Label"), TEXT("start"), TEXT("A label."));
	EXPECT_TRUE(CVarLabel.GetValueOnAnyThread().Equals(TEXT("start")));
	CVarLabel->Set(TEXT("42"));
	EXPECT_EQ(CVarLabel->GetInt(), 42);
	EXPECT_TRUE(CVarLabel->GetBool());
	CVarLabel->Set(TEXT("no"));
	EXPECT_FALSE(CVarLabel->GetBool());
	EXPECT_TRUE(CVarLabel.GetValueOnGameThread().Equals(TEXT("no")));
}

TEST(ConsoleVariableTest, VariableIsGoneAfterItsOwnerIsDestroyed)
{
	{
		TAutoConsoleVariable<int32> CVarScoped(TEXT("Qv.Test.Scoped"), 1, TEXT("Lives in a scope."));
		EXPECT_TRUE(IConsoleManager::Get().IsNameRegistered(TEXT("qv.test.scoped")));
	}
	EXPECT_FALSE(IConsoleManager::Get().IsNameRegistered(TEXT("Qv.Test.Scoped")));
	EXPECT_EQ(IConsoleManager::Get().FindConsoleVariable(TEXT("Qv.Test.Scoped")), nullptr);

	// A fresh registration starts from its own default.
	TAutoConsoleVariable<int32> CVarScoped(TEXT("Qv.Test.Scoped"), 5, TEXT("Again."));
	EXPECT_EQ(CVarScoped.GetValueOnAnyThread(), 5);
}
