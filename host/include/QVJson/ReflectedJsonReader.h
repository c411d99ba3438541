// Reads JSON into reflected memory, generically by property kind, so unit pins and asset fields need no code of
// their own.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"

class FProperty;
class UObject;
class UStruct;

class FQVReflectedJsonReader
{
public:
	// Turns an object reference's JSON (an id) into the object, or fails on the value. Null JSON never reaches it;
	// without a resolver, object references are refused.
	using FObjectResolver = TFunction<UObject*(const FQVJsonValue& InValue)>;

	explicit FQVReflectedJsonReader(FObjectResolver InResolveObject);

	// Reads InValue into the property's value at InValuePtr (the value itself, not its container). Bools, numbers,
	// enums by enumerator name, names and strings, element keys, vectors, rotators, quaternions, transforms and
	// colours in their rig file shapes, other structs as objects keyed by field name, arrays, and object references
	// through the resolver. Throws FQVJsonError naming InValue's path.
	void ReadValue(const FProperty& InProperty, void* InValuePtr, const FQVJsonValue& InValue) const;

	// Reads an object keyed by field name into the struct at InStructPtr; fields not named keep their values and an
	// unknown field is an error.
	void ReadStructFields(const UStruct& InStruct, void* InStructPtr, const FQVJsonValue& InValue) const;

private:
	FObjectResolver ResolveObject;
};
