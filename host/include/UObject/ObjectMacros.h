// The reflection markup macros, the flags the header tool derives from their specifiers, and the declaration of
// classes written by hand (intrinsic classes).
#pragma once

#include "CoreTypes.h"

#include <cstddef>

// Markup read by the header tool; the compiler sees nothing.
#define UPROPERTY(...)
#define UFUNCTION(...)
#define USTRUCT(...)
#define UMETA(...)
#define UPARAM(...)
#define UENUM(...)
#define UCLASS(...)
#define UINTERFACE(...)
#define UDELEGATE(...)
#define RIGVM_METHOD(...)

// GENERATED_BODY() names the macro the generated header defines for the line it stands on.
#define BODY_MACRO_COMBINE_INNER(A, B, C, D) A##B##C##D
#define BODY_MACRO_COMBINE(A, B, C, D) BODY_MACRO_COMBINE_INNER(A, B, C, D)
#define GENERATED_BODY(...) BODY_MACRO_COMBINE(CURRENT_FILE_ID, _, __LINE__, _GENERATED_BODY)
#define GENERATED_USTRUCT_BODY(...) GENERATED_BODY()

// Offset of a reflected member. For polymorphic types (units, classes) the caller silences -Winvalid-offsetof.
#define STRUCT_OFFSET(Struct, Member) offsetof(Struct, Member)

enum EPropertyFlags : uint64
{
	CPF_None = 0,
	CPF_Edit = 0x0000000000000001,
	CPF_ConstParm = 0x0000000000000002,
	CPF_BlueprintVisible = 0x0000000000000004,
	CPF_ExportObject = 0x0000000000000008,
	CPF_BlueprintReadOnly = 0x0000000000000010,
	CPF_Net = 0x0000000000000020,
	CPF_EditFixedSize = 0x0000000000000040,
	CPF_Parm = 0x0000000000000080,
	CPF_OutParm = 0x0000000000000100,
	CPF_ZeroConstructor = 0x0000000000000200,
	CPF_ReturnParm = 0x0000000000000400,
	CPF_DisableEditOnTemplate = 0x0000000000000800,
	CPF_NonNullable = 0x0000000000001000,
	CPF_Transient = 0x0000000000002000,
	CPF_Config = 0x0000000000004000,
	CPF_RequiredParm = 0x0000000000008000,
	CPF_DisableEditOnInstance = 0x0000000000010000,
	CPF_EditConst = 0x0000000000020000,
	CPF_GlobalConfig = 0x0000000000040000,
	CPF_InstancedReference = 0x0000000000080000,
	CPF_DuplicateTransient = 0x0000000000200000,
	CPF_SaveGame = 0x0000000001000000,
	CPF_NoClear = 0x0000000002000000,
	CPF_ReferenceParm = 0x0000000008000000,
	CPF_BlueprintAssignable = 0x0000000010000000,
	CPF_Deprecated = 0x0000000020000000,
	CPF_IsPlainOldData = 0x0000000040000000,
	CPF_RepSkip = 0x0000000080000000,
	CPF_RepNotify = 0x0000000100000000,
	CPF_Interp = 0x0000000200000000,
	CPF_NonTransactional = 0x0000000400000000,
	CPF_EditorOnly = 0x0000000800000000,
	CPF_NoDestructor = 0x0000001000000000,
	CPF_AutoWeak = 0x0000004000000000,
	CPF_ContainsInstancedReference = 0x0000008000000000,
	CPF_AssetRegistrySearchable = 0x0000010000000000,
	CPF_SimpleDisplay = 0x0000020000000000,
	CPF_AdvancedDisplay = 0x0000040000000000,
	CPF_Protected = 0x0000080000000000,
	CPF_BlueprintCallable = 0x0000100000000000,
	CPF_BlueprintAuthorityOnly = 0x0000200000000000,
	CPF_TextExportTransient = 0x0000400000000000,
	CPF_NonPIEDuplicateTransient = 0x0000800000000000,
	CPF_ExposeOnSpawn = 0x0001000000000000,
	CPF_PersistentInstance = 0x0002000000000000,
	CPF_UObjectWrapper = 0x0004000000000000,
	CPF_HasGetValueTypeHash = 0x0008000000000000,
	CPF_NativeAccessSpecifierPublic = 0x0010000000000000,
	CPF_NativeAccessSpecifierProtected = 0x0020000000000000,
	CPF_NativeAccessSpecifierPrivate = 0x0040000000000000,
	CPF_SkipSerialization = 0x0080000000000000,
	CPF_TObjectPtr = 0x0100000000000000,
	CPF_TObjectPtrWrapper = CPF_UObjectWrapper | CPF_TObjectPtr,
};

FORCEINLINE constexpr EPropertyFlags operator|(EPropertyFlags A, EPropertyFlags B)
{
	return EPropertyFlags(uint64(A) | uint64(B));
}
FORCEINLINE constexpr EPropertyFlags operator&(EPropertyFlags A, EPropertyFlags B)
{
	return EPropertyFlags(uint64(A) & uint64(B));
}
FORCEINLINE constexpr EPropertyFlags operator~(EPropertyFlags A)
{
	return EPropertyFlags(~uint64(A));
}
FORCEINLINE EPropertyFlags& operator|=(EPropertyFlags& A, EPropertyFlags B)
{
	return A = A | B;
}

