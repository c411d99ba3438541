// The lazily propagated hierarchy against an eager model that recomputes every global transform from scratch.
#include "RigTestUtils.h"

#include <random>

namespace
{
// Keeps only local transforms and derives everything else on every read.
struct FEagerModel
{
	struct FElement
	{
		int32 Parent = INDEX_NONE;
		bool bControl = false;
		FTransform Local[2];
		FTransform OffsetLocal[2];
	};
	TArray<FElement> Elements;

	FTransform ParentGlobal(int32 Index, int32 Pose) const
	{
		const int32 Parent = Elements[Index].Parent;
		return Parent == INDEX_NONE ? FTransform::Identity : Global(Parent, Pose);
	}
	FTransform OffsetGlobal(int32 Index, int32 Pose) const
	{
		return Elements[Index].OffsetLocal[Pose] * ParentGlobal(Index, Pose);
	}
	FTransform Frame(int32 Index, int32 Pose) const
	{
		return Elements[Index].bControl ? OffsetGlobal(Index, Pose) : ParentGlobal(Index, Pose);
	}
	FTransform Global(int32 Index, int32 Pose) const { return Elements[Index].Local[Pose] * Frame(Index, Pose); }

	// A Transform control stores its value in single precision and reads it back with a normalised rotation.
	static FTransform Quantize(const FTransform& T)
	{
		return FRigControlValue::Make<FTransform>(T).GetAsTransform(ERigControlType::Transform, ERigControlAxis::X);
	}

