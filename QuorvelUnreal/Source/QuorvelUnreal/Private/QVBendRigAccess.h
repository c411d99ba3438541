// How the bend solver reaches the rig hierarchy: elements by key, transforms read and written by element type and
// name, and the names of the support elements it shares with the rig builder.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"

namespace QVBendRigAccess
{
// The transform element of that type and name; null when the name is None, nothing has that key, or the element
// found carries no transform.
FRigTransformElement* FindTransformElement(URigHierarchy& Hierarchy, const FName& Name, ERigElementType Type);

// The element's transform of that type; the identity when the element is missing.
FTransform ReadTransform(
	URigHierarchy& Hierarchy, const FName& Name, ERigElementType Type, ERigTransformType::Type TransformType);

// A control's current local transform (its value, relative to its offset); the identity for None or a missing one.
FTransform ReadControlLocal(URigHierarchy& Hierarchy, const FName& Control);

// Writes a null's current global transform, carrying its children along; a missing null is left alone.
void WriteNullGlobal(URigHierarchy& Hierarchy, const FName& Null, const FTransform& Transform);
} // namespace QVBendRigAccess

// Names of the support elements: the pose record "QVBendBase_" + bone and the parent-control space
// "QVBendSpace_" + control, each the prefix joined with the name's text and made into a name again.
class FQVBendSupportNames
{
public:
	FName PoseRecord(const FName& Bone) { return Join(TEXT("QVBendBase_"), Bone); }
	FName ParentControlSpace(const FName& Control) { return Join(TEXT("QVBendSpace_"), Control); }

private:
	FName Join(const TCHAR* Prefix, const FName& Name);

	// Reused for every name of one evaluation, so joining allocates once.
	FString Text;
};
