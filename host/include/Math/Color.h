// FLinearColor (linear float RGBA) and FColor (8-bit sRGB-encoded BGRA), the engine's two colour types.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Math/Vector4.h"

#include <cmath>

struct FColor;

struct FLinearColor
{
	float R;
	float G;
	float B;
	float A;

	static const FLinearColor White;
	static const FLinearColor Gray;
	static const FLinearColor Black;
	static const FLinearColor Transparent;
	static const FLinearColor Red;
	static const FLinearColor Green;
	static const FLinearColor Blue;
	static const FLinearColor Yellow;

	FLinearColor() = default;
	explicit constexpr FORCEINLINE FLinearColor(EForceInit) : R(0), G(0), B(0), A(0) {}
	constexpr FORCEINLINE FLinearColor(float InR, float InG, float InB, float InA = 1.0f)
		: R(InR), G(InG), B(InB), A(InA)
	{
	}
	// Decodes the sRGB-encoded colour channels; alpha is linear.
	FLinearColor(const FColor& Color);
	explicit FORCEINLINE FLinearColor(const FVector3f& Vector) : R(Vector.X), G(Vector.Y), B(Vector.Z), A(1.0f) {}
	explicit FORCEINLINE FLinearColor(const FVector3d& Vector)
		: R((float)Vector.X), G((float)Vector.Y), B((float)Vector.Z), A(1.0f)
	{
	}
	explicit FORCEINLINE FLinearColor(const FVector4f& Vector) : R(Vector.X), G(Vector.Y), B(Vector.Z), A(Vector.W) {}
	explicit FORCEINLINE FLinearColor(const FVector4d& Vector)
		: R((float)Vector.X), G((float)Vector.Y), B((float)Vector.Z), A((float)Vector.W)
	{
	}

	FORCEINLINE float& Component(int32 Index) { return Index == 0 ? R : (Index == 1 ? G : (Index == 2 ? B : A)); }
	FORCEINLINE float Component(int32 Index) const { return Index == 0 ? R : (Index == 1 ? G : (Index == 2 ? B : A)); }

	FORCEINLINE FLinearColor operator+(const FLinearColor& C) const
	{
		return FLinearColor(R + C.R, G + C.G, B + C.B, A + C.A);
	}
	FORCEINLINE FLinearColor operator-(const FLinearColor& C) const
	{
		return FLinearColor(R - C.R, G - C.G, B - C.B, A - C.A);
	}
	FORCEINLINE FLinearColor operator*(const FLinearColor& C) const
	{
		return FLinearColor(R * C.R, G * C.G, B * C.B, A * C.A);
	}
	FORCEINLINE FLinearColor operator/(const FLinearColor& C) const
	{
		return FLinearColor(R / C.R, G / C.G, B / C.B, A / C.A);
	}
	FORCEINLINE FLinearColor operator*(float Scalar) const
	{
		return FLinearColor(R * Scalar, G * Scalar, B * Scalar, A * Scalar);
	}
	FORCEINLINE FLinearColor operator/(float Scalar) const
	{
		const float InvScalar = 1.0f / Scalar;
		return FLinearColor(R * InvScalar, G * InvScalar, B * InvScalar, A * InvScalar);
	}
	FORCEINLINE FLinearColor& operator+=(const FLinearColor& C)
	{
		*this = *this + C;
		return *this;
	}
	FORCEINLINE FLinearColor& operator-=(const FLinearColor& C)
	{
		*this = *this - C;
		return *this;
	}
	FORCEINLINE FLinearColor& operator*=(const FLinearColor& C)
	{
		*this = *this * C;
		return *this;
	}
	FORCEINLINE FLinearColor& operator*=(float Scalar)
	{
		*this = *this * Scalar;
		return *this;
	}
	FORCEINLINE bool operator==(const FLinearColor& C) const { return R == C.R && G == C.G && B == C.B && A == C.A; }
	FORCEINLINE bool operator!=(const FLinearColor& C) const { return !(*this == C); }
	FORCEINLINE bool Equals(const FLinearColor& C, float Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(R - C.R) < Tolerance && FMath::Abs(G - C.G) < Tolerance && FMath::Abs(B - C.B) < Tolerance &&
			FMath::Abs(A - C.A) < Tolerance;
	}

	FORCEINLINE FLinearColor GetClamped(float InMin = 0.0f, float InMax = 1.0f) const
	{
		return FLinearColor(FMath::Clamp(R, InMin, InMax), FMath::Clamp(G, InMin, InMax), FMath::Clamp(B, InMin, InMax),
			FMath::Clamp(A, InMin, InMax));
	}
	FORCEINLINE FLinearColor CopyWithNewOpacity(float NewOpacity) const { return FLinearColor(R, G, B, NewOpacity); }
	FORCEINLINE float GetMax() const { return FMath::Max(FMath::Max(FMath::Max(R, G), B), A); }
	FORCEINLINE float GetMin() const { return FMath::Min(FMath::Min(FMath::Min(R, G), B), A); }
	FORCEINLINE float GetLuminance() const { return R * 0.3f + G * 0.59f + B * 0.11f; }
	FORCEINLINE bool IsAlmostBlack() const
	{
		return FMath::Square(R) < UE_DELTA && FMath::Square(G) < UE_DELTA && FMath::Square(B) < UE_DELTA;
	}

	// Quantises to 8 bits per channel after clamping to [0, 1], sRGB-encoding the colour channels when asked.
	FColor ToFColor(const bool bSRGB) const;
	static FLinearColor FromSRGBColor(const FColor& Color);
};

