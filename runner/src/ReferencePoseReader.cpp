// Reading reference pose tables: every value checked, every failure naming its JSON path.
#include "QVJson/JsonDocument.h"
#include "QVJson/JsonShapes.h"
#include "QVRig/ElementNames.h"
#include "QVRig/MayaRotation.h"
#include "QVRig/ReferencePoses.h"

namespace
{
const TCHAR* const FormatName = TEXT("quorvel-reference-poses");
constexpr int32 FormatVersion = 1;
// A 3x3 part with a smaller determinant has collapsed an axis: no rotation can be read from it.
constexpr double MinMatrixDeterminant = 1e-12;

const TArray<FString>& UpAxisWords()
{
	static const TArray<FString> Words = {TEXT("y"), TEXT("z")};
	return Words;
}

// The length units a table may be in, and their size in centimetres.
const TArray<FString>& LinearUnitWords()
{
	static const TArray<FString> Words = {TEXT("mm"), TEXT("cm"), TEXT("m")};
	return Words;
}
const double LinearUnitCentimetres[] = {0.1, 1.0, 100.0};

FRigElementKey ReadElement(const FQVJsonValue& InValue, const URigHierarchy& InHierarchy, EQVRotateOrder& OutOrder)
{
	InValue.ExpectObject({TEXT("name"), TEXT("type"), TEXT("rotateOrder")});
	const TOptional<FQVJsonValue> Order = InValue.Find(TEXT("rotateOrder"));
	OutOrder =
		Order ? static_cast<EQVRotateOrder>(Order->AsChoice(FQVMayaRotation::GetOrderNames())) : EQVRotateOrder::XYZ;

	const FQVJsonValue NameValue = InValue.Get(TEXT("name"));
	const FName Name = NameValue.AsName();
	if (const TOptional<FQVJsonValue> Type = InValue.Find(TEXT("type")))
	{
		const FRigElementKey Key(Name, FQVJsonShapes::ReadElementType(*Type));
		if (!InHierarchy.Contains(Key))
		{
			NameValue.Fail(FString::Printf(TEXT("the rig has no %s"), *FQVElementNames::Describe(Key)));
		}
		return InHierarchy.GetKey(InHierarchy.GetIndex(Key));
	}
	FRigElementKey Key;
	FString Error;
	if (!FQVElementNames::Resolve(InHierarchy, Name.ToString(), Key, Error))
	{
		NameValue.Fail(Error + TEXT(" in the rig (a \"type\" picks one type)"));
	}
	return Key;
}

// [x, y, z] of finite numbers: a reference holds measured poses, never NaN or infinities.
FVector ReadVector(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("[x, y, z]"), 3, 3);
	return FVector(InValue.At(0).AsNumber(), InValue.At(1).AsNumber(), InValue.At(2).AsNumber());
}

// A Maya world matrix: sixteen numbers row by row, rows as the node's scaled axes and then its position.
FTransform ReadMatrix(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("a world matrix of 16 numbers"), 16, 16);
	FMatrix Matrix;
	for (int32 Index = 0; Index < 16; ++Index)
	{
		Matrix.M[Index / 4][Index % 4] = InValue.At(Index).AsNumber();
	}
	if (Matrix.M[0][3] != 0.0 || Matrix.M[1][3] != 0.0 || Matrix.M[2][3] != 0.0 || Matrix.M[3][3] != 1.0)
	{
		InValue.Fail(FString::Printf(TEXT("a world matrix ends its rows with 0, 0, 0 and 1 (its position is the fourth "
										  "row), found %g, %g, %g and %g"),
			Matrix.M[0][3], Matrix.M[1][3], Matrix.M[2][3], Matrix.M[3][3]));
	}
	if (FMath::Abs(Matrix.RotDeterminant()) < MinMatrixDeterminant)
	{
		InValue.Fail(TEXT("the matrix has collapsed an axis (its 3x3 part is singular), so it holds no rotation"));
	}
	return FTransform(Matrix);
}

FQVReferencePose ReadPose(const FQVJsonValue& InValue, EQVRotateOrder InOrder, const FQVAxisConversion& InAxes)
{
	InValue.ExpectObject({TEXT("translate"), TEXT("rotate"), TEXT("scale"), TEXT("matrix")});
	FQVReferencePose Pose;
	FTransform Transform;
	if (const TOptional<FQVJsonValue> Matrix = InValue.Find(TEXT("matrix")))
	{
		if (InValue.Find(TEXT("translate")) || InValue.Find(TEXT("rotate")) || InValue.Find(TEXT("scale")))
		{
			InValue.Fail(TEXT("a pose is either { \"matrix\" } or { \"translate\", \"rotate\", \"scale\" }, not both"));
		}
		Transform = ReadMatrix(*Matrix);
	}
	else
	{
		const FVector Translate = ReadVector(InValue.Get(TEXT("translate")));
		const FVector Rotate = ReadVector(InValue.Get(TEXT("rotate")));
		const TOptional<FQVJsonValue> Scale = InValue.Find(TEXT("scale"));
		Pose.bHasScale = Scale.IsSet();
		Transform = FTransform(
			FQVMayaRotation::ToQuat(Rotate, InOrder), Translate, Scale ? ReadVector(*Scale) : FVector::OneVector);
	}
	Pose.Transform = InAxes.ToEngine(Transform);
	return Pose;
}

