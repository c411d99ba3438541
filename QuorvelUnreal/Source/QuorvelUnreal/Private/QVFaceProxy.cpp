// Proxy edit test and the conversions between proxy and control.
#include "QVFaceProxy.h"

#include "QVFaceFrame.h"

namespace
{
// Differences at or below this are a proxy's own round trip through the control's value, not an edit.
constexpr double EditTolerance = 1e-5;

bool AnyComponentDiffers(const FVector& A, const FVector& B)
{
	return FMath::Abs(A.X - B.X) > EditTolerance || FMath::Abs(A.Y - B.Y) > EditTolerance ||
		FMath::Abs(A.Z - B.Z) > EditTolerance;
}
} // namespace

bool QVFaceProxy::IsEdited(const FTransform& Current, const FTransform& Stored)
{
	return AnyComponentDiffers(Current.GetTranslation(), Stored.GetTranslation()) ||
		!Current.GetRotation().Equals(Stored.GetRotation(), EditTolerance) ||
		AnyComponentDiffers(Current.GetScale3D(), Stored.GetScale3D());
}

FVector QVFaceProxy::ScaleRatio(const FVector& ProxyParentRestScale, const FVector& ControlParentScale)
{
	FVector Ratio;
	for (int32 Axis = 0; Axis < 3; ++Axis)
	{
		Ratio[Axis] = FMath::Abs(ControlParentScale[Axis]) > QVFaceFrame::SmallNumber
			? ProxyParentRestScale[Axis] / ControlParentScale[Axis]
			: 1.0;
	}
	return Ratio;
}

FTransform QVFaceProxy::ToControl(const FTransform& ProxyLocal, const FVector& Ratio)
{
	FTransform Result = ProxyLocal;
	Result.SetTranslation(ProxyLocal.GetTranslation() * Ratio);
	return Result;
}

FTransform QVFaceProxy::ToProxy(const FTransform& ControlLocal, const FVector& Ratio)
{
	FVector Translation = ControlLocal.GetTranslation();
	for (int32 Axis = 0; Axis < 3; ++Axis)
	{
		if (FMath::Abs(Ratio[Axis]) > QVFaceFrame::SmallNumber)
		{
			Translation[Axis] /= Ratio[Axis];
		}
	}
	FTransform Result = ControlLocal;
	Result.SetTranslation(Translation);
	return Result;
}
