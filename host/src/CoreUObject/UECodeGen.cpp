// Construction of reflected types for generated code and hand-written registrations.
#include "UObject/UECodeGen.h"

#include "ObjectRegistry.h"

namespace UECodeGen_Private
{
namespace
{
template <typename T> T* ConstructType(UObject* Outer, const TCHAR* Name)
{
	FObjectConstruction Construction;
	Construction.Outer = Outer;
	Construction.Name = FName(Name);
	Construction.Flags = RF_Public;
	return static_cast<T*>(FUObjectRegistry::Get().CreateObject(Construction, []() -> UObject* { return new T(); }));
}

TArray<FString> SplitCategories(const FString& Categories)
{
	TArray<FString> Result;
	Categories.ParseIntoArray(Result, TEXT(" "), true);
	return Result;
}

FString JoinCategories(const TArray<FString>& Categories)
{
	FString Result;
	for (const FString& Category : Categories)
	{
		Result += Result.IsEmpty() ? Category : FString(TEXT(" ")) + Category;
	}
	return Result;
}

// Parent categories plus the class's own, less those the class lists on the other side.
void MergeCategories(UClass* Class, const UClass* SuperClass, const TCHAR* Key, const TCHAR* OppositeKey)
{
	TArray<FString> Merged = SplitCategories(SuperClass->GetMetaData(Key));
	for (const FString& Own : SplitCategories(Class->GetMetaData(Key)))
	{
		Merged.AddUnique(Own);
	}
	for (const FString& Opposite : SplitCategories(Class->GetMetaData(OppositeKey)))
	{
		Merged.Remove(Opposite);
	}
	if (Merged.Num() > 0)
	{
		Class->SetMetaData(FName(Key), JoinCategories(Merged));
	}
}
} // namespace

void ApplyMetaData(FMetaDataMap& Target, FMetaDataList MetaData)
{
	for (const FMetaDataPairParam& Pair : MetaData)
	{
		Target.SetMetaData(Pair.NameUTF8, Pair.ValueUTF8);
	}
}

UScriptStruct* ConstructScriptStruct(const TCHAR* PackageName, const TCHAR* Name, UScriptStruct* SuperStruct,
	UScriptStruct::ICppStructOps* CppStructOps, FMetaDataList MetaData)
{
	UScriptStruct* Struct = ConstructType<UScriptStruct>(CreatePackage(PackageName), Name);
	Struct->SetSuperStruct(SuperStruct);
	Struct->SetCppStructOps(CppStructOps);
	ApplyMetaData(*Struct, MetaData);
	return Struct;
}

UClass* ConstructClass(const FClassParams& Params, FMetaDataList MetaData)
{
	UClass* Class = ConstructType<UClass>(CreatePackage(Params.PackageName), Params.CppName + 1);
	Class->SetPrefixCPP(Params.CppName[0] == TEXT('A') ? TEXT("A") : TEXT("U"));
	Class->SetSuperStruct(Params.SuperClass);
	Class->SetStructureSize(Params.Size, Params.Alignment);
	Class->ClassFlags = Params.ClassFlags | CLASS_Constructed;
	Class->ClassConstructor = Params.Constructor;
	ApplyMetaData(*Class, MetaData);
	if (Params.ConfigName != nullptr)
	{
		Class->ClassConfigName = FName(Params.ConfigName);
	}
	if (const UClass* SuperClass = Params.SuperClass)
	{
		if (Class->ClassConfigName.IsNone())
		{
			Class->ClassConfigName = SuperClass->ClassConfigName;
		}
		MergeCategories(Class, SuperClass, TEXT("HideCategories"), TEXT("ShowCategories"));
		MergeCategories(Class, SuperClass, TEXT("ShowCategories"), TEXT("HideCategories"));
	}
	return Class;
}

UFunction* ConstructFunction(UClass* Outer, const TCHAR* Name, FNativeFuncPtr Func, EFunctionFlags FunctionFlags,
	int32 ParmsSize, int32 ParmsAlignment, FMetaDataList MetaData)
{
	UFunction* Function = ConstructType<UFunction>(Outer, Name);
	Function->FunctionFlags = FunctionFlags;
	Function->SetNativeFunc(Func);
	Function->SetStructureSize(ParmsSize, ParmsAlignment);
	ApplyMetaData(*Function, MetaData);
	Outer->AddChild(Function);
	Outer->AddFunctionToFunctionMap(Function, Function->GetFName());
	return Function;
}

UEnum* ConstructEnum(const TCHAR* PackageName, const TCHAR* Name, UEnum::ECppForm CppForm,
	std::initializer_list<FEnumeratorParam> Enumerators, FMetaDataList MetaData)
{
	UEnum* Enum = ConstructType<UEnum>(CreatePackage(PackageName), Name);
	Enum->CppType = Name;
	TArray<TPair<FName, int64>> Names;
	for (const FEnumeratorParam& Enumerator : Enumerators)
	{
		Names.Add(TPair<FName, int64>(FName(Enumerator.NameUTF8), Enumerator.Value));
	}
	Enum->SetEnums(Names, CppForm);
	ApplyMetaData(*Enum, MetaData);
	return Enum;
}
} // namespace UECodeGen_Private

FRegisterCompiledInInfo::FRegisterCompiledInInfo(
	const TCHAR* PackageName, std::initializer_list<UECodeGen_Private::FCompiledInType> Types)
{
	FUObjectRegistry& Registry = FUObjectRegistry::Get();
	for (const UECodeGen_Private::FCompiledInType& Type : Types)
	{
		Registry.AddPendingType(FName(PackageName), FName(Type.Name), Type.Register);
	}
}
