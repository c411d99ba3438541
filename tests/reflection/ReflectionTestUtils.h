// Helpers for the reflection tests: an instance of a reflected struct made only through its struct operations.
#pragma once

#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

// Polymorphic reflected types (units) still have fixed member offsets.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

class FStructInstance
{
public:
	explicit FStructInstance(const UScriptStruct* InStruct)
		: Struct(InStruct), Memory(static_cast<uint8*>(::operator new(std::size_t(InStruct->GetStructureSize()),
								std::align_val_t(std::size_t(InStruct->GetMinAlignment())))))
	{
		Struct->InitializeStruct(Memory);
	}
	~FStructInstance()
	{
		Struct->DestroyStruct(Memory);
		::operator delete(Memory, std::align_val_t(std::size_t(Struct->GetMinAlignment())));
	}
	FStructInstance(const FStructInstance&) = delete;
	FStructInstance& operator=(const FStructInstance&) = delete;

	uint8* Get() const { return Memory; }

	// The value of the named property, which must exist and be of C++ type T.
	template <typename T> T& Value(const TCHAR* PropertyName) const
	{
		const FProperty* Property = Struct->FindPropertyByName(FName(PropertyName));
		EXPECT_NE(Property, nullptr) << PropertyName;
		return *Property->ContainerPtrToValuePtr<T>(Memory);
	}

private:
	const UScriptStruct* Struct;
	uint8* Memory;
};

// The names of a struct's properties as TFieldIterator walks them.
inline std::vector<std::string> PropertyNames(
	const UStruct* Struct, EFieldIteratorFlags::SuperClassFlags SuperFlags = EFieldIteratorFlags::IncludeSuper)
{
	std::vector<std::string> Names;
	for (TFieldIterator<FProperty> It(Struct, SuperFlags); It; ++It)
	{
		Names.push_back(*It->GetName());
	}
	return Names;
}

template <typename T> std::vector<T> ToVector(const TArray<T>& Array)
{
	return std::vector<T>(Array.begin(), Array.end());
}
