// Transform relations of the rig hierarchy after writes in every transform type and both affect-children modes.
#include "QVHost/RigHierarchyAccess.h"
#include "RigTestUtils.h"

namespace
{
// root (global: yaw 90 at (10, 0, 0)) > child (local (1, 0, 0)) > grandchild (local (0, 2, 0)).
struct FBoneChain
{
	URigHierarchy Hierarchy;
	FRigElementKey Root, Child, Grandchild;

	FBoneChain()
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		Root = Controller->AddBone(TEXT("root"), FRigElementKey(), MakeTransform(0, 90, 0, FVector(10, 0, 0)));
		Child = Controller->AddBone(TEXT("child"), Root, FTransform(FVector(1, 0, 0)), false);
		Grandchild = Controller->AddNull(TEXT("grandchild"), Child, FTransform(FVector(0, 2, 0)), false);
	}

	FRigTransformElement* Element(const FRigElementKey& Key) { return Hierarchy.Find<FRigTransformElement>(Key); }
	FTransform Get(const FRigElementKey& Key, ERigTransformType::Type Type)
	{
		return Hierarchy.GetTransform(Element(Key), Type);
	}
};
} // namespace

TEST(RigHierarchyTransforms, GlobalIsLocalComposedWithParentGlobal)
{
	FBoneChain Rig;
	const FQuat Yaw90 = FRotator(0, 90, 0).Quaternion();
	// Yaw 90 turns +X onto +Y and +Y onto -X.
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Child, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(10, 1, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(8, 1, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::InitialGlobal), FTransform(Yaw90, FVector(8, 1, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentLocal), FTransform(FVector(0, 2, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig.Hierarchy.GetParentTransform(Rig.Element(Rig.Grandchild), ERigTransformType::CurrentGlobal),
			FTransform(Yaw90, FVector(10, 1, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig.Hierarchy.GetParentTransform(Rig.Element(Rig.Root), ERigTransformType::CurrentGlobal),
			FTransform::Identity));
}

TEST(RigHierarchyTransforms, AffectChildrenCarriesChildrenAlong)
{
	for (ERigTransformType::Type Type : {ERigTransformType::CurrentGlobal, ERigTransformType::CurrentLocal})
	{
		FBoneChain Rig;
		// The root has no parent, so its local and global writes mean the same.
		Rig.Hierarchy.SetTransform(Rig.Element(Rig.Root), FTransform(FVector(0, 0, 5)), Type, true);
		EXPECT_TRUE(TransformsNear(Rig.Get(Rig.Child, ERigTransformType::CurrentLocal), FTransform(FVector(1, 0, 0))));
		EXPECT_TRUE(TransformsNear(Rig.Get(Rig.Child, ERigTransformType::CurrentGlobal), FTransform(FVector(1, 0, 5))));
		EXPECT_TRUE(
			TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentGlobal), FTransform(FVector(1, 2, 5))));
		// The initial pose is untouched.
		EXPECT_TRUE(TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::InitialGlobal),
			FTransform(FRotator(0, 90, 0).Quaternion(), FVector(8, 1, 0))));
	}
}

