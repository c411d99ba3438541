// The error the header tool stops with: the header, the line and a plain message.
#pragma once

#include <stdexcept>
#include <string>

struct FHeaderToolError : std::runtime_error
{
	FHeaderToolError(std::string InFile, int InLine, std::string InMessage)
		: std::runtime_error(InFile + ":" + std::to_string(InLine) + ": error: " + InMessage), File(std::move(InFile)),
		  Line(InLine), Message(std::move(InMessage))
	{
	}

	std::string File;
	int Line;
	std::string Message;
};
