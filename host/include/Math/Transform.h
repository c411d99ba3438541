// TTransform<T> (FTransform): rotation, translation and 3D scale, with the rules of the engine's vectorized class.
// A point maps to Rotation.Rotate(Scale3D * P) + Translation, and A * B applies A first, then B.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/HostMathConfiguration.h"
#include "Math/MathFwd.h"
#include "Math/Matrix.h"
#include "Math/Quat.h"
#include "Math/QuatRotationTranslationMatrix.h"
#include "Math/Rotator.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TTransform
{
	static_assert(std::is_floating_point_v<T>, "TTransform only supports float and double.");

	using FReal = T;

protected:
	TQuat<T> Rotation;
	TVector<T> Translation;
	TVector<T> Scale3D;

public:
	static const TTransform<T> Identity;

	constexpr FORCEINLINE TTransform() : Rotation(0, 0, 0, 1), Translation(0, 0, 0), Scale3D(1, 1, 1) {}
	explicit FORCEINLINE TTransform(ENoInit) {}
	explicit constexpr FORCEINLINE TTransform(const TVector<T>& InTranslation)
		: Rotation(0, 0, 0, 1), Translation(InTranslation), Scale3D(1, 1, 1)
	{
	}
	explicit constexpr FORCEINLINE TTransform(const TQuat<T>& InRotation)
		: Rotation(InRotation), Translation(0, 0, 0), Scale3D(1, 1, 1)
	{
	}
	explicit FORCEINLINE TTransform(const TRotator<T>& InRotation)
		: Rotation(InRotation.Quaternion()), Translation(0, 0, 0), Scale3D(1, 1, 1)
	{
	}
	constexpr FORCEINLINE TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation,
		const TVector<T>& InScale3D = TVector<T>::OneVector)
		: Rotation(InRotation), Translation(InTranslation), Scale3D(InScale3D)
	{
	}
	FORCEINLINE TTransform(const TRotator<T>& InRotation, const TVector<T>& InTranslation,
		const TVector<T>& InScale3D = TVector<T>::OneVector)
		: Rotation(InRotation.Quaternion()), Translation(InTranslation), Scale3D(InScale3D)
	{
	}
	explicit FORCEINLINE TTransform(const TMatrix<T>& InMatrix) { SetFromMatrix(InMatrix); }
	// From the axes (rows) and origin of a matrix.
	FORCEINLINE TTransform(
		const TVector<T>& InX, const TVector<T>& InY, const TVector<T>& InZ, const TVector<T>& InTranslation)
	{
		SetFromMatrix(TMatrix<T>(InX, InY, InZ, InTranslation));
	}

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit FORCEINLINE TTransform(const TTransform<FArg>& From)
		: Rotation(TQuat<T>(From.GetRotation())), Translation(TVector<T>(From.GetTranslation())),
		  Scale3D(TVector<T>(From.GetScale3D()))
	{
	}

	// Scale per row (0 for a row not longer than 1e-8f squared), a negative determinant folded into -X scale,
	// then the rotation of the unit rows.
	void SetFromMatrix(const TMatrix<T>& InMatrix)
	{
		TMatrix<T> M = InMatrix;
		Scale3D = M.ExtractScaling();
		if (InMatrix.Determinant() < (T)0)
		{
			Scale3D.X *= (T)-1;
			M.SetAxis(0, -M.GetScaledAxis(EAxis::X));
		}
		Rotation = TQuat<T>(M);
		Rotation.Normalize();
		Translation = InMatrix.GetOrigin();
	}

	// Accessors.
	FORCEINLINE TQuat<T> GetRotation() const { return Rotation; }
	FORCEINLINE TVector<T> GetTranslation() const { return Translation; }
	FORCEINLINE TVector<T> GetLocation() const { return Translation; }
	FORCEINLINE TVector<T> GetScale3D() const { return Scale3D; }
	FORCEINLINE TRotator<T> Rotator() const { return Rotation.Rotator(); }
	FORCEINLINE void SetRotation(const TQuat<T>& NewRotation) { Rotation = NewRotation; }
	FORCEINLINE void SetTranslation(const TVector<T>& NewTranslation) { Translation = NewTranslation; }
	FORCEINLINE void SetLocation(const TVector<T>& Origin) { Translation = Origin; }
	FORCEINLINE void SetScale3D(const TVector<T>& NewScale3D) { Scale3D = NewScale3D; }
	FORCEINLINE void SetTranslationAndScale3D(const TVector<T>& NewTranslation, const TVector<T>& NewScale3D)
	{
		Translation = NewTranslation;
		Scale3D = NewScale3D;
	}
	FORCEINLINE void SetComponents(
		const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D)
	{
		Rotation = InRotation;
		Translation = InTranslation;
		Scale3D = InScale3D;
	}
	FORCEINLINE void SetIdentity() { *this = Identity; }
	FORCEINLINE void CopyRotation(const TTransform<T>& Other) { Rotation = Other.Rotation; }
	FORCEINLINE void CopyTranslation(const TTransform<T>& Other) { Translation = Other.Translation; }
	FORCEINLINE void CopyScale3D(const TTransform<T>& Other) { Scale3D = Other.Scale3D; }
	FORCEINLINE void ConcatenateRotation(const TQuat<T>& DeltaRotation) { Rotation = Rotation * DeltaRotation; }
	FORCEINLINE void AddToTranslation(const TVector<T>& DeltaTranslation) { Translation += DeltaTranslation; }
	FORCEINLINE void ScaleTranslation(const TVector<T>& InScale3D) { Translation *= InScale3D; }
	FORCEINLINE void ScaleTranslation(const T& Scale) { Translation *= Scale; }
	FORCEINLINE void MultiplyScale3D(const TVector<T>& Scale3DMultiplier) { Scale3D *= Scale3DMultiplier; }
	FORCEINLINE void NormalizeRotation() { Rotation.Normalize(); }
	FORCEINLINE bool IsRotationNormalized() const { return Rotation.IsNormalized(); }
	FORCEINLINE bool IsValid() const { return !ContainsNaN() && Rotation.IsNormalized(); }
	FORCEINLINE bool ContainsNaN() const
	{
		return Rotation.ContainsNaN() || Translation.ContainsNaN() || Scale3D.ContainsNaN();
	}

	// Per component: 0 where |s| <= Tolerance, else 1 / s.
	static FORCEINLINE TVector<T> GetSafeScaleReciprocal(const TVector<T>& InScale, T Tolerance = UE_SMALL_NUMBER)
	{
		return TVector<T>(FMath::Abs(InScale.X) <= Tolerance ? (T)0 : (T)1 / InScale.X,
			FMath::Abs(InScale.Y) <= Tolerance ? (T)0 : (T)1 / InScale.Y,
			FMath::Abs(InScale.Z) <= Tolerance ? (T)0 : (T)1 / InScale.Z);
	}
	// True when any component of either scale is strictly negative (-0 is not).
	static FORCEINLINE bool AnyHasNegativeScale(const TVector<T>& InScale3D, const TVector<T>& InOtherScale3D)
	{
		return InScale3D.X < (T)0 || InScale3D.Y < (T)0 || InScale3D.Z < (T)0 || InOtherScale3D.X < (T)0 ||
			InOtherScale3D.Y < (T)0 || InOtherScale3D.Z < (T)0;
	}

	// Composition: A first, then B (child-in-parent * parent = child in the parent's space). Any negative
	// scale goes through matrices so the mirrored axes survive.
	static FORCEINLINE void Multiply(TTransform<T>* OutTransform, const TTransform<T>* A, const TTransform<T>* B)
	{
		if (AnyHasNegativeScale(A->Scale3D, B->Scale3D))
		{
			ConstructTransformFromMatrixWithDesiredScale(
				A->ToMatrixWithScale(), B->ToMatrixWithScale(), A->Scale3D * B->Scale3D, *OutTransform);
			return;
		}
		const TQuat<T> QuatA = A->Rotation;
		const TQuat<T> QuatB = B->Rotation;
		const TVector<T> TranslateA = A->Translation;
		const TVector<T> TranslateB = B->Translation;
		const TVector<T> ScaleA = A->Scale3D;
		const TVector<T> ScaleB = B->Scale3D;
		OutTransform->Rotation = QuatB * QuatA;
		OutTransform->Translation = QuatB.RotateVector(TranslateA * ScaleB) + TranslateB;
		OutTransform->Scale3D = ScaleA * ScaleB;
	}
	FORCEINLINE TTransform<T> operator*(const TTransform<T>& Other) const
	{
		TTransform<T> Output(NoInit);
		Multiply(&Output, this, &Other);
		return Output;
	}
	FORCEINLINE void operator*=(const TTransform<T>& Other) { Multiply(this, this, &Other); }
	FORCEINLINE TTransform<T> operator*(const TQuat<T>& Other) const
	{
		TTransform<T> Output(NoInit);
		const TTransform<T> OtherTransform(Other, TVector<T>::ZeroVector, TVector<T>::OneVector);
		Multiply(&Output, this, &OtherTransform);
		return Output;
	}
	FORCEINLINE void operator*=(const TQuat<T>& Other)
	{
		const TTransform<T> OtherTransform(Other, TVector<T>::ZeroVector, TVector<T>::OneVector);
		Multiply(this, this, &OtherTransform);
	}
	// Componentwise sum and scaling, used for weighted accumulation.
	FORCEINLINE TTransform<T> operator+(const TTransform<T>& Atom) const
	{
		return TTransform<T>(Rotation + Atom.Rotation, Translation + Atom.Translation, Scale3D + Atom.Scale3D);
	}
	FORCEINLINE TTransform<T> operator*(T Mult) const
	{
		return TTransform<T>(Rotation * Mult, Translation * Mult, Scale3D * Mult);
	}

	// This transform in Other's space (this * Other^-1). A non-normalised Other rotation gives the identity.
	TTransform<T> GetRelativeTransform(const TTransform<T>& Other) const
	{
		if (!Other.IsRotationNormalized())
		{
			return Identity;
		}
		TTransform<T> Result(NoInit);
		if (AnyHasNegativeScale(Scale3D, Other.Scale3D))
		{
			const TVector<T> SafeRecipScale3D = GetSafeScaleReciprocal(Other.Scale3D, (T)UE_SMALL_NUMBER);
			ConstructTransformFromMatrixWithDesiredScale(
				ToMatrixWithScale(), Other.ToMatrixWithScale().Inverse(), Scale3D * SafeRecipScale3D, Result);
			return Result;
		}
		const TVector<T> SafeRecipScale3D = GetSafeScaleReciprocal(Other.Scale3D, (T)UE_SMALL_NUMBER);
		const TQuat<T> InverseRot = Other.Rotation.Inverse();
		Result.Scale3D = Scale3D * SafeRecipScale3D;
		Result.Translation = InverseRot.RotateVector(Translation - Other.Translation) * SafeRecipScale3D;
		Result.Rotation = InverseRot * Rotation;
		return Result;
	}
	// Other in this transform's space, the other way round: this^-1 * Other as the engine computes it.
	TTransform<T> GetRelativeTransformReverse(const TTransform<T>& Other) const
	{
		TTransform<T> Result(NoInit);
		const TVector<T> SafeRecipScale3D = GetSafeScaleReciprocal(Scale3D);
		Result.Scale3D = Other.Scale3D * SafeRecipScale3D;
		Result.Rotation = Other.Rotation * Rotation.Inverse();
		Result.Translation = Other.Translation - Result.Scale3D * (Result.Rotation * Translation);
		return Result;
	}
	// Sets this to this * ParentTransform^-1 (no normalisation check, no negative-scale path).
	void SetToRelativeTransform(const TTransform<T>& ParentTransform)
	{
		const TVector<T> SafeRecipScale3D = GetSafeScaleReciprocal(ParentTransform.Scale3D, (T)UE_SMALL_NUMBER);
		const TQuat<T> InverseRot = ParentTransform.Rotation.Inverse();
		Scale3D = Scale3D * SafeRecipScale3D;
		Translation = InverseRot.RotateVector(Translation - ParentTransform.Translation) * SafeRecipScale3D;
		Rotation = InverseRot * Rotation;
	}

	// Inverse with safe reciprocal scale; a transform whose three scales are all (nearly) zero inverts to identity.
	TTransform<T> Inverse() const
	{
		if (FMath::Abs(Scale3D.X) > (T)UE_SMALL_NUMBER || FMath::Abs(Scale3D.Y) > (T)UE_SMALL_NUMBER ||
			FMath::Abs(Scale3D.Z) > (T)UE_SMALL_NUMBER)
		{
			const TQuat<T> InvRotation = Rotation.Inverse();
			const TVector<T> InvScale3D = GetSafeScaleReciprocal(Scale3D);
			const TVector<T> InvTranslation = InvRotation.RotateVector(InvScale3D * Translation);
			return TTransform<T>(InvRotation, -InvTranslation, InvScale3D);
		}
		return Identity;
	}

	FORCEINLINE TVector<T> TransformPosition(const TVector<T>& V) const
	{
		return Rotation.RotateVector(Scale3D * V) + Translation;
	}
	FORCEINLINE TVector<T> TransformPositionNoScale(const TVector<T>& V) const
	{
		return Rotation.RotateVector(V) + Translation;
	}
	FORCEINLINE TVector<T> TransformVector(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V); }
	FORCEINLINE TVector<T> TransformVectorNoScale(const TVector<T>& V) const { return Rotation.RotateVector(V); }
	FORCEINLINE TVector<T> InverseTransformPosition(const TVector<T>& V) const
	{
		return Rotation.UnrotateVector(V - Translation) * GetSafeScaleReciprocal(Scale3D);
	}
	FORCEINLINE TVector<T> InverseTransformPositionNoScale(const TVector<T>& V) const
	{
		return Rotation.UnrotateVector(V - Translation);
	}
	FORCEINLINE TVector<T> InverseTransformVector(const TVector<T>& V) const
	{
		return Rotation.UnrotateVector(V) * GetSafeScaleReciprocal(Scale3D);
	}
	FORCEINLINE TVector<T> InverseTransformVectorNoScale(const TVector<T>& V) const
	{
		return Rotation.UnrotateVector(V);
	}
	FORCEINLINE TQuat<T> TransformRotation(const TQuat<T>& Q) const { return Rotation * Q; }
	FORCEINLINE TQuat<T> InverseTransformRotation(const TQuat<T>& Q) const { return Rotation.Inverse() * Q; }

	// The quaternion's rotation rows, each scaled by its scale component, and the translation.
	TMatrix<T> ToMatrixWithScale() const
	{
		TMatrix<T> OutMatrix = TQuatRotationTranslationMatrix<T>(Rotation, Translation);
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			OutMatrix.M[Axis][0] *= Scale3D[Axis];
			OutMatrix.M[Axis][1] *= Scale3D[Axis];
			OutMatrix.M[Axis][2] *= Scale3D[Axis];
		}
		return OutMatrix;
	}
	FORCEINLINE TMatrix<T> ToMatrixNoScale() const { return TQuatRotationTranslationMatrix<T>(Rotation, Translation); }
	FORCEINLINE TMatrix<T> ToInverseMatrixWithScale() const { return ToMatrixWithScale().Inverse(); }

	// Sets this to the blend of Atom1 and Atom2 by Alpha (see HostMathConfiguration.h for the end rules):
	// translation and scale linearly, rotation by the shortest-path linear blend, normalised.
	void Blend(const TTransform<T>& Atom1, const TTransform<T>& Atom2, float Alpha)
	{
		const T BlendAlpha = (T)Alpha;
		if constexpr (HostConfiguration::bBlendExtrapolatesOutsideUnitRange)
		{
			if (FMath::Abs(BlendAlpha) <= (T)ZERO_ANIMWEIGHT_THRESH)
			{
				*this = Atom1;
				return;
			}
			if (FMath::Abs(BlendAlpha - (T)1) <= (T)ZERO_ANIMWEIGHT_THRESH)
			{
				*this = Atom2;
				return;
			}
		}
		else
		{
			if (BlendAlpha <= (T)ZERO_ANIMWEIGHT_THRESH)
			{
				*this = Atom1;
				return;
			}
			if (BlendAlpha >= (T)1 - (T)ZERO_ANIMWEIGHT_THRESH)
			{
				*this = Atom2;
				return;
			}
		}
		const T OneMinusAlpha = (T)1 - BlendAlpha;
		TQuat<T> BlendedRotation = TQuat<T>::FastLerp(Atom1.Rotation, Atom2.Rotation, BlendAlpha);
		BlendedRotation.Normalize();
		Translation = Atom1.Translation * OneMinusAlpha + Atom2.Translation * BlendAlpha;
		Scale3D = Atom1.Scale3D * OneMinusAlpha + Atom2.Scale3D * BlendAlpha;
		Rotation = BlendedRotation;
	}
	// Blends this towards OtherAtom by Alpha, by the same rule as Blend.
	// Moves this transform towards OtherAtom; unlike Blend it never extrapolates: at or below the zero weight
	// nothing changes, at or above one minus it this becomes OtherAtom.
	FORCEINLINE void BlendWith(const TTransform<T>& OtherAtom, float Alpha)
	{
		if (Alpha > ZERO_ANIMWEIGHT_THRESH)
		{
			if (Alpha >= 1.f - ZERO_ANIMWEIGHT_THRESH)
			{
				*this = OtherAtom;
			}
			else
			{
				Translation = FMath::Lerp(Translation, OtherAtom.Translation, (T)Alpha);
				Scale3D = FMath::Lerp(Scale3D, OtherAtom.Scale3D, (T)Alpha);
				Rotation = TQuat<T>::FastLerp(Rotation, OtherAtom.Rotation, (T)Alpha);
				Rotation.Normalize();
			}
		}
	}

	static FORCEINLINE bool AreRotationsEqual(
		const TTransform<T>& A, const TTransform<T>& B, T Tolerance = UE_KINDA_SMALL_NUMBER)
	{
		return A.Rotation.Equals(B.Rotation, Tolerance);
	}
	static FORCEINLINE bool AreTranslationsEqual(
		const TTransform<T>& A, const TTransform<T>& B, T Tolerance = UE_KINDA_SMALL_NUMBER)
	{
		return A.Translation.Equals(B.Translation, Tolerance);
	}
	static FORCEINLINE bool AreScale3DsEqual(
		const TTransform<T>& A, const TTransform<T>& B, T Tolerance = UE_KINDA_SMALL_NUMBER)
	{
		return A.Scale3D.Equals(B.Scale3D, Tolerance);
	}
	FORCEINLINE bool RotationEquals(const TTransform<T>& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return AreRotationsEqual(*this, Other, Tolerance);
	}
	FORCEINLINE bool TranslationEquals(const TTransform<T>& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return AreTranslationsEqual(*this, Other, Tolerance);
	}
	FORCEINLINE bool Scale3DEquals(const TTransform<T>& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return AreScale3DsEqual(*this, Other, Tolerance);
	}
	FORCEINLINE bool Equals(const TTransform<T>& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return RotationEquals(Other, Tolerance) && TranslationEquals(Other, Tolerance) &&
			Scale3DEquals(Other, Tolerance);
	}
	FORCEINLINE bool EqualsNoScale(const TTransform<T>& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return RotationEquals(Other, Tolerance) && TranslationEquals(Other, Tolerance);
	}
	FORCEINLINE bool Identical(const TTransform<T>* Other, uint32 PortFlags = 0) const
	{
		return Rotation == Other->Rotation && Translation == Other->Translation && Scale3D == Other->Scale3D;
	}

	FORCEINLINE TVector<T> GetScaledAxis(EAxis::Type InAxis) const { return TransformVector(UnitAxis(InAxis)); }
	FORCEINLINE TVector<T> GetUnitAxis(EAxis::Type InAxis) const { return TransformVectorNoScale(UnitAxis(InAxis)); }
	FORCEINLINE T GetMaximumAxisScale() const { return Scale3D.GetAbsMax(); }
	FORCEINLINE T GetMinimumAxisScale() const { return Scale3D.GetAbsMin(); }
	FORCEINLINE void RemoveScaling(T Tolerance = UE_SMALL_NUMBER)
	{
		Scale3D = TVector<T>(1, 1, 1);
		Rotation.Normalize();
	}
	FORCEINLINE T GetDeterminant() const { return Scale3D.X * Scale3D.Y * Scale3D.Z; }