TEST(RigHierarchyTransforms, WithoutAffectChildrenChildrenKeepTheirGlobals)
{
	FBoneChain Rig;
	const FQuat Yaw90 = FRotator(0, 90, 0).Quaternion();
	Rig.Hierarchy.SetTransform(
		Rig.Element(Rig.Root), FTransform(FVector(0, 0, 5)), ERigTransformType::CurrentGlobal, false);
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Child, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(10, 1, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Child, ERigTransformType::CurrentLocal), FTransform(Yaw90, FVector(10, 1, -5))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(8, 1, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentLocal), FTransform(FVector(0, 2, 0))));

	// A local write in the middle: the child moves to (10, 0, 1) under the original root, the grandchild stays.
	FBoneChain Rig2;
	Rig2.Hierarchy.SetTransform(
		Rig2.Element(Rig2.Child), FTransform(FVector(0, 0, 1)), ERigTransformType::CurrentLocal, false);
	EXPECT_TRUE(
		TransformsNear(Rig2.Get(Rig2.Child, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(10, 0, 1))));
	EXPECT_TRUE(TransformsNear(
		Rig2.Get(Rig2.Grandchild, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(8, 1, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig2.Get(Rig2.Grandchild, ERigTransformType::CurrentLocal), FTransform(FVector(1, 2, -1))));
}

TEST(RigHierarchyTransforms, InitialPoseIsIndependentOfCurrentPose)
{
	FBoneChain Rig;
	const FQuat Yaw90 = FRotator(0, 90, 0).Quaternion();
	Rig.Hierarchy.SetTransform(
		Rig.Element(Rig.Child), FTransform(FVector(0, 0, 3)), ERigTransformType::InitialGlobal, true);
	EXPECT_TRUE(TransformsNear(
		Rig.Get(Rig.Child, ERigTransformType::InitialLocal), FTransform(Yaw90.Inverse(), FVector(0, 10, 3))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::InitialGlobal), FTransform(FVector(0, 2, 3))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Child, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(10, 1, 0))));

	Rig.Hierarchy.SetTransform(
		Rig.Element(Rig.Grandchild), FTransform(FVector(4, 0, 0)), ERigTransformType::InitialLocal, true);
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::InitialGlobal), FTransform(FVector(4, 0, 3))));
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentGlobal), FTransform(Yaw90, FVector(8, 1, 0))));

	Rig.Hierarchy.ResetPoseToInitial();
	EXPECT_TRUE(
		TransformsNear(Rig.Get(Rig.Grandchild, ERigTransformType::CurrentGlobal), FTransform(FVector(4, 0, 3))));
	EXPECT_TRUE(TransformsNear(
		Rig.Get(Rig.Child, ERigTransformType::CurrentLocal), Rig.Get(Rig.Child, ERigTransformType::InitialLocal)));
}

TEST(RigHierarchyTransforms, MissingElementsReadIdentityAndIgnoreWrites)
{
	FBoneChain Rig;
	const FRigElementKey Missing(TEXT("nope"), ERigElementType::Bone);
	const FRigElementKey WrongType(TEXT("child"), ERigElementType::Null);
	const FTransform Moved(FVector(1, 2, 3));

	EXPECT_EQ(Rig.Hierarchy.GetIndex(Missing), INDEX_NONE);
	EXPECT_EQ(Rig.Hierarchy.GetIndex(WrongType), INDEX_NONE);
	EXPECT_EQ(Rig.Hierarchy.GetIndex(FRigElementKey()), INDEX_NONE);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Missing), FTransform::Identity));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(WrongType, true), FTransform::Identity));
	EXPECT_TRUE(
		TransformsNear(Rig.Hierarchy.GetTransform(nullptr, ERigTransformType::CurrentGlobal), FTransform::Identity));
	EXPECT_TRUE(TransformsNear(
		Rig.Hierarchy.GetParentTransform(nullptr, ERigTransformType::CurrentGlobal), FTransform::Identity));

	Rig.Hierarchy.SetGlobalTransform(Missing, Moved);
	Rig.Hierarchy.SetLocalTransform(WrongType, Moved, true);
	Rig.Hierarchy.SetTransform(nullptr, Moved, ERigTransformType::CurrentGlobal, true);
	for (const FRigElementKey& Key : {Rig.Root, Rig.Child, Rig.Grandchild})
	{
		for (int32 Type = 0; Type < ERigTransformType::NumTransformTypes; ++Type)
		{
			const FTransform Value = Rig.Get(Key, ERigTransformType::Type(Type));
			EXPECT_FALSE(Value.GetTranslation().Equals(Moved.GetTranslation(), 1e-3)) << *Key.ToString();
		}
	}

	// Indices outside the range, and elements of another class, count as missing.
	EXPECT_EQ(Rig.Hierarchy.Get(-1), nullptr);
	EXPECT_EQ(Rig.Hierarchy.Get(Rig.Hierarchy.Num()), nullptr);
	EXPECT_EQ(Rig.Hierarchy.Get<FRigControlElement>(Rig.Hierarchy.GetIndex(Rig.Root)), nullptr);
	EXPECT_EQ(Rig.Hierarchy.Get<FRigNullElement>(Rig.Hierarchy.GetIndex(Rig.Root)), nullptr);
	EXPECT_NE(Rig.Hierarchy.Get<FRigTransformElement>(Rig.Hierarchy.GetIndex(Rig.Grandchild)), nullptr);
	EXPECT_NE(Rig.Hierarchy.Get<FRigBoneElement>(Rig.Hierarchy.GetIndex(Rig.Root)), nullptr);
}

