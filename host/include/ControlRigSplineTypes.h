// The ControlRigSpline plug-in's spline: ESplineType, the curve classes (clamped or closed cubic B-spline, Catmull-Rom
// Hermite) and FControlRigSpline, which caches samples of a curve through control transforms and shares them between
// its copies. Reflected as the engine reflects them ("/Script/ControlRigSpline"), so a spline can be a unit pin.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SharedPointer.h"
#include "Templates/UniquePtr.h"
#include "UObject/Class.h"
#include "UObject/ObjectMacros.h"

enum class ESplineType : uint8
{
	// A clamped cubic B-spline: smooth, starts and ends at (nearly) the end points, passes near the inner ones.
	BSpline,

	// A Catmull-Rom spline through every point.
	Hermite,

	// Not a curve type; hidden in the editor.
	Max UMETA(Hidden),
};

template <> CONTROLRIGSPLINE_API UEnum* StaticEnum<ESplineType>();

// A curve through control points, read at a parameter from 0 to 1. A closed curve repeats points from its start and
// end around the seam, Degree of them in all.
class ControlRigBaseSpline
{
protected:
	TArray<FVector> ControlPoints;
	uint16 Degree;
	bool bClosed;

public:
	CONTROLRIGSPLINE_API ControlRigBaseSpline(
		const TArrayView<const FVector>& InControlPoints, uint16 InDegree, bool bInClosed);
	virtual ~ControlRigBaseSpline() = default;

	virtual FVector GetPointAtParam(float Param) = 0;

	// Replaces the points; their count must stay the same.
	CONTROLRIGSPLINE_API virtual void SetControlPoints(const TArrayView<const FVector>& InControlPoints);

	virtual TArray<FVector>& GetControlPoints() { return ControlPoints; }

	// The points as given, without the seam's repeats of a closed curve.
	CONTROLRIGSPLINE_API virtual TArray<FVector> GetControlPointsWithoutDuplicates();

	// For each point as given, where it sits in the stored points (a closed curve's list starts one point late).
	CONTROLRIGSPLINE_API virtual TArray<uint16> GetControlIndicesWithoutDuplicates();

	uint8 GetDegree() const { return uint8(Degree); }
};

// A B-spline with a single-precision knot vector: clamped (Degree + 1 zeros and ones at the ends, uniform inside) for
// an open curve, uniform for a closed one. Points come from de Boor's algorithm.
class ControlRigBSpline : public ControlRigBaseSpline
{
	TArray<float> KnotVector;
	// De Boor's working points, Degree + 1 of them, kept so that evaluating a point allocates nothing.
	TArray<FVector> WorkingPoints;

public:
	CONTROLRIGSPLINE_API ControlRigBSpline(const TArrayView<const FVector>& InControlPoints, const uint16 InDegree,
		const bool bInClosed, const bool bInClamped);

	CONTROLRIGSPLINE_API virtual FVector GetPointAtParam(float Param) override;
};

// A Catmull-Rom spline (cubic Hermite segments with tangents of tension 0.5) through every control point; an open
// one is extended by a mirrored point at each end.
class ControlRigHermite : public ControlRigBaseSpline
{
	TArray<FVector> SegmentPoints;

	uint16 NumSegments;

public:
	CONTROLRIGSPLINE_API ControlRigHermite(const TArrayView<const FVector>& InControlPoints, const bool bInClosed);

	CONTROLRIGSPLINE_API virtual void SetControlPoints(const TArrayView<const FVector>& InControlPoints) override;

	CONTROLRIGSPLINE_API virtual FVector GetPointAtParam(float Param) override;
};

// What copies of one FControlRigSpline share: the settings it was built with, the curve and its cached samples.
struct FControlRigSplineImpl
{
	FControlRigSplineImpl() = default;
	CONTROLRIGSPLINE_API virtual ~FControlRigSplineImpl();
	//~ The curve is owned here, so the data is not copied; spline copies share it through their pointer.
	FControlRigSplineImpl(const FControlRigSplineImpl&) = delete;
	FControlRigSplineImpl& operator=(const FControlRigSplineImpl&) = delete;

	ESplineType SplineMode = ESplineType::BSpline;

