// Reading the elements of a rig file into a hierarchy.
#include "QVRig/ElementReader.h"

#include "QVRig/ControlValueJson.h"
#include "QVRig/ElementNames.h"
#include "QVHost/RigHierarchyAccess.h"
#include "QVJson/JsonShapes.h"
#include "Rigs/RigHierarchyController.h"

namespace
{
class FElementListReader
{
public:
	FElementListReader(const FQVJsonValue& InElements, URigHierarchy& InHierarchy)
		: Elements(InElements), Hierarchy(InHierarchy), Controller(*InHierarchy.GetController())
	{
	}

	void ReadAll()
	{
		const int32 Count = Elements.ExpectArray(TEXT("an array of elements"));
		// Large rigs would otherwise move the hierarchy's pose storage at every growth.
		QVHost::FRigHierarchyAccess::ReserveElements(Hierarchy, Hierarchy.Num() + Count);
		for (int32 Index = 0; Index < Count; ++Index)
		{
			ReadElement(Elements.At(Index), Index);
		}
	}

private:
	void ReadElement(const FQVJsonValue& InElement, int32 InIndex)
	{
		InElement.ExpectAnyObject();
		const ERigElementType Type = FQVJsonShapes::ReadElementType(InElement.Get(TEXT("type")));
		// Only controls have an animation type; on other elements the key is reported as unknown below.
		const TOptional<FQVJsonValue> AnimationTypeValue =
			Type == ERigElementType::Control ? InElement.Find(TEXT("animationType")) : TOptional<FQVJsonValue>();
		const ERigControlAnimationType AnimationType = AnimationTypeValue.IsSet()
			? FQVControlValueJson::ReadAnimationType(*AnimationTypeValue)
			: ERigControlAnimationType::AnimationControl;
		const bool bChannel =
			Type == ERigElementType::Control && AnimationType == ERigControlAnimationType::AnimationChannel;

		if (Type != ERigElementType::Control)
		{
			InElement.ExpectObject({TEXT("type"), TEXT("name"), TEXT("parent"), TEXT("transform"), TEXT("space")});
		}
		else if (bChannel)
		{
			InElement.ExpectObject({TEXT("type"), TEXT("name"), TEXT("parent"), TEXT("controlType"),
				TEXT("animationType"), TEXT("primaryAxis"), TEXT("value"), TEXT("displayName")});
		}
		else
		{
			InElement.ExpectObject({TEXT("type"), TEXT("name"), TEXT("parent"), TEXT("controlType"),
				TEXT("animationType"), TEXT("primaryAxis"), TEXT("value"), TEXT("offset"), TEXT("shape"),
				TEXT("displayName"), TEXT("visible"), TEXT("space")});
		}

		const FQVJsonValue NameValue = InElement.Get(TEXT("name"));
		const FRigElementKey Key(NameValue.AsName(), Type);
		if (const int32* Previous = FileIndices.Find(Key))
		{
			NameValue.Fail(FString::Printf(TEXT("duplicate name: a %s named '%s' is already defined at elements[%d]"),
				*FQVJsonShapes::ElementTypeWord(Type), *Hierarchy.GetKey(Hierarchy.GetIndex(Key)).Name.ToString(),
				*Previous));
		}

		const TOptional<FQVJsonValue> ParentValue = InElement.Find(TEXT("parent"));
		const FRigElementKey Parent = ParentValue.IsSet() ? ReadParent(*ParentValue, InIndex) : FRigElementKey();
		const bool bGlobal = ReadSpace(InElement);

		FRigElementKey Added;
		if (Type == ERigElementType::Control)
		{
			Added = AddControl(InElement, Key.Name, Parent, AnimationType, bGlobal);
		}
		else
		{
			const TOptional<FQVJsonValue> TransformValue = InElement.Find(TEXT("transform"));
			const FTransform Transform =
				TransformValue.IsSet() ? FQVJsonShapes::ReadTransform(*TransformValue) : FTransform::Identity;
			Added = Type == ERigElementType::Bone ? Controller.AddBone(Key.Name, Parent, Transform, bGlobal)
												  : Controller.AddNull(Key.Name, Parent, Transform, bGlobal);
		}
		// Names were checked above, so the controller keeps the name as written.
		check(Added == Key);
		FileIndices.Add(Key, InIndex);
	}

