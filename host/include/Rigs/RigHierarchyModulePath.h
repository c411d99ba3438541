// Names of elements that belong to a rig module: "Module:Element".
#pragma once

#include "CoreMinimal.h"

struct FRigHierarchyModulePath
{
	// Separates the module part from the element part of a module path.
	static constexpr TCHAR ModuleNameSuffixChar = TEXT(':');

	FRigHierarchyModulePath() = default;
	explicit FRigHierarchyModulePath(const FString& InPath) : Path(InPath) {}
	explicit FRigHierarchyModulePath(const FName& InPath) : Path(InPath.ToString()) {}
	FRigHierarchyModulePath(const FString& InModuleName, const FString& InElementName);

	const FString& GetPath() const { return Path; }
	bool IsValid() const { return !Path.IsEmpty(); }

	// True when the path has a non-empty module part. The last separator splits, so nested module names stay in
	// the module part. Either output may be null.
	bool Split(FString* OutModuleName, FString* OutElementName) const;

	FString GetModuleName() const;
	FString GetElementName() const;

private:
	FString Path;
};
