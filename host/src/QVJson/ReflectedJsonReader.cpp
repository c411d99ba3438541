// Reading JSON into reflected properties.
#include "QVJson/ReflectedJsonReader.h"

#include "QVJson/JsonShapes.h"
#include "Rigs/RigHierarchyDefines.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

#include <cmath>
#include <limits>

namespace
{
// Engine structs with a rig file shape of their own, by struct name; every other struct reads field by field.
using FStructReadFunction = void (*)(void* OutValue, const FQVJsonValue& InValue);

template <typename T, T (*Read)(const FQVJsonValue&)> void ReadInto(void* OutValue, const FQVJsonValue& InValue)
{
	*static_cast<T*>(OutValue) = Read(InValue);
}

const TMap<FName, FStructReadFunction>& GetStructReaders()
{
	static const TMap<FName, FStructReadFunction> Readers = {
		{FName(TEXT("RigElementKey")), &ReadInto<FRigElementKey, &FQVJsonShapes::ReadElementKey>},
		{FName(TEXT("Vector")), &ReadInto<FVector, &FQVJsonShapes::ReadVector>},
		{FName(TEXT("Vector2D")), &ReadInto<FVector2D, &FQVJsonShapes::ReadVector2D>},
		{FName(TEXT("Rotator")), &ReadInto<FRotator, &FQVJsonShapes::ReadRotator>},
		{FName(TEXT("Quat")), &ReadInto<FQuat, &FQVJsonShapes::ReadQuat>},
		{FName(TEXT("Transform")),
			[](void* OutValue, const FQVJsonValue& InValue)
			{ *static_cast<FTransform*>(OutValue) = FQVJsonShapes::ReadTransform(InValue, true, true); }},
		{FName(TEXT("EulerTransform")), &ReadInto<FEulerTransform, &FQVJsonShapes::ReadEulerTransform>},
		{FName(TEXT("LinearColor")), &ReadInto<FLinearColor, &FQVJsonShapes::ReadLinearColor>},
	};
	return Readers;
}

// A whole number that fits the integer type T.
template <typename T> T ReadInteger(const FQVJsonValue& InValue)
{
	const FQVJson& Json = InValue.GetJson();
	const bool bFits = Json.is_number_unsigned()
		? Json.get<uint64>() <= static_cast<uint64>(std::numeric_limits<T>::max())
		: Json.is_number_integer() && Json.get<int64>() >= static_cast<int64>(std::numeric_limits<T>::min()) &&
			(std::numeric_limits<T>::max() > std::numeric_limits<int64>::max() ||
				Json.get<int64>() <= static_cast<int64>(std::numeric_limits<T>::max()));
	if (!bFits)
	{
		InValue.FailExpected(FString::Printf(TEXT("a whole number from %lld to %llu"),
			static_cast<long long>(std::numeric_limits<T>::min()),
			static_cast<unsigned long long>(std::numeric_limits<T>::max())));
	}
	return Json.is_number_unsigned() ? static_cast<T>(Json.get<uint64>()) : static_cast<T>(Json.get<int64>());
}

// Integers are read within the range of the property's own type.
int64 ReadIntegerFor(const FNumericProperty& InProperty, const FQVJsonValue& InValue)
{
	if (CastField<FInt8Property>(&InProperty) != nullptr)
	{
		return ReadInteger<int8>(InValue);
	}
	if (CastField<FInt16Property>(&InProperty) != nullptr)
	{
		return ReadInteger<int16>(InValue);
	}
	if (CastField<FIntProperty>(&InProperty) != nullptr)
	{
		return ReadInteger<int32>(InValue);
	}
	if (CastField<FByteProperty>(&InProperty) != nullptr)
	{
		return ReadInteger<uint8>(InValue);
	}
	if (CastField<FUInt16Property>(&InProperty) != nullptr)
	{
		return ReadInteger<uint16>(InValue);
	}
	if (CastField<FUInt32Property>(&InProperty) != nullptr)
	{
		return ReadInteger<uint32>(InValue);
	}
	if (CastField<FUInt64Property>(&InProperty) != nullptr)
	{
		// Stored back through the same bits by the property's 64-bit setter.
		return static_cast<int64>(ReadInteger<uint64>(InValue));
	}
	return ReadInteger<int64>(InValue);
}

// The enumerator's value by its short or full name. The "_MAX" entry the engine adds is not an enumerator.
int64 ReadEnumerator(const UEnum& InEnum, const FQVJsonValue& InValue)
{
	const auto IsMaxEntry = [&InEnum](int32 InIndex)
	{ return InIndex == InEnum.NumEnums() - 1 && InEnum.GetNameStringByIndex(InIndex).EndsWith(TEXT("_MAX")); };
	const int32 Index = InValue.IsString() ? InEnum.GetIndexByNameString(InValue.AsString()) : INDEX_NONE;
	if (Index == INDEX_NONE || IsMaxEntry(Index))
	{
		TArray<FString> Names;
		for (int32 Each = 0; Each < InEnum.NumEnums(); ++Each)
		{
			if (!IsMaxEntry(Each))
			{
				Names.Add(InEnum.GetNameStringByIndex(Each));
			}
		}
		if (InValue.IsString())
		{
			InValue.Fail(FString::Printf(
				TEXT("unknown value \"%s\" (expected %s)"), *InValue.AsString(), *QVJoinChoices(Names)));
		}
		InValue.FailExpected(TEXT("one of the enumerators ") + QVJoinChoices(Names));
	}
	return InEnum.GetValueByIndex(Index);
}
} // namespace