TEST(RigHierarchyTransforms, KeysCompareWithoutCaseButWithType)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	const FRigElementKey Foot = Controller->AddBone(TEXT("Foot_L"), FRigElementKey(), FTransform::Identity);
	const FRigElementKey FootNull = Controller->AddNull(TEXT("foot_l"), FRigElementKey(), FTransform(FVector(0, 0, 1)));
	EXPECT_EQ(FootNull.Name, FName(TEXT("foot_l")));

	EXPECT_EQ(Hierarchy.GetIndex(FRigElementKey(TEXT("FOOT_L"), ERigElementType::Bone), true), 0);
	EXPECT_EQ(Hierarchy.GetIndex(FRigElementKey(TEXT("FOOT_l"), ERigElementType::Null), true), 1);
	EXPECT_EQ(Hierarchy.GetIndex(FRigElementKey(TEXT("foot_l"), ERigElementType::Control), true), INDEX_NONE);

	// Each element keeps the spelling it was added with, whichever spelling the process met first.
	EXPECT_STREQ(*Hierarchy.Find(Foot)->GetName(), "Foot_L");
	EXPECT_STREQ(*Hierarchy.Find(FootNull)->GetName(), "foot_l");

	// Adding a taken name of the same type numbers it.
	const FRigElementKey Second = Controller->AddBone(TEXT("foot_L"), FRigElementKey(), FTransform::Identity);
	EXPECT_EQ(Second.Name, FName(TEXT("foot_L_1")));
	EXPECT_STREQ(*Hierarchy.Find(Foot)->GetName(), "Foot_L");
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Bone), 2);
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Null), 1);
}

TEST(RigHierarchyTransforms, ParentsChildrenAndDepth)
{
	FBoneChain Rig;
	EXPECT_EQ(Rig.Hierarchy.GetFirstParent(Rig.Grandchild), Rig.Child);
	EXPECT_FALSE(Rig.Hierarchy.GetFirstParent(Rig.Root).IsValid());
	EXPECT_EQ(Rig.Hierarchy.GetFirstParent(FRigElementKey(TEXT("nope"), ERigElementType::Bone)), FRigElementKey());

	const TConstArrayView<FRigBaseElement*> Children = Rig.Hierarchy.GetChildren(Rig.Hierarchy.Find(Rig.Root));
	ASSERT_EQ(Children.Num(), 1);
	EXPECT_EQ(Children[0]->GetKey(), Rig.Child);
	EXPECT_EQ(Rig.Hierarchy.GetChildren(Rig.Hierarchy.Find(Rig.Grandchild)).Num(), 0);
	EXPECT_EQ(Rig.Hierarchy.GetChildren(nullptr).Num(), 0);
	EXPECT_EQ(Rig.Hierarchy.GetChildren(Rig.Root, true).Num(), 2);
	EXPECT_EQ(QVHost::FRigHierarchyAccess::GetDepth(Rig.Hierarchy, Rig.Hierarchy.Find(Rig.Grandchild)), 2);
	EXPECT_EQ(QVHost::FRigHierarchyAccess::GetDepth(Rig.Hierarchy, Rig.Hierarchy.Find(Rig.Root)), 0);
	EXPECT_EQ(QVHost::FRigHierarchyAccess::GetDepth(Rig.Hierarchy, nullptr), INDEX_NONE);

	// A parent key that does not resolve leaves the new element at the root.
	const FRigElementKey Orphan = Rig.Hierarchy.GetController()->AddNull(
		TEXT("orphan"), FRigElementKey(TEXT("missing"), ERigElementType::Null), FTransform(FVector(1, 1, 1)));
	EXPECT_FALSE(Rig.Hierarchy.GetFirstParent(Orphan).IsValid());
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Orphan), FTransform(FVector(1, 1, 1))));
}

TEST(RigHierarchyTransforms, IndexReadsAndWritesMatchKeyReads)
{
	FBoneChain Rig;
	const int32 Child = Rig.Hierarchy.GetIndex(Rig.Child);
	Rig.Hierarchy.SetLocalTransformByIndex(Child, FTransform(FVector(2, 0, 0)));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(Child), FTransform(FVector(2, 0, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransformByIndex(Child, true), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetInitialLocalTransform(Child), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetInitialLocalTransform(Rig.Child), FTransform(FVector(1, 0, 0))));

	Rig.Hierarchy.SetGlobalTransformByIndex(Child, FTransform(FVector(0, 0, 7)), true);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetInitialGlobalTransform(Child), FTransform(FVector(0, 0, 7))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Child, true), FTransform(FVector(0, 0, 7))));
	EXPECT_TRUE(TransformsNear(
		Rig.Hierarchy.GetGlobalTransform(Child), FTransform(FRotator(0, 90, 0).Quaternion(), FVector(10, 2, 0))));

	// Indices outside the range read identity and ignore writes.
	Rig.Hierarchy.SetLocalTransformByIndex(INDEX_NONE, FTransform(FVector(9, 9, 9)));
	Rig.Hierarchy.SetGlobalTransformByIndex(Rig.Hierarchy.Num(), FTransform(FVector(9, 9, 9)));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(INDEX_NONE), FTransform::Identity));
	EXPECT_TRUE(
		TransformsNear(Rig.Hierarchy.GetLocalTransformByIndex(Rig.Hierarchy.Num(), true), FTransform::Identity));
}

