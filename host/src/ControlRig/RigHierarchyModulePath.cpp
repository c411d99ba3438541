// Splitting module paths into module and element names.
#include "Rigs/RigHierarchyModulePath.h"

FRigHierarchyModulePath::FRigHierarchyModulePath(const FString& InModuleName, const FString& InElementName)
	: Path(InModuleName.IsEmpty() ? InElementName : InModuleName + ModuleNameSuffixChar + InElementName)
{
}

bool FRigHierarchyModulePath::Split(FString* OutModuleName, FString* OutElementName) const
{
	int32 SeparatorIndex = INDEX_NONE;
	if (!Path.FindLastChar(ModuleNameSuffixChar, SeparatorIndex) || SeparatorIndex == 0)
	{
		return false;
	}
	if (OutModuleName)
	{
		*OutModuleName = Path.Left(SeparatorIndex);
	}
	if (OutElementName)
	{
		*OutElementName = Path.RightChop(SeparatorIndex + 1);
	}
	return true;
}

FString FRigHierarchyModulePath::GetModuleName() const
{
	FString ModuleName;
	Split(&ModuleName, nullptr);
	return ModuleName;
}

FString FRigHierarchyModulePath::GetElementName() const
{
	FString ElementName;
	return Split(nullptr, &ElementName) ? ElementName : Path;
}
