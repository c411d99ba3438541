// FRigVMPropertyPath: the steps from a memory handle's memory to a pin's memory inside it (struct members and
// array elements), followed when the handle's data is read.
#pragma once

#include "CoreMinimal.h"

class FProperty;

enum class ERigVMPropertyPathSegmentType : uint8
{
	// Moves to the member (Property) of the struct at hand.
	StructMember,
	// Moves to element Index of the array (Property, an FArrayProperty) at hand.
	ArrayElement,
};

struct FRigVMPropertyPathSegment
{
	ERigVMPropertyPathSegmentType Type = ERigVMPropertyPathSegmentType::StructMember;
	FName Name;
	int32 Index = INDEX_NONE;
	const FProperty* Property = nullptr;
};

class FRigVMPropertyPath
{
public:
	FRigVMPropertyPath() = default;
	explicit FRigVMPropertyPath(const TArray<FRigVMPropertyPathSegment>& InSegments) : Segments(InSegments) {}
	// From the property of the handle's memory and a path such as "Translation.X" or "Items.2.Name"; a path that
	// does not resolve gives an invalid (empty) path.
	RIGVM_API FRigVMPropertyPath(const FProperty* InRootProperty, const FString& InSegmentPath);

	bool IsValid() const { return Segments.Num() > 0; }
	bool IsEmpty() const { return Segments.IsEmpty(); }
	int32 Num() const { return Segments.Num(); }
	const FRigVMPropertyPathSegment& operator[](int32 Index) const { return Segments[Index]; }

	// The memory the path leads to from InPtr; null when an array index is out of range.
	template <typename T> T* GetData(uint8* InPtr) const { return reinterpret_cast<T*>(GetData_Internal(InPtr)); }

private:
	RIGVM_API uint8* GetData_Internal(uint8* InPtr) const;

	TArray<FRigVMPropertyPathSegment> Segments;
};