	FRigElementKey AddControl(const FQVJsonValue& InElement, const FName& InName, const FRigElementKey& InParent,
		ERigControlAnimationType InAnimationType, bool bInOffsetInGlobal)
	{
		FRigControlSettings Settings;
		Settings.ControlType = FQVControlValueJson::ReadControlType(InElement.Get(TEXT("controlType")));
		Settings.AnimationType = InAnimationType;
		if (const TOptional<FQVJsonValue> Axis = InElement.Find(TEXT("primaryAxis")))
		{
			Settings.PrimaryAxis = FQVControlValueJson::ReadAxis(*Axis);
		}
		if (const TOptional<FQVJsonValue> DisplayName = InElement.Find(TEXT("displayName")))
		{
			Settings.DisplayName = FName(DisplayName->AsString());
		}
		if (const TOptional<FQVJsonValue> Visible = InElement.Find(TEXT("visible")))
		{
			Settings.bShapeVisible = Visible->AsBool();
		}
		const TOptional<FQVJsonValue> ValueJson = InElement.Find(TEXT("value"));
		const FRigControlValue Value = ValueJson.IsSet() ? FQVControlValueJson::Read(*ValueJson, Settings.ControlType)
														 : FQVControlValueJson::MakeDefault(Settings.ControlType);

		if (InAnimationType == ERigControlAnimationType::AnimationChannel)
		{
			if (InParent.Type != ERigElementType::Control)
			{
				const TOptional<FQVJsonValue> ParentValue = InElement.Find(TEXT("parent"));
				(ParentValue.IsSet() ? *ParentValue : InElement)
					.Fail(InParent.IsValid()
							? FString::Printf(TEXT("an animation channel must sit below a control, not below a %s"),
								  *FQVElementNames::Describe(InParent))
							: FString(TEXT("an animation channel must sit below a control; give it a parent")));
			}
			const FRigElementKey Channel = Controller.AddAnimationChannel(InName, InParent, Settings);
			Hierarchy.SetControlValue(Channel, Value, ERigControlValueType::Initial);
			Hierarchy.SetControlValue(Channel, Value, ERigControlValueType::Current);
			return Channel;
		}

		FTransform Offset = FTransform::Identity;
		if (const TOptional<FQVJsonValue> OffsetValue = InElement.Find(TEXT("offset")))
		{
			Offset = FQVJsonShapes::ReadTransform(*OffsetValue);
			if (bInOffsetInGlobal)
			{
				Offset = Offset.GetRelativeTransform(Hierarchy.GetGlobalTransform(InParent, true));
			}
		}
		const TOptional<FQVJsonValue> ShapeValue = InElement.Find(TEXT("shape"));
		const FTransform Shape = ShapeValue.IsSet() ? FQVJsonShapes::ReadTransform(*ShapeValue) : FTransform::Identity;
		return Controller.AddControl(InName, InParent, Settings, Value, Offset, Shape);
	}

	static bool ReadSpace(const FQVJsonValue& InElement)
	{
		static const TArray<FString> Spaces = {TEXT("local"), TEXT("global")};
		const TOptional<FQVJsonValue> Space = InElement.Find(TEXT("space"));
		return Space.IsSet() && Space->AsChoice(Spaces) == 1;
	}

	// A bare name must name exactly one element defined so far; a key object names its type.
	FRigElementKey ReadParent(const FQVJsonValue& InParent, int32 InIndex) const
	{
		if (InParent.IsObject())
		{
			const FRigElementKey Key = FQVJsonShapes::ReadElementKey(InParent);
			if (!Hierarchy.Contains(Key))
			{
				InParent.Fail(FString::Printf(TEXT("the parent %s is not defined%s"), *FQVElementNames::Describe(Key),
					*LaterDefinitionHint(Key.Name, InIndex)));
			}
			return Key;
		}
		if (!InParent.IsString())
		{
			InParent.FailExpected(TEXT("a parent name or a key { \"type\", \"name\" }"));
		}
		const FName Name = InParent.AsName();
		const TArray<FRigElementKey> Found = FQVElementNames::FindByName(Hierarchy, Name);
		if (Found.IsEmpty())
		{
			InParent.Fail(FString::Printf(
				TEXT("no element named '%s' is defined%s"), *Name.ToString(), *LaterDefinitionHint(Name, InIndex)));
		}
		if (Found.Num() > 1)
		{
			InParent.Fail(FString::Printf(
				TEXT("the parent name '%s' is ambiguous: it names %s; use a key { \"type\", \"name\" }"),
				*Name.ToString(),
				*FString::JoinBy(
					Found, TEXT(" and "), [](const FRigElementKey& Key) { return FQVElementNames::Describe(Key); })));
		}
		return Found[0];
	}

	// Parents must come first; say so when the missing parent appears further down the list.
	FString LaterDefinitionHint(const FName& InName, int32 InIndex) const
	{
		for (int32 Later = InIndex + 1; Later < Elements.Num(); ++Later)
		{
			const FQVJson& Element = Elements.At(Later).GetJson();
			const auto Name = Element.is_object() ? Element.find("name") : Element.end();
			if (Name != Element.end() && Name->is_string() && FName(Name->get<std::string>().c_str()) == InName)
			{
				return FString::Printf(TEXT(" before this element (it is at elements[%d]; list parents before "
											"their children)"),
					Later);
			}
		}
		return FString(TEXT(" before this element"));
	}

	const FQVJsonValue& Elements;
	URigHierarchy& Hierarchy;
	URigHierarchyController& Controller;
	TMap<FRigElementKey, int32> FileIndices;
};
} // namespace

void FQVElementReader::Read(const FQVJsonValue& InElements, URigHierarchy& InHierarchy)
{
	FElementListReader(InElements, InHierarchy).ReadAll();
}