	// The transforms the curve was last built from, as given.
	TArray<FTransform> ControlTransforms;

	// The sample-to-sample lengths of the first sampling with the current point count and settings.
	TArray<float> InitialLengths;

	// The curve through the control transforms' translations.
	TUniquePtr<ControlRigBaseSpline> Spline;

	bool bClosed = false;

	// Cached samples between two neighbouring control points.
	int32 SamplesPerSegment = 16;

	// Re-sampling keeps each sample step at least InitialLength * Compression long; 0 sets no lower bound.
	float Compression = 1.f;

	// Re-sampling keeps each sample step at most InitialLength * Stretch long; 0 sets no upper bound.
	float Stretch = 1.f;

	// The cached samples. Only their translations are set; the host does not orient samples.
	TArray<FTransform> SamplesArray;

	// The length along the samples up to each sample (the engine's spelling).
	TArray<float> AccumulatedLenth;

	// The curve's points, with a closed curve's repeats.
	CONTROLRIGSPLINE_API TArray<FVector>& GetControlPoints();

	CONTROLRIGSPLINE_API TArray<FTransform>& GetControlTransforms();

	// The curve's points as given, without a closed curve's repeats.
	CONTROLRIGSPLINE_API TArray<FVector> GetControlPointsWithoutDuplicates();

	// The stored transforms listed by the curve's point indices without repeats. Those indices start one point late
	// for a closed curve and are read against the transforms as given, so a closed spline's list starts with the
	// second transform and ends with the first; change detection compares against this list.
	CONTROLRIGSPLINE_API TArray<FTransform> GetControlTransformsWithoutDuplicates();

	CONTROLRIGSPLINE_API uint8 GetDegree() const;

	CONTROLRIGSPLINE_API uint16 NumSamples() const;
};

// A spline through control transforms, read from its cached samples. Reflected as "ControlRigSpline" with no
// properties: copies share one curve, so setting the points on one copy changes them all.
struct FControlRigSpline
{
	static CONTROLRIGSPLINE_API UScriptStruct* StaticStruct();

	FControlRigSpline() {}

	virtual ~FControlRigSpline() = default;

	CONTROLRIGSPLINE_API FControlRigSpline(const FControlRigSpline& InOther);
	CONTROLRIGSPLINE_API FControlRigSpline& operator=(const FControlRigSpline& InOther);

	TSharedPtr<FControlRigSplineImpl> SplineData;

	// The degree of the curve; 0 without data.
	CONTROLRIGSPLINE_API uint8 GetDegree() const;

	// SetControlTransforms with identity transforms at the points.
	CONTROLRIGSPLINE_API void SetControlPoints(const TArrayView<const FVector>& InPoints,
		const ESplineType SplineMode = ESplineType::BSpline, const bool bInClosed = false,
		const int32 SamplesPerSegment = 16, const float Compression = 1.f, const float Stretch = 1.f);

	// Builds the curve through the transforms' translations and caches (count - 1) * SamplesPerSegment samples of it.
	// Fewer than 4 transforms, or fewer than 1 sample per segment, change nothing. Transforms within 1e-4 of the
	// stored ones, with the same settings, keep the cached samples. While the count and settings stay, each
	// re-sampling keeps every sample-to-sample length between InitialLength * Compression and InitialLength * Stretch
	// (a bound of 0 is no bound), the initial lengths being those of the first sampling.
	CONTROLRIGSPLINE_API void SetControlTransforms(const TArrayView<const FTransform>& InTransforms,
		const ESplineType SplineMode = ESplineType::BSpline, const bool bInClosed = false,
		const int32 SamplesPerSegment = 16, const float Compression = 1.f, const float Stretch = 1.f);

	// The polyline of the samples at InParam (clamped to 0..1); the zero vector without data.
	CONTROLRIGSPLINE_API FVector PositionAtParam(const float InParam) const;

	// The sample-to-sample step at InParam (clamped to 0..1), not normalised; the zero vector without data.
	CONTROLRIGSPLINE_API FVector TangentAtParam(const float InParam) const;

	// The length along the samples up to InParam (clamped to 0..1); 0 without data.
	CONTROLRIGSPLINE_API float LengthAtParam(const float InParam) const;
};