TEST(RigHierarchyTransforms, TraversalOrdersOfKeysAndChildren)
{
	// a > (b > (d, e), c > f), g: added in the order a b c d e f g.
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	auto AddNull = [&](const TCHAR* Name, const FRigElementKey& Parent)
	{ return Controller->AddNull(Name, Parent, FTransform::Identity); };
	const FRigElementKey A = AddNull(TEXT("a"), FRigElementKey());
	const FRigElementKey B = Controller->AddBone(TEXT("b"), A, FTransform::Identity);
	const FRigElementKey C = AddNull(TEXT("c"), A);
	const FRigElementKey D = AddNull(TEXT("d"), B);
	const FRigElementKey E = Controller->AddBone(TEXT("e"), B, FTransform::Identity);
	const FRigElementKey F = AddNull(TEXT("f"), C);
	const FRigElementKey G = AddNull(TEXT("g"), FRigElementKey());

	auto Names = [](const TArray<FRigElementKey>& Keys)
	{
		FString Result;
		for (const FRigElementKey& Key : Keys)
		{
			Result += Key.Name.ToString();
		}
		return Result;
	};
	EXPECT_TRUE(Names(Hierarchy.GetAllKeys()).Equals(TEXT("abcdefg")));
	EXPECT_TRUE(Names(Hierarchy.GetAllKeys(true)).Equals(TEXT("abdecfg")));
	EXPECT_TRUE(Names(Hierarchy.GetAllKeys(true, ERigElementType::Null)).Equals(TEXT("adcfg")));
	EXPECT_TRUE(Names(Hierarchy.GetAllKeys(false, ERigElementType::Bone)).Equals(TEXT("be")));

	// Descendants come level by level.
	EXPECT_TRUE(Names(Hierarchy.GetChildren(A)).Equals(TEXT("bc")));
	EXPECT_TRUE(Names(Hierarchy.GetChildren(A, true)).Equals(TEXT("bcdef")));
	EXPECT_TRUE(Names(Hierarchy.GetChildren(G, true)).IsEmpty());
	EXPECT_EQ(Hierarchy.GetFirstParent(Hierarchy.GetIndex(F)), Hierarchy.GetIndex(C));
	EXPECT_EQ(Hierarchy.GetFirstParent(Hierarchy.Find(D)), Hierarchy.Find(B));
	EXPECT_EQ(Hierarchy.GetFirstParent(E), B);
}

TEST(RigHierarchyTransforms, CountsPerTypeAllTypesAndMasks)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	for (const TCHAR* Name : {TEXT("b0"), TEXT("b1"), TEXT("b2")})
	{
		Controller->AddBone(Name, FRigElementKey(), FTransform::Identity);
	}
	Controller->AddNull(TEXT("n0"), FRigElementKey(), FTransform::Identity);
	Controller->AddControl(
		TEXT("c0"), FRigElementKey(), MakeControlSettings(ERigControlType::Float), FRigControlValue::Make<float>(0.f));

	EXPECT_EQ(Hierarchy.Num(ERigElementType::Bone), 3);
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Null), 1);
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Control), 1);
	// Types this hierarchy holds no elements of count zero, the highest (Socket, 0x80) included.
	for (ERigElementType Type : {ERigElementType::Curve, ERigElementType::Reference, ERigElementType::Connector,
			 ERigElementType::Socket, ERigElementType::Physics, ERigElementType::None})
	{
		EXPECT_EQ(Hierarchy.Num(Type), 0) << static_cast<int32>(Type);
	}
	EXPECT_EQ(Hierarchy.Num(ERigElementType::All), Hierarchy.Num());
	EXPECT_EQ(Hierarchy.Num(ERigElementType::TransformTypes), 5);
	EXPECT_EQ(Hierarchy.Num(static_cast<ERigElementType>(
				  static_cast<uint8>(ERigElementType::Bone) | static_cast<uint8>(ERigElementType::Control))),
		4);
}
