// The viewer page `qvrig view` writes: one self-contained HTML file that plays a binary glTF animation in a
// browser, with no server and nothing fetched. Its script is viewer/ bundled with three.js at build time.
#pragma once

#include "CoreMinimal.h"

#include <string>

struct FQVViewerPage
{
	// Where the build put the viewer's script.
	static FString GetScriptPath();

	// The page: InGlb embedded as base64, InScript inline, InTitle as the page's title.
	static std::string Build(const std::string& InGlb, const FString& InTitle, const std::string& InScript);

	// Standard base64 (RFC 4648) with padding.
	static std::string EncodeBase64(const std::string& InBytes);
};
