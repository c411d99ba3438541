// Registration of the hand-written test class.
#include "QVTestHandWrittenObject.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UQVTestHandWritten, NO_API, UObject, COREUOBJECT_API, "/Script/QVHandWritten", {
	Class->SetMetaData(TEXT("HideCategories"), TEXT("Rendering Actor Input Replication"));
	Class->SetMetaData(TEXT("ShowCategories"), TEXT("Input|MouseInput Input|TouchInput"));
	Class->ClassConfigName = FName(TEXT("Game"));
})
