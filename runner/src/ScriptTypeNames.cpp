// Script package names of the types rig files name.
#include "QVRig/ScriptTypeNames.h"

const TCHAR* const FQVScriptTypeNames::DefaultPackage = TEXT("/Script/QuorvelUnreal");

FString FQVScriptTypeNames::GetPackage(const FString& InName)
{
	FString Package;
	return InName.Split(TEXT("."), &Package, nullptr) ? Package : FString(DefaultPackage);
}
