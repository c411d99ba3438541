// Modules linked into the program load through the module manager by name.
#include "Modules/ModuleManager.h"

#include <gtest/gtest.h>

namespace
{
int32 GStartups = 0;
int32 GShutdowns = 0;

class FQVTestModule : public IModuleInterface
{
public:
	virtual void StartupModule() override { ++GStartups; }
	virtual void ShutdownModule() override { ++GShutdowns; }
};
} // namespace

IMPLEMENT_MODULE(FQVTestModule, QVReflectionTestModule)

TEST(ModuleManager, LoadsARegisteredModuleOnceAndUnloadsIt)
{
	FModuleManager& Manager = FModuleManager::Get();
	EXPECT_TRUE(Manager.ModuleExists(TEXT("QVReflectionTestModule")));
	EXPECT_FALSE(Manager.IsModuleLoaded(FName(TEXT("QVReflectionTestModule"))));
	EXPECT_EQ(Manager.LoadModule(FName(TEXT("NoSuchModule"))), nullptr);

	IModuleInterface* Module = Manager.LoadModule(FName(TEXT("QVReflectionTestModule")));
	ASSERT_NE(Module, nullptr);
	EXPECT_EQ(GStartups, 1);
	EXPECT_EQ(&FModuleManager::LoadModuleChecked<FQVTestModule>(FName(TEXT("qvreflectiontestmodule"))), Module);
	EXPECT_EQ(GStartups, 1);
	EXPECT_EQ(Manager.GetModule(FName(TEXT("QVReflectionTestModule"))), Module);
	EXPECT_TRUE(Module->SupportsDynamicReloading());
	EXPECT_FALSE(Module->IsGameModule());

	EXPECT_TRUE(Manager.UnloadModule(FName(TEXT("QVReflectionTestModule"))));
	EXPECT_EQ(GShutdowns, 1);
	EXPECT_FALSE(Manager.IsModuleLoaded(FName(TEXT("QVReflectionTestModule"))));
	EXPECT_FALSE(Manager.UnloadModule(FName(TEXT("QVReflectionTestModule"))));
	EXPECT_DEATH(FModuleManager::LoadModuleChecked<FQVTestModule>(FName(TEXT("NoSuchModule"))), "could not be loaded");
}
