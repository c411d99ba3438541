// Out-of-line platform math: the engine's Atan2 approximation.
#include "GenericPlatform/GenericPlatformMath.h"

#include "Math/HostMathConfiguration.h"
#include "Math/UnrealMathUtility.h"

#include <cmath>

namespace
{
// Minimax polynomial of atan on [0, 1] (maximum relative error about 7.2e-7 against the C library), extended to
// all quadrants by symmetry. Sign tests use < 0, so -0.0 counts as positive. The coefficients are float literals
// in the float version and doubles in the double version, as in the engine.
template <typename T> T EngineAtan2(T Y, T X)
{
	if constexpr (!UE::Math::HostConfiguration::bUseEngineAtan2)
	{
		return std::atan2(Y, X);
	}
	else
	{
		constexpr bool bDouble = std::is_same_v<T, double>;
		constexpr T Pi = bDouble ? (T)UE_DOUBLE_PI : (T)UE_PI;
		constexpr T C[7] = {
			bDouble ? (T) + 7.2128853633444123e-03 : (T) + 7.2128853633444123e-03f,
			bDouble ? (T)-3.5059680836411644e-02 : (T)-3.5059680836411644e-02f,
			bDouble ? (T) + 8.1675882859940430e-02 : (T) + 8.1675882859940430e-02f,
			bDouble ? (T)-1.3374657325451267e-01 : (T)-1.3374657325451267e-01f,
			bDouble ? (T) + 1.9856563505717162e-01 : (T) + 1.9856563505717162e-01f,
			bDouble ? (T)-3.3324998579202170e-01 : (T)-3.3324998579202170e-01f,
			(T)1,
		};

		const T AbsX = std::fabs(X);
		const T AbsY = std::fabs(Y);
		const bool bYAbsBigger = (AbsY > AbsX);
		T T0 = bYAbsBigger ? AbsY : AbsX;
		const T T1 = bYAbsBigger ? AbsX : AbsY;
		if (T0 == (T)0)
		{
			return (T)0;
		}

		T T3 = T1 / T0;
		const T T4 = T3 * T3;
		T0 = C[0];
		for (int32 Index = 1; Index < 7; ++Index)
		{
			T0 = T0 * T4 + C[Index];
		}
		T3 = T0 * T3;

		T3 = bYAbsBigger ? ((T)0.5 * Pi) - T3 : T3;
		T3 = (X < (T)0) ? Pi - T3 : T3;
		T3 = (Y < (T)0) ? -T3 : T3;
		return T3;
	}
}
} // namespace

float FGenericPlatformMath::Atan2(float Y, float X)
{
	return EngineAtan2(Y, X);
}

double FGenericPlatformMath::Atan2(double Y, double X)
{
	return EngineAtan2(Y, X);
}
