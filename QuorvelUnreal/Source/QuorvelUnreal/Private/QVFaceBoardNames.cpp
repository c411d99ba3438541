// The on-face rule for 2D controls.
#include "QVFaceBoardNames.h"

namespace
{
// Long enough for every prefix tested here and its terminator.
constexpr uint32 PrefixBufferSize = 32;

const FName& OnFaceGroupName()
{
	static const FName Name(TEXT("OnFacecontrols"));
	return Name;
}

const FName& ControlBoxName()
{
	static const FName Name(TEXT("ctrlBox"));
	return Name;
}
} // namespace

bool QVFaceBoardNames::HasPrefix(const FName& Name, const TCHAR* Prefix)
{
	const int32 PrefixLength = FCString::Strlen(Prefix);
	check(PrefixLength < int32(PrefixBufferSize));
	// Only the start of the name matters, so no more of it is copied than a prefix can span.
	TCHAR Start[PrefixBufferSize];
	const uint32 Length = Name.ToStringTruncate(Start);
	return int32(Length) >= PrefixLength && FCString::Strnicmp(Start, Prefix, PrefixLength) == 0;
}

bool QVFaceBoardNames::SettlesAncestorWalk(const FName& AncestorName)
{
	return AncestorName.IsEqual(ControlBoxName(), ENameCase::CaseSensitive) ||
		AncestorName.IsEqual(OnFaceGroupName(), ENameCase::CaseSensitive);
}

bool QVFaceBoardNames::IsOnFaceControl(const FName& ControlName, TConstArrayView<FName> AncestorNames)
{
	// The ancestors first: most of them are told by comparing names, while the control's own prefix needs its text.
	const int32 Levels = FMath::Min(AncestorNames.Num(), MaxAncestorLevels);
	for (int32 Level = 0; Level < Levels; ++Level)
	{
		const FName& Ancestor = AncestorNames[Level];
		if (Ancestor.IsEqual(ControlBoxName(), ENameCase::CaseSensitive))
		{
			break;
		}
		if (Ancestor.IsEqual(OnFaceGroupName(), ENameCase::CaseSensitive) || HasPrefix(Ancestor, TEXT("SmileFollow_")))
		{
			return true;
		}
	}
	return HasPrefix(ControlName, TEXT("SmilePull_"));
}
