// A face rig asset checked against the rig's hierarchy: where its records are, and the checks of the records grouped
// by the solver's phases that use them (FaceRowsCheck.cpp, FaceLayersCheck.cpp).
#pragma once

#include "CoreMinimal.h"
#include "QVFaceRigDataAsset.h"
#include "QVRig/UnitCheck.h"

struct FQVFaceAssetCheck
{
	FQVUnitCheck& Check;
	const UQVFaceRigDataAsset& Asset;
	// Where the asset's fields are.
	FQVCheckSource Source;

	// "Drivers[4]"
	FQVCheckSource Record(const TCHAR* InArray, int32 InIndex) const { return Source.Member(InArray).Item(InIndex); }
};

// A field of an asset record that names an element, and what the solver does when it names none.
template <typename RecordType> struct TQVFaceElementField
{
	const TCHAR* Field;
	FName RecordType::*Name;
	ERigElementType Type;
	const TCHAR* Consequence;
	// An optional field may be None; the element it names, when set, must resolve all the same.
	bool bOptional = false;
};

// Checks that every record's element fields resolve as their types say.
template <typename RecordType>
void QVCheckFaceElementFields(FQVFaceAssetCheck& FaceCheck, const TCHAR* InArray, const TArray<RecordType>& InRecords,
	std::initializer_list<TQVFaceElementField<RecordType>> InFields)
{
	for (int32 Index = 0; Index < InRecords.Num(); ++Index)
	{
		const FQVCheckSource Source = FaceCheck.Record(InArray, Index);
		for (const TQVFaceElementField<RecordType>& Field : InFields)
		{
			const FQVCheckSource FieldSource = Source.Member(Field.Field);
			const FRigElementKey Key(InRecords[Index].*Field.Name, Field.Type);
			if (Field.bOptional)
			{
				FaceCheck.Check.RequireIfSet(FieldSource, Key, Field.Consequence);
			}
			else
			{
				FaceCheck.Check.Require(FieldSource, Key, Field.Consequence);
			}
		}
	}
}

// Set-driven-key drivers and their driven channels, and direct controls.
void QVCheckFaceRows(FQVFaceAssetCheck& FaceCheck);

// Regions, proxies, layered eyes, aim bindings, follow controls and visibility groups.
void QVCheckFaceLayers(FQVFaceAssetCheck& FaceCheck);