	// Runs Change, then gives the direct children of Index back the globals (or control offsets) they had.
	template <typename FChange> void Write(int32 Index, int32 Pose, bool bAffectChildren, FChange Change)
	{
		TArray<TPair<int32, FTransform>> Kept;
		if (!bAffectChildren)
		{
			for (int32 Child = 0; Child < Elements.Num(); ++Child)
			{
				if (Elements[Child].Parent == Index)
				{
					Kept.Add({Child, Elements[Child].bControl ? OffsetGlobal(Child, Pose) : Global(Child, Pose)});
				}
			}
		}
		Change();
		for (const TPair<int32, FTransform>& Pair : Kept)
		{
			FElement& Child = Elements[Pair.Key];
			(Child.bControl ? Child.OffsetLocal[Pose] : Child.Local[Pose]) =
				Pair.Value.GetRelativeTransform(ParentGlobal(Pair.Key, Pose));
		}
	}
};

FTransform RandomTransform(std::mt19937& Random)
{
	std::uniform_real_distribution<double> Angle(-180.0, 180.0);
	std::uniform_real_distribution<double> Offset(-10.0, 10.0);
	std::uniform_real_distribution<double> Scale(0.8, 1.25);
	return FTransform(FRotator(Angle(Random), Angle(Random), Angle(Random)),
		FVector(Offset(Random), Offset(Random), Offset(Random)), FVector(Scale(Random)));
}

// Random trees and writes on both sides; every read must agree within a tolerance relative to the transform's
// size.
void RunAgainstEagerModel(bool bWithControls, double RelativeError)
{
	auto RelativeTolerance = [RelativeError](const FTransform& Expected)
	{ return RelativeError * (1.0 + Expected.GetTranslation().Size()); };
	for (uint32 Seed = 1; Seed <= 20; ++Seed)
	{
		std::mt19937 Random(Seed);
		URigHierarchy Hierarchy;
		URigHierarchyController* Controller = Hierarchy.GetController();
		FEagerModel Model;

		// A random tree of bones, nulls and Transform controls with offsets.
		for (int32 Index = 0; Index < 14; ++Index)
		{
			FEagerModel::FElement Element;
			Element.Parent = Index == 0 ? INDEX_NONE : int32(Random() % (Index + 1)) - 1;
			const FRigElementKey Parent = Hierarchy.GetKey(Element.Parent);
			const FName Name(FString::Printf(TEXT("e%d"), Index));
			const FTransform Local = RandomTransform(Random);
			switch (Random() % (bWithControls ? 3 : 2))
			{
				case 0:
					Controller->AddBone(Name, Parent, Local, false);
					Element.Local[0] = Element.Local[1] = Local;
					break;
				case 1:
					Controller->AddNull(Name, Parent, Local, false);
					Element.Local[0] = Element.Local[1] = Local;
					break;
				default:
				{
					const FTransform Offset = RandomTransform(Random);
					Controller->AddControl(Name, Parent, MakeControlSettings(ERigControlType::Transform),
						FRigControlValue::Make<FTransform>(Local), Offset);
					Element.bControl = true;
					Element.Local[0] = Element.Local[1] = FEagerModel::Quantize(Local);
					Element.OffsetLocal[0] = Element.OffsetLocal[1] = Offset;
				}
			}
			Model.Elements.Add(Element);
		}

		for (int32 Step = 0; Step < 300; ++Step)
		{
			const int32 Index = int32(Random() % Model.Elements.Num());
			FEagerModel::FElement& Element = Model.Elements[Index];
			FRigTransformElement* HostElement = Hierarchy.Get<FRigTransformElement>(Index);
			const ERigTransformType::Type Type = ERigTransformType::Type(Random() % 4);
			const int32 Pose = ERigTransformType::IsInitial(Type) ? 0 : 1;
			const bool bAffectChildren = Random() % 2 == 0;
			const FTransform T = RandomTransform(Random);

			switch (Random() % 4)
			{
				case 0: // transform write
					Hierarchy.SetTransform(HostElement, T, Type, bAffectChildren);
					Model.Write(Index, Pose, bAffectChildren,
						[&]
						{
							FTransform Local =
								ERigTransformType::IsLocal(Type) ? T : T.GetRelativeTransform(Model.Frame(Index, Pose));
							Element.Local[Pose] = Element.bControl ? FEagerModel::Quantize(Local) : Local;
						});
					break;
				case 1: // offset write
					if (Element.bControl)
					{
						Hierarchy.SetControlOffsetTransform(
							static_cast<FRigControlElement*>(HostElement), T, Type, bAffectChildren);
						// An initial offset is written to the current pose as well.
						for (int32 OffsetPose = Pose; OffsetPose < 2; ++OffsetPose)
						{
							Model.Write(Index, OffsetPose, bAffectChildren,
								[&]
								{
									Element.OffsetLocal[OffsetPose] = ERigTransformType::IsLocal(Type)
										? T
										: T.GetRelativeTransform(Model.ParentGlobal(Index, OffsetPose));
								});
						}
					}
					break;
				case 2: // value write
					if (Element.bControl)
					{
						Hierarchy.SetControlValue(static_cast<FRigControlElement*>(HostElement),
							FRigControlValue::Make<FTransform>(T),
							Pose == 0 ? ERigControlValueType::Initial : ERigControlValueType::Current);
						Model.Write(Index, Pose, true, [&] { Element.Local[Pose] = FEagerModel::Quantize(T); });
					}
					break;
				default: // reads in between, so some dirty state gets resolved along the way
				{
					const FTransform Read = Hierarchy.GetTransform(HostElement, Type);
					const FTransform Expected =
						ERigTransformType::IsLocal(Type) ? Element.Local[Pose] : Model.Global(Index, Pose);
					ASSERT_TRUE(TransformsNear(Read, Expected, RelativeTolerance(Expected)))
						<< "seed " << Seed << " step " << Step;
				}
			}
		}

		for (int32 Index = 0; Index < Model.Elements.Num(); ++Index)
		{
			for (int32 Pose = 0; Pose < 2; ++Pose)
			{
				ASSERT_TRUE(TransformsNear(Hierarchy.GetGlobalTransformByIndex(Index, Pose == 0),
					Model.Global(Index, Pose), RelativeTolerance(Model.Global(Index, Pose))))
					<< "seed " << Seed << " element " << Index;
				ASSERT_TRUE(TransformsNear(Hierarchy.GetLocalTransformByIndex(Index, Pose == 0),
					Model.Elements[Index].Local[Pose], RelativeTolerance(Model.Elements[Index].Local[Pose])))
					<< "seed " << Seed << " element " << Index;
			}
		}
	}
}
} // namespace

TEST(RigHierarchyPropagation, RandomWritesOnBonesAndNullsMatchAnEagerModel)
{
	RunAgainstEagerModel(false, 1e-10);
}

TEST(RigHierarchyPropagation, RandomWritesWithControlsMatchAnEagerModel)
{
	// Control values are single precision and get rounded at slightly different points on the two sides; a
	// propagation fault is off by whole units, far beyond this.
	RunAgainstEagerModel(true, 1e-4);
}
