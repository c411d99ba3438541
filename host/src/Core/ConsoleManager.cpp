// The console manager: registered console variables by name, and the typed variable objects.
#include "HAL/IConsoleManager.h"

#include "Containers/Map.h"
#include "HAL/CriticalSection.h"
#include "Templates/UniquePtr.h"

#include <type_traits>

namespace
{
template <typename T> FString ValueToString(const T& Value)
{
	if constexpr (std::is_same_v<T, bool>)
	{
		return Value ? FString(TEXT("true")) : FString(TEXT("false"));
	}
	else if constexpr (std::is_same_v<T, int32>)
	{
		return FString::FromInt(Value);
	}
	else if constexpr (std::is_same_v<T, float>)
	{
		return FString::SanitizeFloat(Value);
	}
	else
	{
		return Value;
	}
}

template <typename ResultType, typename T> ResultType ConvertValue(const T& Value)
{
	if constexpr (std::is_same_v<T, FString>)
	{
		ResultType Result{};
		LexFromString(Result, *Value);
		return Result;
	}
	else if constexpr (std::is_same_v<ResultType, bool>)
	{
		return Value != 0;
	}
	else
	{
		return static_cast<ResultType>(Value);
	}
}
} // namespace

template <typename T> class FConsoleVariable final : public IConsoleVariable
{
public:
	FConsoleVariable(const T& DefaultValue, const TCHAR* InHelp, EConsoleVariableFlags InFlags)
		: Data(DefaultValue), Help(InHelp), Flags(InFlags)
	{
	}

	const TCHAR* GetHelp() const override { return *Help; }
	void SetHelp(const TCHAR* Value) override { Help = Value; }
	EConsoleVariableFlags GetFlags() const override { return Flags.load(std::memory_order_relaxed); }
	void SetFlags(const EConsoleVariableFlags Value) override { Flags.store(Value, std::memory_order_relaxed); }

	IConsoleVariable* AsVariable() override { return this; }
	bool IsVariableBool() const override { return std::is_same_v<T, bool>; }
	bool IsVariableInt() const override { return std::is_same_v<T, int32>; }
	bool IsVariableFloat() const override { return std::is_same_v<T, float>; }
	bool IsVariableString() const override { return std::is_same_v<T, FString>; }

	using IConsoleVariable::Set;
	void Set(const TCHAR* InValue, EConsoleVariableFlags SetBy) override
	{
		T Parsed{};
		LexFromString(Parsed, InValue != nullptr ? InValue : TEXT(""));
		Data.Value.Set(Parsed);
		const uint32 OldFlags = Flags.load(std::memory_order_relaxed);
		Flags.store(static_cast<EConsoleVariableFlags>(
						(OldFlags & ~static_cast<uint32>(ECVF_SetByMask)) | (SetBy & ECVF_SetByMask)),
			std::memory_order_relaxed);
	}

	bool GetBool() const override { return ConvertValue<bool>(Data.Value.Get()); }
	int32 GetInt() const override { return ConvertValue<int32>(Data.Value.Get()); }
	float GetFloat() const override { return ConvertValue<float>(Data.Value.Get()); }
	FString GetString() const override { return ValueToString(Data.Value.Get()); }

	TConsoleVariableData<bool>* AsVariableBool() override { return Typed<bool>(); }
	TConsoleVariableData<int32>* AsVariableInt() override { return Typed<int32>(); }
	TConsoleVariableData<float>* AsVariableFloat() override { return Typed<float>(); }
	TConsoleVariableData<FString>* AsVariableString() override { return Typed<FString>(); }

private:
	template <typename AskedType> TConsoleVariableData<AskedType>* Typed()
	{
		if constexpr (std::is_same_v<AskedType, T>)
		{
			return &Data;
		}
		else
		{
			return WrongType();
		}
	}

	TConsoleVariableData<T> Data;
	FString Help;
	std::atomic<EConsoleVariableFlags> Flags;
};

namespace
{
class FConsoleManager final : public IConsoleManager
{
public:
	IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, bool DefaultValue, const TCHAR* Help, uint32 Flags) override
	{
		return Register<bool>(Name, DefaultValue, Help, Flags);
	}
	IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, int32 DefaultValue, const TCHAR* Help, uint32 Flags) override
	{
		return Register<int32>(Name, DefaultValue, Help, Flags);
	}
	IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, float DefaultValue, const TCHAR* Help, uint32 Flags) override
	{
		return Register<float>(Name, DefaultValue, Help, Flags);
	}
	IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, const TCHAR* DefaultValue, const TCHAR* Help, uint32 Flags) override
	{
		return Register<FString>(Name, FString(DefaultValue), Help, Flags);
	}
	IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, const FString& DefaultValue, const TCHAR* Help, uint32 Flags) override
	{
		return Register<FString>(Name, DefaultValue, Help, Flags);
	}

	IConsoleVariable* FindConsoleVariable(const TCHAR* Name, bool bTrackFrequentCalls) const override
	{
		IConsoleObject* Object = FindConsoleObject(Name, bTrackFrequentCalls);
		return Object != nullptr ? Object->AsVariable() : nullptr;
	}

	IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls) const override
	{
		FReadScopeLock ReadLock(Lock);
		const TUniquePtr<IConsoleObject>* Found = Objects.Find(FString(Name));
		return Found != nullptr ? Found->Get() : nullptr;
	}

	bool IsNameRegistered(const TCHAR* Name) const override { return FindConsoleObject(Name, false) != nullptr; }

	void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState) override
	{
		FWriteScopeLock WriteLock(Lock);
		for (auto It = Objects.CreateIterator(); It; ++It)
		{
			if (It.Value().Get() == ConsoleObject)
			{
				It.RemoveCurrent();
				return;
			}
		}
	}

	void UnregisterConsoleObject(const TCHAR* Name, bool bKeepState) override
	{
		FWriteScopeLock WriteLock(Lock);
		Objects.Remove(FString(Name));
	}

private:
	template <typename T>
	IConsoleVariable* Register(const TCHAR* Name, const T& DefaultValue, const TCHAR* Help, uint32 Flags)
	{
		check(Name != nullptr && *Name != 0);
		FWriteScopeLock WriteLock(Lock);
		if (const TUniquePtr<IConsoleObject>* Existing = Objects.Find(FString(Name)))
		{
			IConsoleVariable* Variable = (*Existing)->AsVariable();
			checkf(Variable != nullptr && dynamic_cast<FConsoleVariable<T>*>(Variable) != nullptr,
				TEXT("Console object '%s' is registered again with another type"), Name);
			return Variable;
		}
		TUniquePtr<IConsoleObject>& Slot = Objects.Add(FString(Name), TUniquePtr<IConsoleObject>());
		Slot = MakeUnique<FConsoleVariable<T>>(
			DefaultValue, Help != nullptr ? Help : TEXT(""), static_cast<EConsoleVariableFlags>(Flags));
		return Slot->AsVariable();
	}

	mutable FRWLock Lock;
	TMap<FString, TUniquePtr<IConsoleObject>> Objects;
};
} // namespace

IConsoleManager& IConsoleManager::Get()
{
	// Never destroyed, so that global console variables can unregister while the process exits.
	static FConsoleManager* const Manager = new FConsoleManager();
	return *Manager;
}