FQVReferencePoses Read(const FQVJsonValue& InRoot, const FQVRig& InRig)
{
	InRoot.ExpectObject({TEXT("format"), TEXT("version"), TEXT("source"), TEXT("upAxis"), TEXT("linearUnit"),
		TEXT("frameRate"), TEXT("elements"), TEXT("frames")});
	const FQVJsonValue Format = InRoot.Get(TEXT("format"));
	if (!Format.IsString() || Format.AsString() != FormatName)
	{
		Format.FailExpected(FString::Printf(TEXT("the string \"%s\""), FormatName));
	}
	const FQVJsonValue Version = InRoot.Get(TEXT("version"));
	if (Version.AsInt32() != FormatVersion)
	{
		Version.Fail(FString::Printf(
			TEXT("this runner reads version %d, and the table is version %d"), FormatVersion, Version.AsInt32()));
	}
	if (const TOptional<FQVJsonValue> Source = InRoot.Find(TEXT("source")))
	{
		Source->AsString();
	}

	FQVReferencePoses Table;
	if (const TOptional<FQVJsonValue> UpAxis = InRoot.Find(TEXT("upAxis")))
	{
		Table.Axes.UpAxis = UpAxis->AsChoice(UpAxisWords()) == 0 ? EQVUpAxis::Y : EQVUpAxis::Z;
	}
	if (const TOptional<FQVJsonValue> Unit = InRoot.Find(TEXT("linearUnit")))
	{
		Table.Axes.UnitInCentimetres = LinearUnitCentimetres[Unit->AsChoice(LinearUnitWords())];
	}
	const FQVRigAnimation& Animation = InRig.GetAnimation();
	if (const TOptional<FQVJsonValue> FrameRate = InRoot.Find(TEXT("frameRate")))
	{
		const double Rate = FrameRate->AsNumber();
		if (FMath::Abs(Rate - Animation.FrameRate) > 1e-9 * Animation.FrameRate)
		{
			FrameRate->Fail(FString::Printf(
				TEXT("the table was sampled at %g fps, and the rig runs at %g fps"), Rate, Animation.FrameRate));
		}
	}

	const URigHierarchy& Hierarchy = InRig.GetHierarchy();
	const FQVJsonValue Elements = InRoot.Get(TEXT("elements"));
	const int32 NumElements = Elements.ExpectArray(TEXT("an array of at least one element"), 1);
	TArray<EQVRotateOrder> Orders;
	TMap<FRigElementKey, int32> Listed;
	for (int32 Index = 0; Index < NumElements; ++Index)
	{
		EQVRotateOrder& Order = Orders.AddDefaulted_GetRef();
		const FRigElementKey Key = ReadElement(Elements.At(Index), Hierarchy, Order);
		if (const int32* Earlier = Listed.Find(Key))
		{
			Elements.At(Index).Fail(FString::Printf(
				TEXT("%s is listed twice, first at elements[%d]"), *FQVElementNames::Describe(Key), *Earlier));
		}
		Listed.Add(Key, Index);
		Table.Elements.Add(Key);
	}

	const FQVJsonValue Frames = InRoot.Get(TEXT("frames"));
	const int32 NumFrames = Frames.ExpectArray(TEXT("an array of at least one frame"), 1);
	const FString PosesShape = FString::Printf(TEXT("an array of %d poses, one per element"), NumElements);
	for (int32 Index = 0; Index < NumFrames; ++Index)
	{
		const FQVJsonValue Entry = Frames.At(Index);
		Entry.ExpectObject({TEXT("frame"), TEXT("poses")});
		const FQVJsonValue FrameValue = Entry.Get(TEXT("frame"));
		const int32 Frame = FrameValue.AsInt32();
		if (Frame < 0 || Frame >= Animation.FrameCount)
		{
			FrameValue.Fail(FString::Printf(
				TEXT("the rig evaluates frames 0 to %d, and this is frame %d"), Animation.FrameCount - 1, Frame));
		}
		if (!Table.Frames.IsEmpty() && Frame <= Table.Frames.Last())
		{
			FrameValue.Fail(FString::Printf(
				TEXT("frames must be in increasing order, and frame %d follows frame %d"), Frame, Table.Frames.Last()));
		}
		Table.Frames.Add(Frame);
		const FQVJsonValue Poses = Entry.Get(TEXT("poses"));
		Poses.ExpectArray(*PosesShape, NumElements, NumElements);
		for (int32 Element = 0; Element < NumElements; ++Element)
		{
			Table.Poses.Add(ReadPose(Poses.At(Element), Orders[Element], Table.Axes));
		}
	}
	return Table;
}
} // namespace

TOptional<FQVReferencePoses> FQVReferencePoses::LoadFile(const FString& InPath, const FQVRig& InRig, FString& OutError)
{
	try
	{
		const FQVJson Document = FQVJsonDocument::LoadFile(InPath, TEXT("a reference pose table"));
		return Read(FQVJsonValue(Document, FString()), InRig);
	}
	catch (FQVJsonError& Error)
	{
		Error.SetFileIfUnset(InPath);
		OutError = Error.Format();
		return TOptional<FQVReferencePoses>();
	}
}
