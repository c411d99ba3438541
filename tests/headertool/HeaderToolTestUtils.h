// Helpers of the header tool's tests: headers that must fail, with the line and message they must fail with.
#pragma once

#include "HeaderParser.h"
#include "HeaderToolError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct FParseErrorCase
{
	std::string Source;
	int Line;
	std::string Message;
};

// Parses each case's source as "Public/Test.h" and expects it to stop with the case's line and message.
inline void ExpectParseErrors(const std::vector<FParseErrorCase>& Cases)
{
	for (const FParseErrorCase& Case : Cases)
	{
		try
		{
			ParseHeader(Case.Source, "Public/Test.h");
			ADD_FAILURE() << "no error for:\n" << Case.Source;
		}
		catch (const FHeaderToolError& Error)
		{
			EXPECT_EQ(Error.File, "Public/Test.h") << Case.Source;
			EXPECT_EQ(Error.Line, Case.Line) << Case.Source;
			EXPECT_EQ(Error.Message, Case.Message) << Case.Source;
		}
	}
}
