// UPackage: the outermost object. Script packages ("/Script/QuorvelUnreal") hold a module's reflected classes,
// structs and enums; the transient package holds objects made without an outer.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"

class UPackage : public UObject
{
	DECLARE_CLASS_INTRINSIC(UPackage, UObject, CLASS_None, TEXT("/Script/CoreUObject"))
};

// The package of that name, made when it does not exist yet.
UPackage* CreatePackage(const TCHAR* PackageName);
// The package of that name, or null. A script package whose types registered at start-up exists once asked for.
UPackage* FindPackage(UObject* InOuter, const TCHAR* PackageName);
