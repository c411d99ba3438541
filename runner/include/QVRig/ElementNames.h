// Finding rig elements by the names people write: a bare name, or "type:name" when a bare name is ambiguous.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"

struct FQVElementNames
{
	// "null 'heel_l_pivot'"
	static FString Describe(const FRigElementKey& InKey);

	// The bones, nulls and controls of InHierarchy named InName (names ignore case), in that type order.
	static TArray<FRigElementKey> FindByName(const URigHierarchy& InHierarchy, const FName& InName);

	// Resolves a bare name, or "type:name", to one existing element. On failure OutError says why (no such element,
	// or a bare name shared by several types, listing them) and the result is false.
	static bool Resolve(
		const URigHierarchy& InHierarchy, const FString& InText, FRigElementKey& OutKey, FString& OutError);

	// Resolves each text as Resolve does, in order; no texts choose every bone and null, in hierarchy order. On
	// failure OutError says why and the result is false.
	static bool ResolveList(const URigHierarchy& InHierarchy, TConstArrayView<FString> InTexts,
		TArray<FRigElementKey>& OutKeys, FString& OutError);
};
