// Saving and loading objects' reflected fields.
#include "QVJson/ObjectJson.h"

#include "QVJson/JsonDocument.h"
#include "QVJson/ReflectedJsonWriter.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/UnrealType.h"

#include <fstream>
#include <memory>
#include <new>

namespace
{
// One field's value held apart from its object while a load is read, starting from the class default.
class FStagedField
{
public:
	FStagedField(const FProperty& InProperty, const UObject& InDefaults)
		: Property(&InProperty), Alignment(std::max<SIZE_T>(InProperty.GetMinAlignment(), alignof(void*))),
		  Memory(::operator new(SIZE_T(InProperty.GetSize()), std::align_val_t(Alignment)))
	{
		Property->InitializeValue(Memory);
		Property->CopyCompleteValue(Memory, Property->ContainerPtrToValuePtr<void>(&InDefaults));
	}
	FStagedField(const FStagedField&) = delete;
	FStagedField& operator=(const FStagedField&) = delete;
	~FStagedField()
	{
		Property->DestroyValue(Memory);
		::operator delete(Memory, std::align_val_t(Alignment));
	}

	const FProperty& GetProperty() const { return *Property; }
	void* GetValue() const { return Memory; }

private:
	const FProperty* Property;
	SIZE_T Alignment;
	void* Memory;
};

TOptional<FQVJsonError> Capture(const TFunction<void()>& InWork)
{
	try
	{
		InWork();
	}
	catch (const FQVJsonError& Error)
	{
		return Error;
	}
	return TOptional<FQVJsonError>();
}
} // namespace

FString FQVObjectJson::Save(const UObject& InObject)
{
	const FQVJson Fields = FQVReflectedJsonWriter::WriteStructFields(*InObject.GetClass(), &InObject);
	return FString(Fields.dump(1, '\t').c_str()) + TEXT("\n");
}

TOptional<FQVJsonError> FQVObjectJson::SaveFile(const UObject& InObject, const FString& InFilePath)
{
	std::ofstream File(*InFilePath, std::ios::binary | std::ios::trunc);
	const FString Text = Save(InObject);
	File.write(*Text, Text.Len());
	File.close();
	if (!File)
	{
		return FQVJsonError(FString(), TEXT("the file could not be written"), InFilePath);
	}
	return TOptional<FQVJsonError>();
}

void FQVObjectJson::ReadFields(
	UObject& InObject, const FQVJsonValue& InValue, FQVReflectedJsonReader::FObjectResolver InResolveObject)
{
	const UClass& Class = *InObject.GetClass();
	if (!InValue.IsObject())
	{
		InValue.FailExpected(FString::Printf(TEXT("an object with the fields of %s"), *Class.GetName()));
	}

	// Read everything into values apart from the object, so a failure leaves it untouched.
	TArray<TUniquePtr<FStagedField>> Staged;
	for (TFieldIterator<FProperty> It(&Class); It; ++It)
	{
		Staged.Add(MakeUnique<FStagedField>(**It, *Class.GetDefaultObject()));
	}
	const FQVReflectedJsonReader Reader(MoveTemp(InResolveObject));
	for (const TPair<FString, FQVJsonValue>& Member : InValue.GetNameKeyedMembers())
	{
		const FProperty* Field = Class.FindPropertyByName(FName(Member.Key));
		TUniquePtr<FStagedField>* Slot = Field ? Staged.FindByPredicate([Field](const TUniquePtr<FStagedField>& Each)
													 { return &Each->GetProperty() == Field; })
											   : nullptr;
		if (Slot == nullptr)
		{
			TArray<FString> Names;
			for (const TUniquePtr<FStagedField>& Each : Staged)
			{
				Names.Add(Each->GetProperty().GetName());
			}
			Member.Value.Fail(FString::Printf(
				TEXT("unknown field '%s' of %s (expected %s)"), *Member.Key, *Class.GetName(), *QVJoinChoices(Names)));
		}
		Reader.ReadValue(*Field, (*Slot)->GetValue(), Member.Value);
	}

	for (const TUniquePtr<FStagedField>& Each : Staged)
	{
		Each->GetProperty().CopyCompleteValue(
			Each->GetProperty().ContainerPtrToValuePtr<void>(&InObject), Each->GetValue());
	}
}

TOptional<FQVJsonError> FQVObjectJson::Load(UObject& InObject, const FString& InText)
{
	return Capture(
		[&]
		{
			const FQVJson Document = FQVJsonDocument::Parse(InText);
			ReadFields(InObject, FQVJsonValue(Document, FString()));
		});
}

TOptional<FQVJsonError> FQVObjectJson::LoadFile(UObject& InObject, const FString& InFilePath)
{
	TOptional<FQVJsonError> Error = Capture(
		[&]
		{
			const FQVJson Document = FQVJsonDocument::LoadFile(InFilePath, TEXT("an asset file"));
			ReadFields(InObject, FQVJsonValue(Document, FString()));
		});
	if (Error.IsSet())
	{
		Error->SetFileIfUnset(InFilePath);
	}
	return Error;
}
