// How the bend solver reaches the rig hierarchy.
#include "QVBendRigAccess.h"

namespace QVBendRigAccess
{
FRigTransformElement* FindTransformElement(URigHierarchy& Hierarchy, const FName& Name, ERigElementType Type)
{
	if (Name.IsNone())
	{
		return nullptr;
	}
	return Hierarchy.Get<FRigTransformElement>(Hierarchy.GetIndex(FRigElementKey(Name, Type), true));
}

FTransform ReadTransform(
	URigHierarchy& Hierarchy, const FName& Name, ERigElementType Type, ERigTransformType::Type TransformType)
{
	FRigTransformElement* Element = FindTransformElement(Hierarchy, Name, Type);
	return Element != nullptr ? Hierarchy.GetTransform(Element, TransformType) : FTransform::Identity;
}

FTransform ReadControlLocal(URigHierarchy& Hierarchy, const FName& Control)
{
	return ReadTransform(Hierarchy, Control, ERigElementType::Control, ERigTransformType::CurrentLocal);
}

void WriteNullGlobal(URigHierarchy& Hierarchy, const FName& Null, const FTransform& Transform)
{
	if (FRigTransformElement* Element = FindTransformElement(Hierarchy, Null, ERigElementType::Null))
	{
		Hierarchy.SetTransform(Element, Transform, ERigTransformType::CurrentGlobal, true, false, false, false);
	}
}
} // namespace QVBendRigAccess

FName FQVBendSupportNames::Join(const TCHAR* Prefix, const FName& Name)
{
	Text.Reset();
	Text += Prefix;
	Name.AppendString(Text);
	return FName(Text);
}
