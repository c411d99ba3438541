// The module manager and the start-up registration of linked modules.
#include "Modules/ModuleManager.h"

#include "Misc/CString.h"

FModuleInitializerEntry* FModuleInitializerEntry::First = nullptr;

FModuleInitializerEntry::FModuleInitializerEntry(
	const TCHAR* InName, FInitializeModuleFunctionPtr InFunction, const TCHAR* InModuleName)
	: Next(First), Name(InModuleName != nullptr ? InModuleName : InName), Function(InFunction)
{
	First = this;
}

FModuleInitializerEntry::~FModuleInitializerEntry()
{
	for (FModuleInitializerEntry** Link = &First; *Link != nullptr; Link = &(*Link)->Next)
	{
		if (*Link == this)
		{
			*Link = Next;
			break;
		}
	}
}

FInitializeModuleFunctionPtr FModuleInitializerEntry::FindModule(const TCHAR* InModuleName)
{
	for (const FModuleInitializerEntry* Entry = First; Entry != nullptr; Entry = Entry->Next)
	{
		if (FCString::Stricmp(Entry->Name, InModuleName) == 0)
		{
			return Entry->Function;
		}
	}
	return nullptr;
}

FModuleManager& FModuleManager::Get()
{
	static FModuleManager Manager;
	return Manager;
}

FModuleManager::~FModuleManager()
{
	for (int32 Index = Modules.Num() - 1; Index >= 0; --Index)
	{
		IModuleInterface* Module = Modules[Index].Value;
		if (Module->SupportsAutomaticShutdown())
		{
			Module->PreUnloadCallback();
			Module->ShutdownModule();
		}
		delete Module;
	}
}

IModuleInterface* FModuleManager::LoadModule(const FName InModuleName)
{
	FScopeLock ScopeLock(&Lock);
	if (IModuleInterface* Loaded = GetModule(InModuleName))
	{
		return Loaded;
	}
	const FInitializeModuleFunctionPtr Initialize = FModuleInitializerEntry::FindModule(*InModuleName.ToString());
	if (Initialize == nullptr)
	{
		return nullptr;
	}
	IModuleInterface* Module = Initialize();
	Modules.Add(TPair<FName, IModuleInterface*>(InModuleName, Module));
	Module->StartupModule();
	return Module;
}

IModuleInterface* FModuleManager::GetModule(const FName InModuleName)
{
	FScopeLock ScopeLock(&Lock);
	for (const TPair<FName, IModuleInterface*>& Entry : Modules)
	{
		if (Entry.Key == InModuleName)
		{
			return Entry.Value;
		}
	}
	return nullptr;
}

bool FModuleManager::IsModuleLoaded(const FName InModuleName)
{
	return GetModule(InModuleName) != nullptr;
}

bool FModuleManager::ModuleExists(const TCHAR* InModuleName) const
{
	return FModuleInitializerEntry::FindModule(InModuleName) != nullptr;
}

bool FModuleManager::UnloadModule(const FName InModuleName, bool bIsShutdown)
{
	IModuleInterface* Module = nullptr;
	{
		FScopeLock ScopeLock(&Lock);
		const int32 Index = Modules.IndexOfByPredicate(
			[&InModuleName](const TPair<FName, IModuleInterface*>& Entry) { return Entry.Key == InModuleName; });
		if (Index == INDEX_NONE)
		{
			return false;
		}
		Module = Modules[Index].Value;
		Modules.RemoveAt(Index);
	}
	if (bIsShutdown)
	{
		Module->PreUnloadCallback();
	}
	Module->ShutdownModule();
	delete Module;
	return true;
}
