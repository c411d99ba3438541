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

// Set-driven-key drivers and their driven channels, and direct controls.
void QVCheckFaceRows(FQVFaceAssetCheck& FaceCheck);

// Regions, proxies, layered eyes, aim bindings, follow controls and visibility groups.
void QVCheckFaceLayers(FQVFaceAssetCheck& FaceCheck);
