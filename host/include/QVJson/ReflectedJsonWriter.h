// Writes reflected memory as JSON, generically by property kind, in the shapes FQVReflectedJsonReader reads back.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"

class FProperty;
class UObject;
class UStruct;

class FQVReflectedJsonWriter
{
public:
	// Bools, numbers (floats exactly, see FQVJsonShapes::WriteNumber), enums by enumerator name, names and strings,
	// engine structs in their file shapes, other structs as objects keyed by field name in declaration order,
	// arrays, and object references by object name (null when unset).
	static FQVJson WriteValue(const FProperty& InProperty, const void* InValuePtr);

	// Every field of the struct, in declaration order (a class's own fields before its parents').
	static FQVJson WriteStructFields(const UStruct& InStruct, const void* InStructPtr);
};
