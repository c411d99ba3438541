// Animation channels of face controls, looked up among the control's children, then by the joined name.
#include "QVFaceControlChannel.h"

#include "Rigs/RigHierarchy.h"

namespace
{
bool IsModulePathSeparator(TCHAR Character)
{
	return Character == FRigHierarchyModulePath::ModuleNameSuffixChar ||
		Character == FRigHierarchyModulePath::NamespaceSeparatorChar_Deprecated;
}

// The first animation-channel child of Control whose display name is ChannelName, or (when the channel name is a
// module path) the element part of it.
const FRigControlElement* FindChannelChild(
	const URigHierarchy& Hierarchy, const FRigBaseElement& Control, const FName& ChannelName, const TCHAR* ChannelText)
{
	bool bHasSeparator = false;
	for (const TCHAR* Character = ChannelText; *Character != 0; ++Character)
	{
		bHasSeparator = bHasSeparator || IsModulePathSeparator(*Character);
	}
	FString ElementPart;
	const bool bModulePath = bHasSeparator && FRigHierarchyModulePath(ChannelName).Split(nullptr, &ElementPart);

	for (const FRigBaseElement* Child : Hierarchy.GetChildren(&Control))
	{
		const FRigControlElement* Channel = Cast<FRigControlElement>(Child);
		if (Channel == nullptr || !Channel->IsAnimationChannel())
		{
			continue;
		}
		const FName& DisplayName = Channel->GetDisplayName();
		if (bModulePath ? DisplayName == *ElementPart : DisplayName == ChannelName)
		{
			return Channel;
		}
	}
	return nullptr;
}
} // namespace

bool QVFaceControlChannel::Resolve(
	const URigHierarchy& Hierarchy, const FName& ControlName, const FName& ChannelName, FCachedRigElement& OutChannel)
{
	if (ChannelName.IsNone())
	{
		return false;
	}

	// Names are copied to the stack rather than to strings, so resolving a channel every evaluation allocates
	// nothing. The buffer holds both names joined by a full stop.
	TCHAR Text[2 * FName::StringBufferSize];
	const uint32 ChannelLength = ChannelName.ToStringTruncate(Text, FName::StringBufferSize);

	if (const FRigControlElement* Control =
			Hierarchy.Find<FRigControlElement>(FRigElementKey(ControlName, ERigElementType::Control)))
	{
		const FRigControlElement* Channel = FindChannelChild(Hierarchy, *Control, ChannelName, Text);
		if (Channel != nullptr && OutChannel.UpdateCache(Channel->GetKey(), &Hierarchy))
		{
			return true;
		}
	}

	const uint32 ControlLength = ControlName.ToStringTruncate(Text, FName::StringBufferSize);
	const uint32 JoinedLength = ControlLength + 1 + ChannelLength;
	if (JoinedLength >= NAME_SIZE)
	{
		// Longer than any name can be, so no control has it.
		return false;
	}
	Text[ControlLength] = TEXT('.');
	ChannelName.ToStringTruncate(Text + ControlLength + 1, FName::StringBufferSize);
	const FName JoinedName(int32(JoinedLength), Text, FNAME_Find);
	return !JoinedName.IsNone() &&
		OutChannel.UpdateCache(FRigElementKey(JoinedName, ERigElementType::Control), &Hierarchy);
}