FORCEINLINE FLinearColor operator*(float Scalar, const FLinearColor& Color)
{
	return Color.operator*(Scalar);
}

struct FColor
{
	// Memory order of a little-endian BGRA8 pixel.
	uint8 B;
	uint8 G;
	uint8 R;
	uint8 A;

	static const FColor White;
	static const FColor Black;
	static const FColor Transparent;
	static const FColor Red;
	static const FColor Green;
	static const FColor Blue;
	static const FColor Yellow;
	static const FColor Cyan;
	static const FColor Magenta;
	static const FColor Orange;
	static const FColor Purple;
	static const FColor Turquoise;
	static const FColor Silver;
	static const FColor Emerald;

	FColor() = default;
	explicit constexpr FORCEINLINE FColor(EForceInit) : B(0), G(0), R(0), A(0) {}
	constexpr FORCEINLINE FColor(uint8 InR, uint8 InG, uint8 InB, uint8 InA = 255) : B(InB), G(InG), R(InR), A(InA) {}
	// From packed 0xAARRGGBB.
	explicit constexpr FORCEINLINE FColor(uint32 InColor)
		: B((uint8)(InColor & 0xff)), G((uint8)((InColor >> 8) & 0xff)), R((uint8)((InColor >> 16) & 0xff)),
		  A((uint8)((InColor >> 24) & 0xff))
	{
	}

	FORCEINLINE uint32 ToPackedARGB() const
	{
		return ((uint32)A << 24) | ((uint32)R << 16) | ((uint32)G << 8) | (uint32)B;
	}
	FORCEINLINE uint32 DWColor() const { return ToPackedARGB(); }
	FORCEINLINE bool operator==(const FColor& C) const { return B == C.B && G == C.G && R == C.R && A == C.A; }
	FORCEINLINE bool operator!=(const FColor& C) const { return !(*this == C); }
	FORCEINLINE FColor WithAlpha(uint8 Alpha) const { return FColor(R, G, B, Alpha); }
	// Channels divided by 255 with no sRGB decoding.
	FORCEINLINE FLinearColor ReinterpretAsLinear() const
	{
		return FLinearColor(R / 255.f, G / 255.f, B / 255.f, A / 255.f);
	}
};

inline constinit const FLinearColor FLinearColor::White(1.f, 1.f, 1.f);
inline constinit const FLinearColor FLinearColor::Gray(0.5f, 0.5f, 0.5f);
inline constinit const FLinearColor FLinearColor::Black(0.f, 0.f, 0.f);
inline constinit const FLinearColor FLinearColor::Transparent(0.f, 0.f, 0.f, 0.f);
inline constinit const FLinearColor FLinearColor::Red(1.f, 0.f, 0.f);
inline constinit const FLinearColor FLinearColor::Green(0.f, 1.f, 0.f);
inline constinit const FLinearColor FLinearColor::Blue(0.f, 0.f, 1.f);
inline constinit const FLinearColor FLinearColor::Yellow(1.f, 1.f, 0.f);

inline constinit const FColor FColor::White(255, 255, 255);
inline constinit const FColor FColor::Black(0, 0, 0);
inline constinit const FColor FColor::Transparent(0, 0, 0, 0);
inline constinit const FColor FColor::Red(255, 0, 0);
inline constinit const FColor FColor::Green(0, 255, 0);
inline constinit const FColor FColor::Blue(0, 0, 255);
inline constinit const FColor FColor::Yellow(255, 255, 0);
inline constinit const FColor FColor::Cyan(0, 255, 255);
inline constinit const FColor FColor::Magenta(255, 0, 255);
inline constinit const FColor FColor::Orange(243, 156, 18);
inline constinit const FColor FColor::Purple(169, 7, 228);
inline constinit const FColor FColor::Turquoise(26, 188, 156);
inline constinit const FColor FColor::Silver(189, 195, 199);
inline constinit const FColor FColor::Emerald(46, 204, 113);

inline FLinearColor::FLinearColor(const FColor& Color)
{
	const auto Decode = [](uint8 Channel)
	{
		const double Encoded = Channel / 255.0;
		return (float)(Encoded <= 0.04045 ? Encoded / 12.92 : std::pow((Encoded + 0.055) / 1.055, 2.4));
	};
	R = Decode(Color.R);
	G = Decode(Color.G);
	B = Decode(Color.B);
	A = float(Color.A) * (1.0f / 255.0f);
}

inline FLinearColor FLinearColor::FromSRGBColor(const FColor& Color)
{
	return FLinearColor(Color);
}

inline FColor FLinearColor::ToFColor(const bool bSRGB) const
{
	float FloatR = FMath::Clamp(R, 0.0f, 1.0f);
	float FloatG = FMath::Clamp(G, 0.0f, 1.0f);
	float FloatB = FMath::Clamp(B, 0.0f, 1.0f);
	const float FloatA = FMath::Clamp(A, 0.0f, 1.0f);
	if (bSRGB)
	{
		const auto Encode = [](float Linear)
		{ return Linear <= 0.0031308f ? Linear * 12.92f : FMath::Pow(Linear, 1.0f / 2.4f) * 1.055f - 0.055f; };
		FloatR = Encode(FloatR);
		FloatG = Encode(FloatG);
		FloatB = Encode(FloatB);
	}
	FColor Result;
	Result.A = (uint8)FMath::FloorToInt(FloatA * 255.999f);
	Result.R = (uint8)FMath::FloorToInt(FloatR * 255.999f);
	Result.G = (uint8)FMath::FloorToInt(FloatG * 255.999f);
	Result.B = (uint8)FMath::FloorToInt(FloatB * 255.999f);
	return Result;
}
