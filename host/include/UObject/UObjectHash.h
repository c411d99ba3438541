// Listing objects by outer or by class.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UClass;

// The objects whose outer is Outer (and, with nested objects, whose outer chain reaches it), in creation order.
// Listing a script package first makes every type that registered in it at start-up.
void GetObjectsWithOuter(const UObject* Outer, TArray<UObject*>& Results, bool bIncludeNestedObjects = true);
void ForEachObjectWithOuter(
	const UObject* Outer, TFunctionRef<void(UObject*)> Operation, bool bIncludeNestedObjects = true);

// The objects of the class, with or without its subclasses, in creation order.
void GetObjectsOfClass(const UClass* ClassToLookFor, TArray<UObject*>& Results, bool bIncludeDerivedClasses = true);
