// FModuleManager: loads and unloads modules by name. Modules linked into the program register themselves at
// start-up with IMPLEMENT_MODULE, which hands the manager the module's name and a function making its object.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "Modules/ModuleInterface.h"

typedef IModuleInterface* (*FInitializeModuleFunctionPtr)();

// A static made by IMPLEMENT_MODULE: the module's name and the function that makes its object.
class FModuleInitializerEntry
{
public:
	FModuleInitializerEntry(const TCHAR* InName, FInitializeModuleFunctionPtr InFunction, const TCHAR* InModuleName);
	~FModuleInitializerEntry();
	FModuleInitializerEntry(const FModuleInitializerEntry&) = delete;
	FModuleInitializerEntry& operator=(const FModuleInitializerEntry&) = delete;

	// The registered function for the module name, or null.
	static FInitializeModuleFunctionPtr FindModule(const TCHAR* InModuleName);

private:
	// A constant-initialised list, so entries may register during any static initialisation.
	static FModuleInitializerEntry* First;
	FModuleInitializerEntry* Next;
	const TCHAR* Name;
	FInitializeModuleFunctionPtr Function;
};

class FModuleManager
{
public:
	static FModuleManager& Get();
	// Shuts down (PreUnloadCallback, ShutdownModule) the modules that support automatic shut-down, then frees all.
	~FModuleManager();

	// Makes the module's object and starts it up the first time; null for a module nobody registered.
	IModuleInterface* LoadModule(const FName InModuleName);
	template <typename TModuleInterface> static TModuleInterface& LoadModuleChecked(const FName InModuleName)
	{
		IModuleInterface* Module = Get().LoadModule(InModuleName);
		checkf(Module != nullptr, TEXT("Module '%s' could not be loaded"), *InModuleName.ToString());
		return static_cast<TModuleInterface&>(*Module);
	}
	template <typename TModuleInterface> static TModuleInterface* LoadModulePtr(const FName InModuleName)
	{
		return static_cast<TModuleInterface*>(Get().LoadModule(InModuleName));
	}

	// The loaded module, or null.
	IModuleInterface* GetModule(const FName InModuleName);
	template <typename TModuleInterface> static TModuleInterface& GetModuleChecked(const FName InModuleName)
	{
		IModuleInterface* Module = Get().GetModule(InModuleName);
		checkf(Module != nullptr, TEXT("Module '%s' is not loaded"), *InModuleName.ToString());
		return static_cast<TModuleInterface&>(*Module);
	}
	bool IsModuleLoaded(const FName InModuleName);
	// True when a module of that name is linked into the program.
	bool ModuleExists(const TCHAR* InModuleName) const;

	// Shuts the module down and frees its object; false when it was not loaded.
	bool UnloadModule(const FName InModuleName, bool bIsShutdown = false);

private:
	FModuleManager() = default;

	FCriticalSection Lock;
	TArray<TPair<FName, IModuleInterface*>> Modules;
};

// A module with nothing to do at start-up or shut-down.
class FDefaultModuleImpl : public IModuleInterface
{
};

class FDefaultGameModuleImpl : public FDefaultModuleImpl
{
public:
	virtual bool IsGameModule() const override { return true; }
};

// Registers the module with the manager, exports the marker every engine module exports (weak, as each module
// linked into one program defines it) and the module's own IMPLEMENT_MODULE_<Name> symbol.
#define IMPLEMENT_MODULE(ModuleImplClass, ModuleName)                                                                  \
	static IModuleInterface* Initialize##ModuleName##Module()                                                          \
	{                                                                                                                  \
		return new ModuleImplClass();                                                                                  \
	}                                                                                                                  \
	static FModuleInitializerEntry ModuleName##InitializerEntry(                                                       \
		TEXT(#ModuleName), Initialize##ModuleName##Module, TEXT(#ModuleName));                                         \
	extern "C" __attribute__((weak, visibility("default"))) void ThisIsAnUnrealEngineModule() {}                       \
	extern "C" __attribute__((visibility("default"))) void IMPLEMENT_MODULE_##ModuleName() {}

#define IMPLEMENT_GAME_MODULE(ModuleImplClass, ModuleName) IMPLEMENT_MODULE(ModuleImplClass, ModuleName)
#define IMPLEMENT_PRIMARY_GAME_MODULE(ModuleImplClass, ModuleName, GameName)                                           \
	IMPLEMENT_MODULE(ModuleImplClass, ModuleName)
