// FField: field classes, owners.
#include "UObject/Field.h"

#include "UObject/Class.h"

const FFieldClass* FField::StaticClass()
{
	static const FFieldClass Class(TEXT("Field"), nullptr);
	return &Class;
}

bool FFieldClass::IsChildOf(const FFieldClass* InClass) const
{
	for (const FFieldClass* Class = this; Class != nullptr; Class = Class->GetSuperClass())
	{
		if (Class == InClass)
		{
			return true;
		}
	}
	return false;
}

UObject* FField::GetOwnerUObject() const
{
	FFieldVariant Current = Owner;
	while (Current.ToField() != nullptr)
	{
		Current = Current.ToField()->GetOwnerVariant();
	}
	return Current.ToUObject();
}

UStruct* FField::GetOwnerStruct() const
{
	UObject* OwnerObject = GetOwnerUObject();
	return OwnerObject != nullptr && OwnerObject->IsA(UStruct::StaticClass()) ? static_cast<UStruct*>(OwnerObject)
																			  : nullptr;
}

UClass* FField::GetOwnerClass() const
{
	UObject* OwnerObject = GetOwnerUObject();
	return OwnerObject != nullptr && OwnerObject->IsA(UClass::StaticClass()) ? static_cast<UClass*>(OwnerObject)
																			 : nullptr;
}
