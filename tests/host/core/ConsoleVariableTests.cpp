// Console variables: found by name in any case, parsed when set from text, gone with their owner.
#include "HAL/IConsoleManager.h"

#include <gtest/gtest.h>

TEST(ConsoleVariableTest, FoundByNameInAnyCaseAndParsedFromText)
{
	TAutoConsoleVariable<bool> CVarFlag(TEXT("Qv.Test.Flag"), false, TEXT("A switch."));
	IConsoleVariable* Found = IConsoleManager::Get().FindConsoleVariable(TEXT("qv.TEST.flag"));
	ASSERT_NE(Found, nullptr);
	EXPECT_EQ(Found, CVarFlag.AsVariable());
	EXPECT_STREQ(Found->GetHelp(), "A switch.");
	EXPECT_EQ(IConsoleManager::Get().FindConsoleVariable(TEXT("Qv.Test.Other")), nullptr);

	for (const TCHAR* TrueText : {TEXT("1"), TEXT("true"), TEXT("On"), TEXT("YES"), TEXT("3")})
	{
		CVarFlag->Set(TEXT("0"));
		CVarFlag->Set(TrueText);
		EXPECT_TRUE(CVarFlag.GetValueOnAnyThread()) << TrueText;
	}
	CVarFlag->Set(TEXT("off"));
	EXPECT_FALSE(CVarFlag.GetValueOnGameThread());
	Found->Set(true);
	EXPECT_TRUE(CVarFlag.GetValueOnAnyThread());

	// Registering the name again hands back the same variable and value.
	IConsoleVariable* Again = IConsoleManager::Get().RegisterConsoleVariable(TEXT("QV.TEST.FLAG"), false, TEXT(""));
	EXPECT_EQ(Again, Found);
	EXPECT_TRUE(Again->GetBool());
}

TEST(ConsoleVariableTest, VariableIsGoneAfterItsOwnerIsDestroyed)
{
	{
		TAutoConsoleVariable<bool> CVarScoped(TEXT("Qv.Test.Scoped"), true, TEXT("Lives in a scope."));
		EXPECT_NE(IConsoleManager::Get().FindConsoleVariable(TEXT("qv.test.scoped")), nullptr);
	}
	EXPECT_EQ(IConsoleManager::Get().FindConsoleVariable(TEXT("Qv.Test.Scoped")), nullptr);

	// A fresh registration starts from its own default.
	TAutoConsoleVariable<bool> CVarScoped(TEXT("Qv.Test.Scoped"), false, TEXT("Again."));
	EXPECT_FALSE(CVarScoped.GetValueOnAnyThread());
}
