// The engine build whose math this stand-in reproduces, and every behaviour that differs between engine versions.
// All version-dependent choices live here so they can be reviewed (and switched) in one place.
#pragma once

namespace UE::Math::HostConfiguration
{
// Reproduced build: a 64-bit desktop build with vector intrinsics on, shipping configuration. Consequences:
// - FTransform is the vectorized class: rotation-normalised tests are inclusive (|1 - |q|^2| <= threshold),
//   and Multiply / GetRelativeTransform go through matrices when any scale component is negative.
// - Rotator to quaternion wraps each angle as A - 360 * trunc(A / 360) and forms each product term as
//   CosRoll * (SinPitch * SinYaw), the grouping of the vector path.
// - Double-precision sin, cos, asin, acos and sqrt come from the C library (no development-only fallbacks).

// FMath::Atan2 is the engine's own minimax polynomial, not the C library's atan2. Set to false to use
// std::atan2 instead (all call sites go through one function).
inline constexpr bool bUseEngineAtan2 = true;

// Quaternion to rotator near the poles (|Z*X - W*Y| above the threshold). Newer engines set roll to 0 and put the
// whole twist into yaw; older ones kept the regular yaw and put the remainder into roll.
inline constexpr bool bPoleTwistGoesToYaw = true;

// The singularity threshold of quaternion to rotator is an exact double in newer engines.
inline constexpr double QuatToRotatorSingularityThreshold = 0.4999995;

// Slerp switches to linear interpolation above this cosine; an exact double in newer engines (older: 0.9999f).
inline constexpr double SlerpLinearThreshold = 0.9999;

// FTransform::Blend: |Alpha| <= ZERO_ANIMWEIGHT_THRESH returns A, |Alpha - 1| <= ZERO_ANIMWEIGHT_THRESH returns B,
// and any other Alpha (also outside [0, 1]) blends translation and scale as (1 - Alpha) * A + Alpha * B.
// The engine's BlendWith uses the same rule here so the two never disagree.
inline constexpr bool bBlendExtrapolatesOutsideUnitRange = true;
} // namespace UE::Math::HostConfiguration
