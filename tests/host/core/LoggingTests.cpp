// UE_LOG: lines reach attached output devices with their category and verbosity, suppressed lines do not, and
// Fatal aborts.
#include "CoreGlobals.h"
#include "Logging/LogMacros.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"

#include <gtest/gtest.h>

DEFINE_LOG_CATEGORY_STATIC(LogQvLoggingTest, Log, All);
DEFINE_LOG_CATEGORY_STATIC(LogQvQuietTest, Warning, Warning);

namespace
{
struct FCapturedLine
{
	FString Text;
	ELogVerbosity::Type Verbosity;
	FName Category;
};

class FCaptureDevice : public FOutputDevice
{
public:
	void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
	{
		Lines.Add({V, Verbosity, Category});
	}

	TArray<FCapturedLine> Lines;
};

// Detaches itself from the log on the first line it receives.
class FOneShotDevice : public FOutputDevice
{
public:
	void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
	{
		++Received;
		GLog->RemoveOutputDevice(this);
	}

	int32 Received = 0;
};

class LoggingTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		GLog->SetEchoToStdErr(false);
		GLog->AddOutputDevice(&Capture);
	}
	void TearDown() override
	{
		GLog->RemoveOutputDevice(&Capture);
		GLog->SetEchoToStdErr(true);
		LogQvLoggingTest.ResetToDefault();
	}

	FCaptureDevice Capture;
};

int32 CountingCondition(int32& Calls)
{
	++Calls;
	return true;
}
} // namespace

TEST_F(LoggingTest, LinesReachAttachedDevicesWithCategoryAndVerbosity)
{
	EXPECT_TRUE(GLog->IsRedirectingTo(&Capture));
	UE_LOG(LogQvLoggingTest, Warning, TEXT("Bone %s moved %d times"), TEXT("Hip"), 3);
	UE_LOG(LogQvLoggingTest, Display, TEXT("plain"));
	UE_LOG(LogTemp, Error, TEXT("%.1f"), 2.5);

	ASSERT_EQ(Capture.Lines.Num(), 3);
	EXPECT_TRUE(Capture.Lines[0].Text.Equals(TEXT("Bone Hip moved 3 times")));
	EXPECT_EQ(Capture.Lines[0].Verbosity, ELogVerbosity::Warning);
	EXPECT_TRUE(Capture.Lines[0].Category == TEXT("LogQvLoggingTest"));
	EXPECT_EQ(Capture.Lines[1].Verbosity, ELogVerbosity::Display);
	EXPECT_TRUE(Capture.Lines[2].Text.Equals(TEXT("2.5")));
	EXPECT_TRUE(Capture.Lines[2].Category == TEXT("LogTemp"));
	EXPECT_EQ(Capture.Lines[2].Verbosity, ELogVerbosity::Error);

	GLog->RemoveOutputDevice(&Capture);
	EXPECT_FALSE(GLog->IsRedirectingTo(&Capture));
	UE_LOG(LogQvLoggingTest, Error, TEXT("not captured"));
	EXPECT_EQ(Capture.Lines.Num(), 3);

	// A device may detach itself while it receives a line.
	FOneShotDevice OneShot;
	GLog->AddOutputDevice(&OneShot);
	UE_LOG(LogQvLoggingTest, Log, TEXT("first"));
	UE_LOG(LogQvLoggingTest, Log, TEXT("second"));
	EXPECT_EQ(OneShot.Received, 1);
	EXPECT_FALSE(GLog->IsRedirectingTo(&OneShot));
}

TEST_F(LoggingTest, SuppressedLinesNeverArrive)
{
	EXPECT_EQ(LogQvLoggingTest.GetVerbosity(), ELogVerbosity::Log);
	UE_LOG(LogQvLoggingTest, Verbose, TEXT("hidden at Log verbosity"));
	UE_LOG(LogQvLoggingTest, Log, TEXT("shown"));
	ASSERT_EQ(Capture.Lines.Num(), 1);
	EXPECT_TRUE(Capture.Lines[0].Text.Equals(TEXT("shown")));

	LogQvLoggingTest.SetVerbosity(ELogVerbosity::VeryVerbose);
	UE_LOG(LogQvLoggingTest, VeryVerbose, TEXT("now shown"));
	LogQvLoggingTest.SetVerbosity(ELogVerbosity::Error);
	UE_LOG(LogQvLoggingTest, Warning, TEXT("hidden at Error verbosity"));
	UE_LOG(LogQvLoggingTest, Error, TEXT("errors still shown"));
	ASSERT_EQ(Capture.Lines.Num(), 3);
	EXPECT_TRUE(Capture.Lines[1].Text.Equals(TEXT("now shown")));
	EXPECT_TRUE(Capture.Lines[2].Text.Equals(TEXT("errors still shown")));

	// Verbosity cannot be raised past what the category was compiled with.
	LogQvQuietTest.SetVerbosity(ELogVerbosity::All);
	EXPECT_EQ(LogQvQuietTest.GetVerbosity(), ELogVerbosity::Warning);
	UE_LOG(LogQvQuietTest, Display, TEXT("compiled out"));
	UE_LOG(LogQvQuietTest, Warning, TEXT("kept"));
	ASSERT_EQ(Capture.Lines.Num(), 4);
	EXPECT_TRUE(Capture.Lines[3].Category == TEXT("LogQvQuietTest"));

	// A conditional line does not even evaluate its condition when it would be suppressed.
	int32 Calls = 0;
	UE_CLOG(CountingCondition(Calls), LogQvQuietTest, Log, TEXT("suppressed"));
	EXPECT_EQ(Calls, 0);
	UE_CLOG(CountingCondition(Calls), LogQvQuietTest, Error, TEXT("conditional"));
	EXPECT_EQ(Calls, 1);
	EXPECT_EQ(Capture.Lines.Num(), 5);
}

TEST(LoggingDeathTest, FatalLinesAbort)
{
	EXPECT_DEATH(UE_LOG(LogQvLoggingTest, Fatal, TEXT("rig %s is broken"), TEXT("Biped")),
		"LogQvLoggingTest: Fatal: rig Biped is broken");
}