enum EFunctionFlags : uint32
{
	FUNC_None = 0x00000000,
	FUNC_Final = 0x00000001,
	FUNC_RequiredAPI = 0x00000002,
	FUNC_BlueprintAuthorityOnly = 0x00000004,
	FUNC_BlueprintCosmetic = 0x00000008,
	FUNC_Net = 0x00000040,
	FUNC_NetReliable = 0x00000080,
	FUNC_NetRequest = 0x00000100,
	FUNC_Exec = 0x00000200,
	FUNC_Native = 0x00000400,
	FUNC_Event = 0x00000800,
	FUNC_NetResponse = 0x00001000,
	FUNC_Static = 0x00002000,
	FUNC_NetMulticast = 0x00004000,
	FUNC_UbergraphFunction = 0x00008000,
	FUNC_MulticastDelegate = 0x00010000,
	FUNC_Public = 0x00020000,
	FUNC_Private = 0x00040000,
	FUNC_Protected = 0x00080000,
	FUNC_Delegate = 0x00100000,
	FUNC_NetServer = 0x00200000,
	FUNC_HasOutParms = 0x00400000,
	FUNC_HasDefaults = 0x00800000,
	FUNC_NetClient = 0x01000000,
	FUNC_DLLImport = 0x02000000,
	FUNC_BlueprintCallable = 0x04000000,
	FUNC_BlueprintEvent = 0x08000000,
	FUNC_BlueprintPure = 0x10000000,
	FUNC_EditorOnly = 0x20000000,
	FUNC_Const = 0x40000000,
	FUNC_NetValidate = 0x80000000,
};

FORCEINLINE constexpr EFunctionFlags operator|(EFunctionFlags A, EFunctionFlags B)
{
	return EFunctionFlags(uint32(A) | uint32(B));
}
FORCEINLINE constexpr EFunctionFlags operator&(EFunctionFlags A, EFunctionFlags B)
{
	return EFunctionFlags(uint32(A) & uint32(B));
}

enum EClassFlags : uint32
{
	CLASS_None = 0x00000000u,
	CLASS_Abstract = 0x00000001u,
	CLASS_DefaultConfig = 0x00000002u,
	CLASS_Config = 0x00000004u,
	CLASS_Transient = 0x00000008u,
	CLASS_Optional = 0x00000010u,
	CLASS_Native = 0x00000080u,
	CLASS_NotPlaceable = 0x00000200u,
	CLASS_PerObjectConfig = 0x00000400u,
	CLASS_EditInlineNew = 0x00001000u,
	CLASS_CollapseCategories = 0x00002000u,
	CLASS_Interface = 0x00004000u,
	CLASS_Const = 0x00010000u,
	CLASS_MinimalAPI = 0x00080000u,
	CLASS_RequiredAPI = 0x00100000u,
	CLASS_DefaultToInstanced = 0x00200000u,
	CLASS_Hidden = 0x01000000u,
	CLASS_Deprecated = 0x02000000u,
	CLASS_HideDropDown = 0x04000000u,
	CLASS_GlobalUserConfig = 0x08000000u,
	CLASS_Intrinsic = 0x10000000u,
	CLASS_Constructed = 0x20000000u,
};

FORCEINLINE constexpr EClassFlags operator|(EClassFlags A, EClassFlags B)
{
	return EClassFlags(uint32(A) | uint32(B));
}
FORCEINLINE constexpr EClassFlags operator&(EClassFlags A, EClassFlags B)
{
	return EClassFlags(uint32(A) & uint32(B));
}

enum EObjectFlags : uint32
{
	RF_NoFlags = 0x00000000,
	RF_Public = 0x00000001,
	RF_Standalone = 0x00000002,
	RF_Transactional = 0x00000008,
	RF_ClassDefaultObject = 0x00000010,
	RF_ArchetypeObject = 0x00000020,
	RF_Transient = 0x00000040,
};

FORCEINLINE constexpr EObjectFlags operator|(EObjectFlags A, EObjectFlags B)
{
	return EObjectFlags(uint32(A) | uint32(B));
}
FORCEINLINE constexpr EObjectFlags operator&(EObjectFlags A, EObjectFlags B)
{
	return EObjectFlags(uint32(A) & uint32(B));
}

class UClass;
class UObject;

// What every reflected class declares: its UClass, Super and ThisClass. Objects made outside NewObject still know
// their class through GetNativeClassPrivate.
#define DECLARE_CLASS_BODY(TClass, TSuperClass, TPackage)                                                              \
public:                                                                                                                \
	typedef TSuperClass Super;                                                                                         \
	typedef TClass ThisClass;                                                                                          \
	static UClass* StaticClass();                                                                                      \
	static const TCHAR* StaticPackage()                                                                                \
	{                                                                                                                  \
		return TPackage;                                                                                               \
	}                                                                                                                  \
                                                                                                                       \
protected:                                                                                                             \
	virtual UClass* GetNativeClassPrivate() const override                                                             \
	{                                                                                                                  \
		return StaticClass();                                                                                          \
	}                                                                                                                  \
                                                                                                                       \
public:

// A class written by hand (an engine class the host provides): declare in the class body, implement in a .cpp with
// IMPLEMENT_INTRINSIC_CLASS. The flags are EClassFlags the class is registered with.
#define DECLARE_CLASS_INTRINSIC(TClass, TSuperClass, TStaticFlags, TPackage)                                           \
	DECLARE_CLASS_BODY(TClass, TSuperClass, TPackage)                                                                  \
	static constexpr EClassFlags StaticClassFlags = EClassFlags(TStaticFlags);
