// Writing reflected properties as JSON.
#include "QVJson/ReflectedJsonWriter.h"

#include "QVJson/JsonShapes.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

namespace
{
using FStructWriteFunction = FQVJson (*)(const void* InValue);

template <typename T, FQVJson (*Write)(const T&)> FQVJson WriteFrom(const void* InValue)
{
	return Write(*static_cast<const T*>(InValue));
}

// Engine structs with a file shape of their own, by struct name, matching the reader's table.
const TMap<FName, FStructWriteFunction>& GetStructWriters()
{
	static const TMap<FName, FStructWriteFunction> Writers = {
		{FName(TEXT("RigElementKey")), &WriteFrom<FRigElementKey, &FQVJsonShapes::WriteElementKey>},
		{FName(TEXT("Vector")), &WriteFrom<FVector, &FQVJsonShapes::WriteVector>},
		{FName(TEXT("Vector2D")), &WriteFrom<FVector2D, &FQVJsonShapes::WriteVector2D>},
		{FName(TEXT("Rotator")), &WriteFrom<FRotator, &FQVJsonShapes::WriteRotator>},
		{FName(TEXT("Quat")), &WriteFrom<FQuat, &FQVJsonShapes::WriteQuat>},
		{FName(TEXT("Transform")), &WriteFrom<FTransform, &FQVJsonShapes::WriteTransform>},
		{FName(TEXT("EulerTransform")), &WriteFrom<FEulerTransform, &FQVJsonShapes::WriteEulerTransform>},
		{FName(TEXT("LinearColor")), &WriteFrom<FLinearColor, &FQVJsonShapes::WriteLinearColor>},
	};
	return Writers;
}

FQVJson WriteEnumerator(const UEnum& InEnum, int64 InValue)
{
	const FString Name = InEnum.GetNameStringByValue(InValue);
	// A value no enumerator has stays a number, so nothing is lost; reading it back reports it.
	return Name.IsEmpty() ? FQVJson(InValue) : FQVJson(std::string(*Name));
}

FQVJson WriteNumeric(const FNumericProperty& InProperty, const void* InValuePtr)
{
	if (const UEnum* Enum = InProperty.GetIntPropertyEnum())
	{
		return WriteEnumerator(*Enum, InProperty.GetSignedIntPropertyValue(InValuePtr));
	}
	if (InProperty.IsFloatingPoint())
	{
		return FQVJsonShapes::WriteNumber(InProperty.GetFloatingPointPropertyValue(InValuePtr));
	}
	if (CastField<FUInt64Property>(&InProperty) != nullptr)
	{
		return FQVJson(static_cast<uint64>(InProperty.GetSignedIntPropertyValue(InValuePtr)));
	}
	return FQVJson(InProperty.GetSignedIntPropertyValue(InValuePtr));
}
} // namespace

FQVJson FQVReflectedJsonWriter::WriteValue(const FProperty& InProperty, const void* InValuePtr)
{
	if (CastField<FBoolProperty>(&InProperty) != nullptr)
	{
		return FQVJson(FBoolProperty::GetPropertyValue(InValuePtr));
	}
	if (const FNumericProperty* Numeric = CastField<FNumericProperty>(&InProperty))
	{
		return WriteNumeric(*Numeric, InValuePtr);
	}
	if (const FEnumProperty* Enum = CastField<FEnumProperty>(&InProperty))
	{
		return WriteEnumerator(*Enum->GetEnum(), Enum->GetUnderlyingProperty()->GetSignedIntPropertyValue(InValuePtr));
	}
	if (CastField<FNameProperty>(&InProperty) != nullptr)
	{
		return FQVJson(std::string(*static_cast<const FName*>(InValuePtr)->ToString()));
	}
	if (CastField<FStrProperty>(&InProperty) != nullptr)
	{
		return FQVJson(std::string(**static_cast<const FString*>(InValuePtr)));
	}
	if (const FStructProperty* Struct = CastField<FStructProperty>(&InProperty))
	{
		const FStructWriteFunction* Write = GetStructWriters().Find(Struct->Struct->GetFName());
		return Write != nullptr ? (*Write)(InValuePtr) : WriteStructFields(*Struct->Struct, InValuePtr);
	}
	if (const FArrayProperty* Array = CastField<FArrayProperty>(&InProperty))
	{
		FScriptArrayHelper Helper(Array, InValuePtr);
		FQVJson Items = FQVJson::array();
		for (int32 Index = 0; Index < Helper.Num(); ++Index)
		{
			Items.push_back(WriteValue(*Array->Inner, Helper.GetRawPtr(Index)));
		}
		return Items;
	}
	if (const FObjectProperty* Object = CastField<FObjectProperty>(&InProperty))
	{
		const UObject* Referenced = Object->GetObjectPropertyValue(InValuePtr);
		return Referenced != nullptr ? FQVJson(std::string(*Referenced->GetName())) : FQVJson(nullptr);
	}
	// A property kind without a file shape: write nothing rather than something unreadable.
	return FQVJson(nullptr);
}

FQVJson FQVReflectedJsonWriter::WriteStructFields(const UStruct& InStruct, const void* InStructPtr)
{
	FQVJson Fields = FQVJson::object();
	for (TFieldIterator<FProperty> It(&InStruct); It; ++It)
	{
		Fields[std::string(*It->GetName())] = WriteValue(**It, It->ContainerPtrToValuePtr<void>(InStructPtr));
	}
	return Fields;
}
