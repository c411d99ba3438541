// `qvrig view`: the page embeds the exported file and the viewer's script whole, refuses what it cannot show, and
// headless Chromium draws the skeleton from it (skipped, saying why, where Chromium or WebGL cannot run).
#include "QVRig/ViewerPage.h"
#include "RunnerTestUtils.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <png.h>

namespace
{
const char* const FootRollRig = QV_SOURCE_DIR "/examples/foot_roll.rig.json";

std::string ReadText(const std::filesystem::path& InPath)
{
	std::ifstream Stream(InPath, std::ios::binary);
	return std::string((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
}

int32 CountOccurrences(const std::string& InText, const std::string& InPart)
{
	int32 Count = 0;
	for (size_t At = InText.find(InPart); At != std::string::npos; At = InText.find(InPart, At + 1))
	{
		++Count;
	}
	return Count;
}

// Why `qvrig view` cannot write pages here, or empty when it can.
std::string MissingViewerScript()
{
	if (std::filesystem::exists(*FQVViewerPage::GetScriptPath()))
	{
		return std::string();
	}
	return "the viewer's script was not built (" + std::string(*FQVViewerPage::GetScriptPath()) +
		"): its npm packages are missing; tools/install-deps installs them";
}

// An RGBA image decoded by libpng.
struct FImage
{
	uint32 Width = 0;
	uint32 Height = 0;
	std::vector<uint8> Pixels;
};

bool ReadPng(const std::string& InPath, FImage& OutImage)
{
	png_image Image{};
	Image.version = PNG_IMAGE_VERSION;
	if (!png_image_begin_read_from_file(&Image, InPath.c_str()))
	{
		return false;
	}
	Image.format = PNG_FORMAT_RGBA;
	OutImage.Width = Image.width;
	OutImage.Height = Image.height;
	OutImage.Pixels.resize(PNG_IMAGE_SIZE(Image));
	return png_image_finish_read(&Image, nullptr, OutImage.Pixels.data(), 0, nullptr) != 0;
}

// Pixels above the page's bottom bar whose colour is clearly not a grey: the background, the ground grid and the
// text are greys, the bone and null shapes are tinted.
int32 CountTintedPixels(const FImage& InImage, uint32 InBarHeight)
{
	int32 Count = 0;
	for (uint32 Y = 0; Y + InBarHeight < InImage.Height; ++Y)
	{
		for (uint32 X = 0; X < InImage.Width; ++X)
		{
			const uint8* Pixel = InImage.Pixels.data() + (size_t(Y) * InImage.Width + X) * 4;
			const int32 Chroma = std::max({Pixel[0], Pixel[1], Pixel[2]}) - std::min({Pixel[0], Pixel[1], Pixel[2]});
			Count += Chroma > 24 ? 1 : 0;
		}
	}
	return Count;
}

// Runs Chromium headless on InUrl with InAction (--screenshot=..., --dump-dom) and returns what it printed.
std::string RunChromium(const FScratchFolder& InFolder, const std::string& InUrl, const std::string& InAction)
{
	const std::string Log = InFolder / "chromium.log";
	// The flags Chromium needs as root in this closed network: no sandbox, no GPU (WebGL through SwiftShader), no
	// connections of its own, and a profile of its own.
	const std::string Command = "timeout 60 chromium --headless --no-sandbox --disable-gpu --enable-unsafe-swiftshader "
								"--disable-quic --no-first-run --disable-background-networking "
								"--disable-component-update --disable-sync --user-data-dir=" +
		InFolder / "profile" + " --window-size=800,600 --virtual-time-budget=4000 " + InAction + " '" + InUrl + "' > " +
		Log + " 2>&1";
	std::system(Command.c_str());
	return ReadText(Log);
}

// What the page said on <body data-status>, or the tail of Chromium's output when it said nothing.
std::string PageStatus(const FScratchFolder& InFolder, const std::string& InUrl)
{
	const std::string Dom = RunChromium(InFolder, InUrl, "--dump-dom");
	const size_t At = Dom.find("data-status=\"");
	return At == std::string::npos
		? "no status; Chromium printed: " + Dom.substr(Dom.size() > 2000 ? Dom.size() - 2000 : 0)
		: Dom.substr(At + 13, Dom.find('"', At + 13) - At - 13);
}
} // namespace

TEST(Viewer, ThePageEmbedsTheExportedFileAndTheScriptWhole)
{
	// RFC 4648's examples.
	EXPECT_EQ(FQVViewerPage::EncodeBase64(""), "");
	EXPECT_EQ(FQVViewerPage::EncodeBase64("f"), "Zg==");
	EXPECT_EQ(FQVViewerPage::EncodeBase64("fo"), "Zm8=");
	EXPECT_EQ(FQVViewerPage::EncodeBase64("foo"), "Zm9v");
	EXPECT_EQ(FQVViewerPage::EncodeBase64("foobar"), "Zm9vYmFy");
	EXPECT_EQ(FQVViewerPage::EncodeBase64(std::string("\xff\xfe\x00", 3)), "//4A");

	// A script that says "</script>" must not end its element early; the title is text, not markup.
	const std::string Page = FQVViewerPage::Build("glb", TEXT("a<b>&\"c\""), "s = '</script>' + '</SCRIPT';");
	EXPECT_EQ(CountOccurrences(Page, "</script>"), 2);
	EXPECT_THAT(Page, ::testing::HasSubstr("s = '<\\/script>' + '<\\/SCRIPT';"));
	EXPECT_THAT(Page, ::testing::HasSubstr("<title>a&lt;b&gt;&amp;&quot;c&quot; - qvrig viewer</title>"));
	EXPECT_THAT(Page, ::testing::HasSubstr(">Z2xi</script>"));

	if (const std::string Missing = MissingViewerScript(); !Missing.empty())
	{
		GTEST_SKIP() << Missing;
	}
	// From a rig or from the file export wrote, the page holds the same file and the script.
	const FScratchFolder Folder;
	const std::string Glb = Folder / "foot.glb";
	ASSERT_EQ(RunCommandLine({"export", FootRollRig, "--gltf", Glb.c_str()}).ExitCode, 0);
	const std::string FromGlb = Folder / "from_glb.html";
	const std::string FromRig = Folder / "from_rig.html";
	FCommandResult Result = RunCommandLine({"view", Glb.c_str(), "--html", FromGlb.c_str()});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_EQ(Result.Out, "wrote " + FromGlb + ": open it in a browser to play the animation (it needs no server)\n");
	Result = RunCommandLine({"view", FootRollRig, "--html", FromRig.c_str()});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	const std::string Encoded = FQVViewerPage::EncodeBase64(ReadText(Glb));
	for (const std::string& Path : {FromGlb, FromRig})
	{
		const std::string Html = ReadText(Path);
		EXPECT_THAT(Html, ::testing::HasSubstr(">" + Encoded + "</script>")) << Path;
		EXPECT_GT(Html.size(), ReadText(*FQVViewerPage::GetScriptPath()).size());
	}
}

TEST(Viewer, RefusesWhatItCannotShow)
{
	// The script is looked for first, before any input is read or evaluated.
	if (const std::string Missing = MissingViewerScript(); !Missing.empty())
	{
		GTEST_SKIP() << Missing;
	}
	const FScratchFolder Folder;
	const std::string Html = Folder / "page.html";
	const FString Broken = Folder.Write("broken.glb", std::string("glTF\x02\x00\x00\x00junk", 12));
	FCommandResult Result = RunCommandLine({"view", *Broken, "--html", Html.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::StartsWith(std::string(*Broken) + ": is not a valid binary glTF file: "));

	const std::string Glb = Folder / "foot.glb";
	ASSERT_EQ(RunCommandLine({"export", FootRollRig, "--gltf", Glb.c_str()}).ExitCode, 0);
	Result = RunCommandLine({"view", Glb.c_str(), "--html", Html.c_str(), "--elements", "foot_l"});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err, "qvrig: --elements chooses the elements of a rig file, and " + Glb + " is a glTF file\n");

	Result = RunCommandLine({"view", (Folder / "none.rig.json").c_str(), "--html", Html.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err, Folder / "none.rig.json" + ": does not exist\n");
	Result = RunCommandLine({"view", FootRollRig, "--html", Html.c_str(), "--elements", "nobody"});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::HasSubstr("--elements: there is no bone, null or control named 'nobody'"));
	Result = RunCommandLine({"view", FootRollRig, "--html", FootRollRig, "--force"});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::HasSubstr("which qvrig never overwrites"));
	EXPECT_FALSE(std::filesystem::exists(Html));

	const FString Existing = Folder.Write("old.html", "old");
	Result = RunCommandLine({"view", Glb.c_str(), "--html", *Existing});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::EndsWith(": already exists; pass --force to replace it\n"));
	EXPECT_EQ(ReadText(*Existing), "old");
}

