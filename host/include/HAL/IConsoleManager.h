// Console variables: named settings registered from code, found by name (ignoring case) and changed at run time.
// Values may be read from any thread while another sets them.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Misc/AssertionMacros.h"

#include <atomic>
#include <mutex>
#include <type_traits>

enum EConsoleVariableFlags : uint32
{
	ECVF_FlagMask = 0x0000ffff,
	ECVF_Default = 0x0,
	ECVF_Cheat = 0x1,
	ECVF_ReadOnly = 0x4,
	ECVF_Unregistered = 0x8,
	ECVF_CreatedFromIni = 0x10,
	ECVF_RenderThreadSafe = 0x20,
	ECVF_Scalability = 0x40,
	ECVF_ScalabilityGroup = 0x80,
	ECVF_Preview = 0x100,

	// Who set the value last.
	ECVF_SetByMask = 0xff000000,
	ECVF_SetByConstructor = 0x00000000,
	ECVF_SetByScalability = 0x01000000,
	ECVF_SetByGameSetting = 0x02000000,
	ECVF_SetByProjectSetting = 0x03000000,
	ECVF_SetBySystemSettingsIni = 0x04000000,
	ECVF_SetByDeviceProfile = 0x05000000,
	ECVF_SetByGameOverride = 0x06000000,
	ECVF_SetByConsoleVariablesIni = 0x07000000,
	ECVF_SetByCommandline = 0x08000000,
	ECVF_SetByCode = 0x09000000,
	ECVF_SetByConsole = 0x0A000000,
};

template <typename T> class FConsoleVariable;

// Where a variable's value lives: an atomic for plain values, a mutex-guarded copy for strings.
template <typename T, bool bAtomic = std::is_trivially_copyable_v<T>> class TConsoleVariableStorage
{
public:
	explicit TConsoleVariableStorage(const T& InValue) : Value(InValue) {}
	T Get() const { return Value.load(std::memory_order_relaxed); }
	void Set(const T& InValue) { Value.store(InValue, std::memory_order_relaxed); }

private:
	std::atomic<T> Value;
};

template <typename T> class TConsoleVariableStorage<T, false>
{
public:
	explicit TConsoleVariableStorage(const T& InValue) : Value(InValue) {}
	T Get() const
	{
		std::lock_guard<std::mutex> Lock(Mutex);
		return Value;
	}
	void Set(const T& InValue)
	{
		std::lock_guard<std::mutex> Lock(Mutex);
		Value = InValue;
	}

private:
	mutable std::mutex Mutex;
	T Value;
};

// The typed value of a console variable, read directly by TAutoConsoleVariable.
template <typename T> class TConsoleVariableData
{
public:
	explicit TConsoleVariableData(const T& DefaultValue) : Value(DefaultValue) {}

	T GetValueOnGameThread() const { return Value.Get(); }
	T GetValueOnRenderThread() const { return Value.Get(); }
	T GetValueOnAnyThread(bool bForceGameThread = false) const { return Value.Get(); }

private:
	friend class FConsoleVariable<T>;

	TConsoleVariableStorage<T> Value;
};

struct IConsoleVariable;

struct IConsoleObject
{
	IConsoleObject() = default;
	IConsoleObject(const IConsoleObject&) = delete;
	IConsoleObject& operator=(const IConsoleObject&) = delete;
	virtual ~IConsoleObject() = default;

	virtual const TCHAR* GetHelp() const = 0;
	virtual void SetHelp(const TCHAR* Value) = 0;
	virtual EConsoleVariableFlags GetFlags() const = 0;
	virtual void SetFlags(const EConsoleVariableFlags Value) = 0;

	void ClearFlags(const EConsoleVariableFlags Value)
	{
		SetFlags(static_cast<EConsoleVariableFlags>(GetFlags() & ~static_cast<uint32>(Value)));
	}
	bool TestFlags(const EConsoleVariableFlags Value) const { return (GetFlags() & Value) != 0; }

	virtual IConsoleVariable* AsVariable() { return nullptr; }
	virtual bool IsVariableBool() const { return false; }
	virtual bool IsVariableInt() const { return false; }
	virtual bool IsVariableFloat() const { return false; }
	virtual bool IsVariableString() const { return false; }
};

struct IConsoleVariable : public IConsoleObject
{
	// Parses the text for the variable's type: numbers as with Atoi/Atof, booleans also from true/false, yes/no,
	// on/off. SetBy records who set it.
	virtual void Set(const TCHAR* InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode) = 0;

	// The value converted to the asked type: non-zero is true, floats truncate to integers.
	virtual bool GetBool() const = 0;
	virtual int32 GetInt() const = 0;
	virtual float GetFloat() const = 0;
	virtual FString GetString() const = 0;

