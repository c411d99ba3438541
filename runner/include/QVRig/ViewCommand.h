// `qvrig view`: writes a self-contained HTML page that plays a rig's evaluated animation in a browser, from a rig
// file (evaluated and exported as `qvrig export --gltf` does) or from a binary glTF file it exported.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RigEvaluator.h"

#include <ostream>

struct FQVViewOptions
{
	// A rig file, or a binary glTF file (told apart by the glTF header).
	FString InputPath;
	FString HtmlPath;
	// For a rig file: bare names or "type:name"; empty shows every bone and null.
	TArray<FString> Elements;
	EQVFrameStart FrameStart = EQVFrameStart::CarryOver;
	bool bForce = false;
};

struct FQVViewCommand
{
	// Writes the page and a line about it to OutStream; errors go to ErrorStream and write nothing. Returns the
	// process exit code: 0 on success.
	static int32 Run(const FQVViewOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream);
};
