// Reflected types as rig files name them: a bare name in the plug-in's script package, or a full object path
// "/Script/Module.Name" for a type of another module.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

struct FQVScriptTypeNames
{
	// The script package a bare name is looked up in.
	static const TCHAR* const DefaultPackage;

	// The package InName is looked up in: the path before its dot, or the default package for a bare name.
	static FString GetPackage(const FString& InName);

	// The registered type (UScriptStruct, UClass) InName gives, or null.
	template <typename T> static const T* Find(const FString& InName)
	{
		if (InName.Contains(TEXT(".")))
		{
			return FindObject<T>(nullptr, *InName);
		}
		UPackage* Package = FindPackage(nullptr, DefaultPackage);
		return Package != nullptr ? FindObject<T>(Package, *InName) : nullptr;
	}
};
