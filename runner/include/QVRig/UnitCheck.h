// What a unit checker works with: one node of a loaded rig, its pins as the unit's struct, the rig's hierarchy and
// assets, JSON paths into the rig and asset files, and the findings it reports.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/Rig.h"
#include "QVRig/RigCheck.h"
#include "QVRig/RigNode.h"
#include "Rigs/RigHierarchy.h"

#include <initializer_list>

class FQVUnitCheck
{
public:
	FQVUnitCheck(const FQVRig& InRig, int32 InNodeIndex, TSet<const UObject*>& InCheckedAssets,
		TArray<FQVCheckFinding>& OutFindings);

	const URigHierarchy& GetHierarchy() const { return Rig.GetHierarchy(); }
	const FQVRigNode& GetNode() const { return *Rig.GetNodes()[NodeIndex]; }
	// The node's pins as the unit's struct. UnitType must be the node's struct: the one the checker is registered for.
	template <typename UnitType> const UnitType& GetUnit() const
	{
		check(GetNode().GetStruct() == UnitType::StaticStruct());
		return *reinterpret_cast<const UnitType*>(GetNode().GetMemory());
	}

	// "graph[2]"
	FQVCheckSource NodeSource() const;
	// "graph[2].pins.Segments"
	FQVCheckSource PinSource(const TCHAR* InPin) const;
	// Where the asset's fields are: the top of its asset file, or "assets.Id.data" in the rig file.
	FQVCheckSource AssetSource(const UObject& InAsset) const;
	// True the first time any node of the rig asks about InAsset: its records are checked once, not once per node.
	bool ClaimAsset(const UObject& InAsset);

	// Whether a pin track keys the pin, so that the value the file sets is only where it starts.
	bool IsPinAnimated(const TCHAR* InPin) const;

	void Problem(const FQVCheckSource& InSource, const FString& InMessage);
	void Note(const FQVCheckSource& InSource, const FString& InMessage);

	// The element InKey names, or null (always for None).
	const FRigBaseElement* Find(const FRigElementKey& InKey) const;
	// The control of that name, or null.
	const FRigControlElement* FindControl(const FName& InName) const;
	// Why no element of the types is named InName, for a message: "is not set (None)", or "no null is named 'x'",
	// adding the types that do carry the name, since units look names up by type.
	FString DescribeMissing(const FName& InName, std::initializer_list<ERigElementType> InTypes) const;
	// Whether InKey names an element; when not, a problem at InSource: why it is missing, then InConsequence (what the
	// unit does without it).
	bool Require(const FQVCheckSource& InSource, const FRigElementKey& InKey, const FString& InConsequence);
	// As Require, for an optional name: None is fine and gives false with nothing reported.
	bool RequireIfSet(const FQVCheckSource& InSource, const FRigElementKey& InKey, const FString& InConsequence);

	// Keys of the element types units look names up as.
	static FRigElementKey BoneKey(const FName& InName) { return FRigElementKey(InName, ERigElementType::Bone); }
	static FRigElementKey NullKey(const FName& InName) { return FRigElementKey(InName, ERigElementType::Null); }
	static FRigElementKey ControlKey(const FName& InName) { return FRigElementKey(InName, ERigElementType::Control); }

private:
	void Report(EQVCheckSeverity InSeverity, const FQVCheckSource& InSource, const FString& InMessage);

	const FQVRig& Rig;
	const int32 NodeIndex;
	TSet<const UObject*>& CheckedAssets;
	TArray<FQVCheckFinding>& Findings;
};
