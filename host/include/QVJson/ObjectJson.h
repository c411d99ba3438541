// Objects' reflected fields as JSON files: how the standalone build stores assets such as the face rig data asset.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonError.h"
#include "QVJson/ReflectedJsonReader.h"

class UObject;

struct FQVObjectJson
{
	// The object's fields keyed by field name, in declaration order, as indented JSON text.
	static FString Save(const UObject& InObject);
	static TOptional<FQVJsonError> SaveFile(const UObject& InObject, const FString& InFilePath);

	// Fields the text leaves out take their class defaults. Malformed text (with its line and column), an unknown
	// field or a value of the wrong shape is an error naming its place, and then the object is left as it was.
	static TOptional<FQVJsonError> Load(UObject& InObject, const FString& InText);
	static TOptional<FQVJsonError> LoadFile(UObject& InObject, const FString& InFilePath);

	// As Load, from a value of an already parsed document; throws FQVJsonError. Object references, if the class
	// has any, resolve through InResolveObject.
	static void ReadFields(UObject& InObject, const FQVJsonValue& InValue,
		FQVReflectedJsonReader::FObjectResolver InResolveObject = nullptr);
};