private:
	static FORCEINLINE TVector<T> UnitAxis(EAxis::Type InAxis)
	{
		return InAxis == EAxis::X ? TVector<T>(1, 0, 0)
								  : (InAxis == EAxis::Y ? TVector<T>(0, 1, 0) : TVector<T>(0, 0, 1));
	}

	// The matrix path of Multiply and GetRelativeTransform: M = AMatrix * BMatrix with unit axes, each axis flipped
	// by the sign of DesiredScale (0 counts as positive); rotation from M, translation from its origin.
	static void ConstructTransformFromMatrixWithDesiredScale(const TMatrix<T>& AMatrix, const TMatrix<T>& BMatrix,
		const TVector<T>& DesiredScale, TTransform<T>& OutTransform)
	{
		TMatrix<T> M = AMatrix * BMatrix;
		M.RemoveScaling();
		const TVector<T> SignedScale = DesiredScale.GetSignVector();
		M.SetAxis(0, M.GetScaledAxis(EAxis::X) * SignedScale.X);
		M.SetAxis(1, M.GetScaledAxis(EAxis::Y) * SignedScale.Y);
		M.SetAxis(2, M.GetScaledAxis(EAxis::Z) * SignedScale.Z);
		// A zero scale on a mirrored axis loses that axis, and the rotation falls back to identity.
		TQuat<T> Rotation = TQuat<T>(M);
		Rotation.Normalize();
		OutTransform.Scale3D = DesiredScale;
		OutTransform.Rotation = Rotation;
		OutTransform.Translation = M.GetOrigin();
	}
};

template <typename T>
inline constinit const TTransform<T> TTransform<T>::Identity(
	TQuat<T>(0, 0, 0, 1), TVector<T>(0, 0, 0), TVector<T>(1, 1, 1));
} // namespace UE::Math
