// File stems.
#include "QVRig/FileNames.h"

#include <filesystem>

FString QVFileStem(const FString& InPath)
{
	const std::string Name = std::filesystem::path(*InPath).filename().string();
	// A leading dot belongs to the name (".hidden").
	const size_t Dot = Name.find('.', 1);
	return FString((Dot == std::string::npos ? Name : Name.substr(0, Dot)).c_str());
}
