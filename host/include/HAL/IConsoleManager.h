// Console variables: named switches registered from code, found by name (ignoring case) and changed at run time.
// Values may be read from any thread while another sets them. Only bool variables exist here, as nothing else
// registers one.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Misc/AssertionMacros.h"

#include <atomic>
#include <type_traits>

enum EConsoleVariableFlags : uint32
{
	ECVF_Default = 0x0,
	ECVF_SetByCode = 0x09000000,
};

// A variable's value, readable from any thread.
template <typename T> class TConsoleVariableData
{
	static_assert(std::is_same_v<T, bool>, "Console variables here are bool");

public:
	explicit TConsoleVariableData(const T& DefaultValue) : Value(DefaultValue) {}

	T GetValueOnGameThread() const { return Value.load(std::memory_order_relaxed); }
	T GetValueOnAnyThread(bool /*bForceGameThread*/ = false) const { return Value.load(std::memory_order_relaxed); }
	void Set(const T& InValue) { Value.store(InValue, std::memory_order_relaxed); }

private:
	std::atomic<T> Value;
};

class IConsoleVariable;

class IConsoleObject
{
public:
	IConsoleObject() = default;
	IConsoleObject(const IConsoleObject&) = delete;
	IConsoleObject& operator=(const IConsoleObject&) = delete;
	virtual ~IConsoleObject() = default;

	virtual const TCHAR* GetHelp() const = 0;
	virtual IConsoleVariable* AsVariable() { return nullptr; }
};

class IConsoleVariable : public IConsoleObject
{
public:
	// Parses the text as the variable's type ("1", "true", "on", "yes" are true for a bool).
	virtual void Set(const TCHAR* InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode) = 0;
	virtual bool GetBool() const = 0;
	virtual TConsoleVariableData<bool>* AsVariableBool() = 0;

	void Set(bool InValue, EConsoleVariableFlags SetBy = ECVF_SetByCode) { Set(InValue ? TEXT("1") : TEXT("0"), SetBy); }
};

struct IConsoleManager
{
	static CORE_API IConsoleManager& Get();

	virtual ~IConsoleManager() = default;

	// Registering a name that exists returns the existing variable.
	virtual IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, bool DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default) = 0;

	// Null when there is no variable of that name (compared ignoring case).
	virtual IConsoleVariable* FindConsoleVariable(const TCHAR* Name, bool bTrackFrequentCalls = true) const = 0;

	// Removes and destroys the object; pointers to it become invalid. bKeepState is accepted and ignored.
	virtual void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState = true) = 0;
};

// A console variable registered for the lifetime of this object; usually a global:
// TAutoConsoleVariable<bool> CVarX(TEXT("System.Name"), false, TEXT("What it does."));
template <typename T> class TAutoConsoleVariable
{
public:
	TAutoConsoleVariable(const TCHAR* Name, const T& DefaultValue, const TCHAR* Help, uint32 Flags = ECVF_Default)
		: Variable(IConsoleManager::Get().RegisterConsoleVariable(Name, DefaultValue, Help, Flags)),
		  Ref(Variable->AsVariableBool())
	{
	}
	~TAutoConsoleVariable() { IConsoleManager::Get().UnregisterConsoleObject(Variable, false); }
	TAutoConsoleVariable(const TAutoConsoleVariable&) = delete;
	TAutoConsoleVariable& operator=(const TAutoConsoleVariable&) = delete;

	T GetValueOnGameThread() const { return Ref->GetValueOnGameThread(); }
	T GetValueOnAnyThread(bool bForceGameThread = false) const { return Ref->GetValueOnAnyThread(bForceGameThread); }

	IConsoleVariable* AsVariable() { return Variable; }
	IConsoleVariable* operator->() { return Variable; }

private:
	IConsoleVariable* Variable;
	TConsoleVariableData<T>* Ref;
};
