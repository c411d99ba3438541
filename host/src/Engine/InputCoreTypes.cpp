// The named keys.
#include "InputCoreTypes.h"

const FKey EKeys::LeftMouseButton(TEXT("LeftMouseButton"));
const FKey EKeys::RightMouseButton(TEXT("RightMouseButton"));
const FKey EKeys::CapsLock(TEXT("CapsLock"));
