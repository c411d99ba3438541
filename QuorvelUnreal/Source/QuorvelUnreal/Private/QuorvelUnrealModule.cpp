// The QuorvelUnreal module object: nothing to do at start-up or shut-down; its types register themselves.
#include "Modules/ModuleManager.h"

class FQuorvelUnrealModule : public IModuleInterface
{
public:
	virtual void StartupModule() override {}
	virtual void ShutdownModule() override {}
};

IMPLEMENT_MODULE(FQuorvelUnrealModule, QuorvelUnreal)
