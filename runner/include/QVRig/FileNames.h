// Names taken from file paths, for titles and animation names.
#pragma once

#include "CoreMinimal.h"

// The file's name without its folder and extensions: "foot_roll" for "examples/foot_roll.rig.json".
FString QVFileStem(const FString& InPath);
