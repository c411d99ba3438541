// The registry of asset readers.
#include "QVRig/RigAssetRegistry.h"

FQVRigAssetRegistry& FQVRigAssetRegistry::Get()
{
	static FQVRigAssetRegistry Registry;
	return Registry;
}

void FQVRigAssetRegistry::Register(const FName& InClassName, FQVRigAssetReadFunction InRead)
{
	Readers.Add(InClassName, MoveTemp(InRead));
}

const FQVRigAssetReadFunction* FQVRigAssetRegistry::Find(const FName& InClassName) const
{
	return Readers.Find(InClassName);
}

TArray<FName> FQVRigAssetRegistry::GetClassNames() const
{
	TArray<FName> Names;
	for (const auto& Pair : Readers)
	{
		Names.Add(Pair.Key);
	}
	return Names;
}