TEST(Viewer, HeadlessChromiumDrawsTheSkeleton)
{
	if (std::system("command -v chromium > /dev/null 2>&1") != 0)
	{
		GTEST_SKIP() << "Chromium is not installed (tools/install-deps installs Debian's chromium)";
	}
	if (const std::string Missing = MissingViewerScript(); !Missing.empty())
	{
		GTEST_SKIP() << Missing;
	}
	const FScratchFolder Folder;
	const std::string Html = Folder / "foot.html";
	const FCommandResult Result = RunCommandLine({"view", FootRollRig, "--html", Html.c_str()});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;

	// Paused at frame 24, where the foot is half way through its roll.
	const std::string Url = "file://" + Html + "?frame=24";
	const std::string Shot = Folder / "shot.png";
	const std::string Printed = RunChromium(Folder, Url, "--screenshot=" + Shot);
	if (!std::filesystem::exists(Shot))
	{
		GTEST_SKIP() << "Chromium cannot run here; it printed: "
					 << Printed.substr(Printed.size() > 2000 ? Printed.size() - 2000 : 0);
	}
	FImage Image;
	ASSERT_TRUE(ReadPng(Shot, Image)) << Shot;
	ASSERT_EQ(Image.Width, 800u);
	ASSERT_EQ(Image.Height, 600u);
	// The shapes cover a good part of the view: more than 0.5 % of it, where a blank page or an empty scene has none.
	const int32 Tinted = CountTintedPixels(Image, 60);
	if (Tinted < 2400)
	{
		const std::string Status = PageStatus(Folder, Url);
		if (Status == "no-webgl")
		{
			GTEST_SKIP() << "Chromium here cannot draw WebGL, which the viewer needs";
		}
		FAIL() << "the screenshot shows " << Tinted << " pixels of the skeleton; the page's status: " << Status;
	}
}
