// The pins of a unit's struct as rig files and the run command see them: inputs that a file can set and animate,
// outputs that the run command can print, hidden state, and the execution pin.
#pragma once

#include "CoreMinimal.h"

class FProperty;
class UScriptStruct;

enum class EQVPinKind : uint8
{
	// Input or Visible metadata (visible pins are inputs that can be set but not linked).
	Input,
	Output,
	// No Input, Output or Visible metadata: state the unit keeps for itself.
	Hidden,
	// The execution pin the unit base carries.
	Execution
};

struct FQVUnitPins
{
	static EQVPinKind GetKind(const FProperty& InPin);

	// "an input pin", "an output pin", "a hidden pin" or "the execution pin".
	static const TCHAR* DescribeKind(EQVPinKind InKind);

	// "its input pins: A, B, C", or "it has no input pins".
	static FString DescribeInputPins(const UScriptStruct& InStruct);
};
