// StaticClass<T>(), StaticStruct<T>() and StaticEnum<T>(): the reflected type of a C++ type, for generic code.
// The generated code specialises them for every reflected type; StaticStruct falls back to TBaseStructure.
#pragma once

class UClass;
class UEnum;
class UScriptStruct;

template <typename ClassType> UClass* StaticClass()
{
	return ClassType::StaticClass();
}

// Defined in UObject/Class.h.
template <typename StructType> UScriptStruct* StaticStruct();

// Specialised for each reflected enum; there is no generic definition.
template <typename EnumType> UEnum* StaticEnum();
