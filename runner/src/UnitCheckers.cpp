// The registry of unit checkers: registrations collected at start-up, keyed by struct on the first look-up.
#include "QVRig/UnitCheckers.h"

namespace
{
struct FRegisteredChecker
{
	UScriptStruct* (*GetStruct)();
	FQVUnitCheckerFunction Checker;
};

TArray<FRegisteredChecker>& GetRegistrations()
{
	static TArray<FRegisteredChecker> Registrations;
	return Registrations;
}
} // namespace

FQVUnitCheckerRegistration::FQVUnitCheckerRegistration(
	UScriptStruct* (*InGetStruct)(), FQVUnitCheckerFunction InChecker)
{
	GetRegistrations().Add({InGetStruct, InChecker});
}

FQVUnitCheckerFunction FQVUnitCheckers::Find(const UScriptStruct& InStruct)
{
	static const TMap<const UScriptStruct*, FQVUnitCheckerFunction> ByStruct = []()
	{
		TMap<const UScriptStruct*, FQVUnitCheckerFunction> Map;
		for (const FRegisteredChecker& Registered : GetRegistrations())
		{
			Map.Add(Registered.GetStruct(), Registered.Checker);
		}
		return Map;
	}();
	const FQVUnitCheckerFunction* Checker = ByStruct.Find(&InStruct);
	return Checker != nullptr ? *Checker : nullptr;
}
