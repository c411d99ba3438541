// Module paths: splitting "Module/Element" (or the former "Module:Element") into its parts.
#include "Rigs/RigHierarchyDefines.h"

namespace
{
// The index of the separator that splits InPath: the last '/', else the last ':'; INDEX_NONE for paths shorter
// than three characters or without either separator.
int32 FindSeparator(const FString& InPath)
{
	int32 SeparatorIndex = INDEX_NONE;
	if (InPath.Len() >= 3)
	{
		if (InPath.FindLastChar(FRigHierarchyModulePath::ModuleNameSuffixChar, SeparatorIndex))
		{
			return SeparatorIndex;
		}
		if (InPath.FindLastChar(FRigHierarchyModulePath::NamespaceSeparatorChar_Deprecated, SeparatorIndex))
		{
			return SeparatorIndex;
		}
	}
	return INDEX_NONE;
}

// True when the last InSeparator splits InPath into non-empty parts.
bool SplitsWith(const FString& InPath, TCHAR InSeparator)
{
	int32 SeparatorIndex = INDEX_NONE;
	return InPath.Len() >= 3 && InPath.FindLastChar(InSeparator, SeparatorIndex) && SeparatorIndex > 0 &&
		SeparatorIndex < InPath.Len() - 1;
}
} // namespace

bool FRigHierarchyModulePath::IsValid() const
{
	return !IsEmpty() && (UsesNameSpaceFormat() || UsesModuleNameFormat());
}

bool FRigHierarchyModulePath::UsesNameSpaceFormat() const
{
	return SplitsWith(ModulePath, NamespaceSeparatorChar_Deprecated);
}

bool FRigHierarchyModulePath::UsesModuleNameFormat() const
{
	return SplitsWith(ModulePath, ModuleNameSuffixChar);
}

FStringView FRigHierarchyModulePath::GetModuleName() const
{
	const int32 SeparatorIndex = FindSeparator(ModulePath);
	return SeparatorIndex == INDEX_NONE ? FStringView() : FStringView(ModulePath).Left(SeparatorIndex);
}

const FString& FRigHierarchyModulePath::GetModuleNameString() const
{
	if (!CachedModuleNameString.IsSet())
	{
		CachedModuleNameString = FString(GetModuleName());
	}
	return CachedModuleNameString.GetValue();
}

FStringView FRigHierarchyModulePath::GetElementName() const
{
	const int32 SeparatorIndex = FindSeparator(ModulePath);
	return SeparatorIndex == INDEX_NONE ? FStringView() : FStringView(ModulePath).Mid(SeparatorIndex + 1);
}

const FString& FRigHierarchyModulePath::GetElementNameString() const
{
	if (!CachedElementNameString.IsSet())
	{
		CachedElementNameString = FString(GetElementName());
	}
	return CachedElementNameString.GetValue();
}

FRigHierarchyModulePath FRigHierarchyModulePath::Join(const FString& InModuleName, const FString& InElementName)
{
	if (InModuleName.IsEmpty() || InElementName.IsEmpty())
	{
		return FRigHierarchyModulePath();
	}
	if (InModuleName.EndsWith(ModuleNameSuffix))
	{
		return FRigHierarchyModulePath(InModuleName + InElementName);
	}
	FRigHierarchyModulePath Result(InModuleName + ModuleNameSuffix + InElementName);
	Result.CachedModuleNameString = InModuleName;
	Result.CachedElementNameString = InElementName;
	return Result;
}

FRigHierarchyModulePath FRigHierarchyModulePath::Join(const FName& InModuleFName, const FName& InElementFName)
{
	if (InModuleFName.IsNone() || InElementFName.IsNone())
	{
		return FRigHierarchyModulePath();
	}
	return Join(InModuleFName.ToString(), InElementFName.ToString());
}

bool FRigHierarchyModulePath::Split(FStringView* OutModuleName, FStringView* OutElementName) const
{
	if (CachedModuleNameString.IsSet() && CachedElementNameString.IsSet())
	{
		if (OutModuleName)
		{
			*OutModuleName = CachedModuleNameString.GetValue();
		}
		if (OutElementName)
		{
			*OutElementName = CachedElementNameString.GetValue();
		}
		return true;
	}

	const int32 SeparatorIndex = FindSeparator(ModulePath);
	if (SeparatorIndex == INDEX_NONE)
	{
		return false;
	}
	if (OutModuleName)
	{
		*OutModuleName = FStringView(ModulePath).Left(SeparatorIndex);
	}
	if (OutElementName)
	{
		*OutElementName = FStringView(ModulePath).Mid(SeparatorIndex + 1);
	}
	return true;
}

bool FRigHierarchyModulePath::Split(FString* OutModuleName, FString* OutElementName) const
{
	FStringView ModuleName, ElementName;
	if (!Split(&ModuleName, &ElementName))
	{
		return false;
	}
	if (OutModuleName)
	{
		*OutModuleName = FString(ModuleName);
	}
	if (OutElementName)
	{
		*OutElementName = FString(ElementName);
	}
	return true;
}
