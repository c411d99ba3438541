// FLinearColor: the engine's linear float RGBA colour, as far as shapes, the HUD and stored assets use it.
#pragma once

#include "CoreTypes.h"

struct FLinearColor
{
	float R;
	float G;
	float B;
	float A;

	static const FLinearColor White;
	static const FLinearColor Red;

	FLinearColor() = default;
	constexpr FORCEINLINE FLinearColor(float InR, float InG, float InB, float InA = 1.0f)
		: R(InR), G(InG), B(InB), A(InA)
	{
	}

	FORCEINLINE bool operator==(const FLinearColor& C) const { return R == C.R && G == C.G && B == C.B && A == C.A; }
	FORCEINLINE bool operator!=(const FLinearColor& C) const { return !(*this == C); }
};

inline constinit const FLinearColor FLinearColor::White(1.f, 1.f, 1.f);
inline constinit const FLinearColor FLinearColor::Red(1.f, 0.f, 0.f);
