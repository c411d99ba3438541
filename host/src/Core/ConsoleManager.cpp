// The console manager: registered console variables by name (ignoring case), and the variable objects.
#include "HAL/IConsoleManager.h"

#include "HAL/CriticalSection.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace
{
class FConsoleVariableBool final : public IConsoleVariable
{
public:
	FConsoleVariableBool(bool bDefaultValue, const TCHAR* InHelp) : Data(bDefaultValue), Help(InHelp) {}

	const TCHAR* GetHelp() const override { return *Help; }
	IConsoleVariable* AsVariable() override { return this; }

	using IConsoleVariable::Set;
	void Set(const TCHAR* InValue, EConsoleVariableFlags /*SetBy*/) override
	{
		bool bParsed = false;
		LexFromString(bParsed, InValue != nullptr ? InValue : TEXT(""));
		Data.Set(bParsed);
	}

	bool GetBool() const override { return Data.GetValueOnAnyThread(); }
	TConsoleVariableData<bool>* AsVariableBool() override { return &Data; }

private:
	TConsoleVariableData<bool> Data;
	FString Help;
};

class FConsoleManager final : public IConsoleManager
{
public:
	IConsoleVariable* RegisterConsoleVariable(
		const TCHAR* Name, bool bDefaultValue, const TCHAR* Help, uint32 /*Flags*/) override
	{
		check(Name != nullptr && *Name != 0);
		FWriteScopeLock WriteLock(Lock);
		std::unique_ptr<IConsoleVariable>& Slot = Variables[Key(Name)];
		if (!Slot)
		{
			Slot = std::make_unique<FConsoleVariableBool>(bDefaultValue, Help != nullptr ? Help : TEXT(""));
		}
		return Slot.get();
	}

	IConsoleVariable* FindConsoleVariable(const TCHAR* Name, bool /*bTrackFrequentCalls*/) const override
	{
		FReadScopeLock ReadLock(Lock);
		const auto Found = Variables.find(Key(Name));
		return Found != Variables.end() ? Found->second.get() : nullptr;
	}

	void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool /*bKeepState*/) override
	{
		FWriteScopeLock WriteLock(Lock);
		std::erase_if(Variables, [ConsoleObject](const auto& Entry) { return Entry.second.get() == ConsoleObject; });
	}

private:
	static std::string Key(const TCHAR* Name) { return std::string(*FString(Name).ToLower()); }

	mutable FRWLock Lock;
	std::unordered_map<std::string, std::unique_ptr<IConsoleVariable>> Variables;
};
} // namespace

IConsoleManager& IConsoleManager::Get()
{
	// Never destroyed, so that global console variables can unregister while the process exits.
	static FConsoleManager* const Manager = new FConsoleManager();
	return *Manager;
}
