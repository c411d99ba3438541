// Checking a rig node by node, each with the checker of its unit kind.
#include "QVRig/RigCheck.h"

#include "QVRig/UnitCheck.h"
#include "QVRig/UnitCheckers.h"
#include "UObject/Class.h"

FQVCheckSource FQVCheckSource::Item(int32 InIndex) const
{
	return {File, FString::Printf(TEXT("%s[%d]"), *Path, InIndex)};
}

FQVCheckSource FQVCheckSource::Member(const TCHAR* InMember) const
{
	return {File, Path.IsEmpty() ? FString(InMember) : FString::Printf(TEXT("%s.%s"), *Path, InMember)};
}

TArray<FQVCheckFinding> FQVRigCheck::Check(const FQVRig& InRig)
{
	TArray<FQVCheckFinding> Findings;
	TSet<const UObject*> CheckedAssets;
	for (int32 NodeIndex = 0; NodeIndex < InRig.GetNodes().Num(); ++NodeIndex)
	{
		FQVUnitCheck Check(InRig, NodeIndex, CheckedAssets, Findings);
		const UScriptStruct& Struct = *Check.GetNode().GetStruct();
		if (const FQVUnitCheckerFunction Checker = FQVUnitCheckers::Find(Struct))
		{
			Checker(Check);
		}
		else
		{
			Check.Note(Check.NodeSource(),
				FString::Printf(TEXT("%s has no checker: nothing it names is checked"), *Struct.GetName()));
		}
	}
	return Findings;
}