FQVReflectedJsonReader::FQVReflectedJsonReader(FObjectResolver InResolveObject)
	: ResolveObject(MoveTemp(InResolveObject))
{
}

void FQVReflectedJsonReader::ReadValue(const FProperty& InProperty, void* InValuePtr, const FQVJsonValue& InValue) const
{
	if (CastField<FBoolProperty>(&InProperty) != nullptr)
	{
		FBoolProperty::SetPropertyValue(InValuePtr, InValue.AsBool());
	}
	else if (const FNumericProperty* Numeric = CastField<FNumericProperty>(&InProperty))
	{
		if (const UEnum* Enum = Numeric->GetIntPropertyEnum())
		{
			Numeric->SetIntPropertyValue(InValuePtr, ReadEnumerator(*Enum, InValue));
		}
		else if (Numeric->IsFloatingPoint())
		{
			// NaN and the infinities are written as strings; every finite number bound for a float must fit one.
			const double Value = FQVJsonShapes::ReadNumber(InValue);
			const bool bSingle = Numeric->GetElementSize() == int32(sizeof(float));
			Numeric->SetFloatingPointPropertyValue(
				InValuePtr, bSingle && std::isfinite(Value) ? InValue.AsFloat() : Value);
		}
		else
		{
			Numeric->SetIntPropertyValue(InValuePtr, ReadIntegerFor(*Numeric, InValue));
		}
	}
	else if (const FEnumProperty* Enum = CastField<FEnumProperty>(&InProperty))
	{
		Enum->GetUnderlyingProperty()->SetIntPropertyValue(InValuePtr, ReadEnumerator(*Enum->GetEnum(), InValue));
	}
	else if (CastField<FNameProperty>(&InProperty) != nullptr)
	{
		// An empty string is None, the "not set" of names.
		*static_cast<FName*>(InValuePtr) = FName(InValue.AsString());
	}
	else if (CastField<FStrProperty>(&InProperty) != nullptr)
	{
		*static_cast<FString*>(InValuePtr) = InValue.AsString();
	}
	else if (const FStructProperty* Struct = CastField<FStructProperty>(&InProperty))
	{
		const FStructReadFunction* Read = GetStructReaders().Find(Struct->Struct->GetFName());
		if (Read != nullptr)
		{
			(*Read)(InValuePtr, InValue);
		}
		else
		{
			ReadStructFields(*Struct->Struct, InValuePtr, InValue);
		}
	}
	else if (const FArrayProperty* Array = CastField<FArrayProperty>(&InProperty))
	{
		const int32 Count = InValue.ExpectArray(TEXT("an array"));
		FScriptArrayHelper Helper(Array, InValuePtr);
		Helper.EmptyValues();
		Helper.Resize(Count);
		for (int32 Index = 0; Index < Count; ++Index)
		{
			ReadValue(*Array->Inner, Helper.GetRawPtr(Index), InValue.At(Index));
		}
	}
	else if (const FObjectProperty* Object = CastField<FObjectProperty>(&InProperty))
	{
		UObject* Asset = nullptr;
		if (!InValue.IsNull())
		{
			if (!InValue.IsString())
			{
				InValue.FailExpected(TEXT("an asset id or null"));
			}
			if (!ResolveObject)
			{
				InValue.Fail(TEXT("object references cannot be given here"));
			}
			Asset = ResolveObject(InValue);
			if (Asset != nullptr && !Asset->IsA(Object->PropertyClass))
			{
				InValue.Fail(FString::Printf(TEXT("asset '%s' is a %s, and this takes a %s"), *InValue.AsString(),
					*Asset->GetClass()->GetName(), *Object->PropertyClass->GetName()));
			}
		}
		Object->SetObjectPropertyValue(InValuePtr, Asset);
	}
	else
	{
		InValue.Fail(
			FString::Printf(TEXT("values of type %s cannot be read from a rig file"), *InProperty.GetCPPType()));
	}
}

void FQVReflectedJsonReader::ReadStructFields(
	const UStruct& InStruct, void* InStructPtr, const FQVJsonValue& InValue) const
{
	for (const TPair<FString, FQVJsonValue>& Member : InValue.GetNameKeyedMembers())
	{
		const FProperty* Field = InStruct.FindPropertyByName(FName(Member.Key));
		if (Field == nullptr)
		{
			TArray<FString> Names;
			for (TFieldIterator<FProperty> It(&InStruct); It; ++It)
			{
				Names.Add(It->GetName());
			}
			Member.Value.Fail(FString::Printf(TEXT("unknown field '%s' of %s (expected %s)"), *Member.Key,
				*InStruct.GetName(), *QVJoinChoices(Names)));
		}
		ReadValue(*Field, Field->ContainerPtrToValuePtr<void>(InStructPtr), Member.Value);
	}
}
