// Listing objects by outer or by class.
#include "UObject/UObjectHash.h"

#include "ObjectRegistry.h"
#include "UObject/Class.h"

namespace
{
bool IsInOuter(const UObject* Object, const UObject* Outer, bool bIncludeNestedObjects)
{
	for (const UObject* Current = Object->GetOuter(); Current != nullptr; Current = Current->GetOuter())
	{
		if (Current == Outer)
		{
			return true;
		}
		if (!bIncludeNestedObjects)
		{
			break;
		}
	}
	return false;
}
} // namespace

void ForEachObjectWithOuter(const UObject* Outer, TFunctionRef<void(UObject*)> Operation, bool bIncludeNestedObjects)
{
	FUObjectRegistry& Registry = FUObjectRegistry::Get();
	if (Outer != nullptr && Outer->GetOuter() == nullptr)
	{
		Registry.RegisterPendingTypes(Outer->GetFName());
	}
	Registry.ForEachObject(
		[&](UObject* Object)
		{
			if (IsInOuter(Object, Outer, bIncludeNestedObjects))
			{
				Operation(Object);
			}
		});
}

void GetObjectsWithOuter(const UObject* Outer, TArray<UObject*>& Results, bool bIncludeNestedObjects)
{
	ForEachObjectWithOuter(
		Outer, [&Results](UObject* Object) { Results.Add(Object); }, bIncludeNestedObjects);
}

void GetObjectsOfClass(const UClass* ClassToLookFor, TArray<UObject*>& Results, bool bIncludeDerivedClasses)
{
	FUObjectRegistry::Get().ForEachObject(
		[&](UObject* Object)
		{
			if (bIncludeDerivedClasses ? Object->IsA(ClassToLookFor) : Object->GetClass() == ClassToLookFor)
			{
				Results.Add(Object);
			}
		});
}
