// The checkers' view of one node: paths, pin tracks, element look-ups and findings.
#include "QVRig/UnitCheck.h"

#include "QVJson/JsonShapes.h"
#include "QVRig/ElementNames.h"
#include "UObject/UnrealType.h"

namespace
{
// "bone", "bone or null", "bone, null or control"
FString JoinTypeWords(TConstArrayView<ERigElementType> InTypes)
{
	FString Words;
	for (int32 Index = 0; Index < InTypes.Num(); ++Index)
	{
		if (Index > 0)
		{
			Words += Index + 1 == InTypes.Num() ? TEXT(" or ") : TEXT(", ");
		}
		Words += FQVJsonShapes::ElementTypeWord(InTypes[Index]);
	}
	return Words;
}
} // namespace

FQVUnitCheck::FQVUnitCheck(
	const FQVRig& InRig, int32 InNodeIndex, TSet<const UObject*>& InCheckedAssets, TArray<FQVCheckFinding>& OutFindings)
	: Rig(InRig), NodeIndex(InNodeIndex), CheckedAssets(InCheckedAssets), Findings(OutFindings)
{
}

FQVCheckSource FQVUnitCheck::NodeSource() const
{
	return {FString(), FString::Printf(TEXT("graph[%d]"), NodeIndex)};
}

FQVCheckSource FQVUnitCheck::PinSource(const TCHAR* InPin) const
{
	return NodeSource().Member(TEXT("pins")).Member(InPin);
}

FQVCheckSource FQVUnitCheck::AssetSource(const UObject& InAsset) const
{
	const FName Id = Rig.GetAssets().FindId(&InAsset);
	const FString File = Rig.GetAssets().GetFile(Id);
	return File.IsEmpty() ? FQVCheckSource{FString(), FString::Printf(TEXT("assets.%s.data"), *Id.ToString())}
						  : FQVCheckSource{File, FString()};
}

bool FQVUnitCheck::ClaimAsset(const UObject& InAsset)
{
	bool bAlreadyChecked = false;
	CheckedAssets.Add(&InAsset, &bAlreadyChecked);
	return !bAlreadyChecked;
}

bool FQVUnitCheck::IsPinAnimated(const TCHAR* InPin) const
{
	const FName Pin(InPin);
	for (const FQVPinTrack& Track : Rig.GetAnimation().PinTracks)
	{
		if (Track.NodeIndex == NodeIndex && Track.Pin->GetFName() == Pin)
		{
			return true;
		}
	}
	return false;
}

void FQVUnitCheck::Problem(const FQVCheckSource& InSource, const FString& InMessage)
{
	Report(EQVCheckSeverity::Problem, InSource, InMessage);
}

void FQVUnitCheck::Note(const FQVCheckSource& InSource, const FString& InMessage)
{
	Report(EQVCheckSeverity::Note, InSource, InMessage);
}

void FQVUnitCheck::Report(EQVCheckSeverity InSeverity, const FQVCheckSource& InSource, const FString& InMessage)
{
	Findings.Add({InSeverity, NodeIndex, InSource, InMessage});
}

const FRigBaseElement* FQVUnitCheck::Find(const FRigElementKey& InKey) const
{
	return InKey.Name.IsNone() ? nullptr : GetHierarchy().Find(InKey);
}

const FRigControlElement* FQVUnitCheck::FindControl(const FName& InName) const
{
	return Cast<FRigControlElement>(Find(ControlKey(InName)));
}

FString FQVUnitCheck::DescribeMissing(const FName& InName, std::initializer_list<ERigElementType> InTypes) const
{
	if (InName.IsNone())
	{
		return TEXT("is not set (None)");
	}
	const TConstArrayView<ERigElementType> Types(InTypes.begin(), int32(InTypes.size()));
	FString Description = FString::Printf(TEXT("no %s is named '%s'"), *JoinTypeWords(Types), *InName.ToString());
	TArray<ERigElementType> OtherTypes;
	for (const FRigElementKey& Other : FQVElementNames::FindByName(GetHierarchy(), InName))
	{
		OtherTypes.Add(Other.Type);
	}
	if (!OtherTypes.IsEmpty())
	{
		Description += FString::Printf(TEXT(" (a %s is, and the name is looked up as a %s only)"),
			*JoinTypeWords(OtherTypes), *JoinTypeWords(Types));
	}
	return Description;
}

bool FQVUnitCheck::Require(const FQVCheckSource& InSource, const FRigElementKey& InKey, const FString& InConsequence)
{
	if (Find(InKey) != nullptr)
	{
		return true;
	}
	Problem(InSource, DescribeMissing(InKey.Name, {InKey.Type}) + TEXT(": ") + InConsequence);
	return false;
}

bool FQVUnitCheck::RequireIfSet(
	const FQVCheckSource& InSource, const FRigElementKey& InKey, const FString& InConsequence)
{
	return !InKey.Name.IsNone() && Require(InSource, InKey, InConsequence);
}