	void GetValue(bool& OutValue) const { OutValue = GetBool(); }
	void GetValue(int32& OutValue) const { OutValue = GetInt(); }
	void GetValue(float& OutValue) const { OutValue = GetFloat(); }
	void GetValue(FString& OutValue) const { OutValue = GetString(); }

	// The typed value; null (with a report) when the variable has another type.
	virtual TConsoleVariableData<bool>* AsVariableBool() { return WrongType(); }
	virtual TConsoleVariableData<int32>* AsVariableInt() { return WrongType(); }
	virtual TConsoleVariableData<float>* AsVariableFloat() { return WrongType(); }
	virtual TConsoleVariableData<FString>* AsVariableString() { return WrongType(); }

	// Booleans are set as "1" or "0", so that they also fit integer variables.
	void Set(bool InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode)
	{
		Set(InValue ? TEXT("1") : TEXT("0"), SetBy);
	}
	void Set(int32 InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode)
	{
		Set(*FString::Printf(TEXT("%d"), InValue), SetBy);
	}
	void Set(float InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode)
	{
		Set(*FString::Printf(TEXT("%g"), static_cast<double>(InValue)), SetBy);
	}
	void Set(const FString& InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode) { Set(*InValue, SetBy); }

protected:
	static std::nullptr_t WrongType()
	{
		ensureMsgf(false, TEXT("The console variable is not of the requested type"));
		return nullptr;
	}
};

struct IConsoleManager
{
	static CORE_API IConsoleManager& Get();

	virtual ~IConsoleManager() = default;

	// Registering a name that exists returns the existing variable when it has the same type.
	virtual IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, bool DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, int32 DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, float DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, const TCHAR* DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;
	virtual IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, const FString& DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;

	// Null when there is no object of that name (compared ignoring case), or it is not a variable.
	virtual IConsoleVariable* FindConsoleVariable(const TCHAR* Name, bool bTrackFrequentCalls = true) const = 0;
	virtual IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls = true) const = 0;
	virtual bool IsNameRegistered(const TCHAR* Name) const = 0;

	// Removes and destroys the object; pointers to it become invalid. bKeepState is accepted and ignored.
	virtual void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState = true) = 0;
	virtual void UnregisterConsoleObject(const TCHAR* Name, bool bKeepState = true) = 0;
};

// Registers a console object for the lifetime of this object.
class FAutoConsoleObject
{
public:
	FAutoConsoleObject(const FAutoConsoleObject&) = delete;
	FAutoConsoleObject& operator=(const FAutoConsoleObject&) = delete;

	IConsoleVariable* AsVariable() { return Target->AsVariable(); }
	const IConsoleVariable* AsVariable() const { return Target->AsVariable(); }

protected:
	explicit FAutoConsoleObject(IConsoleObject* InTarget) : Target(InTarget) { check(Target != nullptr); }
	virtual ~FAutoConsoleObject() { IConsoleManager::Get().UnregisterConsoleObject(Target, false); }

private:
	IConsoleObject* Target;
};

// A console variable of type bool, int32, float or FString, registered for the lifetime of this object; usually a
// global: TAutoConsoleVariable<bool> CVarX(TEXT("System.Name"), false, TEXT("What it does."));
template <typename T> class TAutoConsoleVariable : public FAutoConsoleObject
{
	static_assert(
		std::is_same_v<T, bool> || std::is_same_v<T, int32> || std::is_same_v<T, float> || std::is_same_v<T, FString>,
		"Console variables are bool, int32, float or FString");

public:
	TAutoConsoleVariable(const TCHAR* Name, const T& DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: FAutoConsoleObject(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags)),
		  Ref(TypedData())
	{
		check(Ref != nullptr);
	}

	T GetValueOnGameThread() const { return Ref->GetValueOnGameThread(); }
	T GetValueOnRenderThread() const { return Ref->GetValueOnRenderThread(); }
	T GetValueOnAnyThread(bool bForceGameThread = false) const { return Ref->GetValueOnAnyThread(bForceGameThread); }

	IConsoleVariable& operator*() { return *AsVariable(); }
	const IConsoleVariable& operator*() const { return *AsVariable(); }
	IConsoleVariable* operator->() { return AsVariable(); }
	const IConsoleVariable* operator->() const { return AsVariable(); }

private:
	TConsoleVariableData<T>* TypedData()
	{
		IConsoleVariable* Variable = AsVariable();
		if constexpr (std::is_same_v<T, bool>)
		{
			return Variable->AsVariableBool();
		}
		else if constexpr (std::is_same_v<T, int32>)
		{
			return Variable->AsVariableInt();
		}
		else if constexpr (std::is_same_v<T, float>)
		{
			return Variable->AsVariableFloat();
		}
		else
		{
			return Variable->AsVariableString();
		}
	}

	TConsoleVariableData<T>* Ref;
};
