// Cached element look-ups and module path splitting.
#include "RigTestUtils.h"
#include "Rigs/RigHierarchyCache.h"

TEST(CachedRigElement, ResolvesAndFollowsTopologyChanges)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	Controller->AddBone(TEXT("a"), FRigElementKey(), FTransform::Identity);
	const FRigElementKey B = Controller->AddNull(TEXT("b"), FRigElementKey(), FTransform::Identity);

	FCachedRigElement Cache;
	EXPECT_FALSE(Cache.IsValid());
	EXPECT_TRUE(Cache.UpdateCache(FRigElementKey(TEXT("B"), ERigElementType::Null), &Hierarchy));
	EXPECT_EQ(Cache.GetIndex(), 1);
	EXPECT_EQ(Cache.GetElement(), Hierarchy.Find(B));

	// A key that does not resolve, a None name or a None type is invalid.
	EXPECT_FALSE(Cache.UpdateCache(FRigElementKey(TEXT("b"), ERigElementType::Bone), &Hierarchy));
	EXPECT_EQ(Cache.GetIndex(), INDEX_NONE);
	EXPECT_FALSE(Cache.UpdateCache(FRigElementKey(NAME_None, ERigElementType::Null), &Hierarchy));
	EXPECT_FALSE(Cache.UpdateCache(FRigElementKey(TEXT("b"), ERigElementType::None), &Hierarchy));
	EXPECT_FALSE(Cache.UpdateCache(B, nullptr));

	// A missing element that appears later resolves on the next update.
	const FRigElementKey Later(TEXT("later"), ERigElementType::Bone);
	EXPECT_FALSE(Cache.UpdateCache(Later, &Hierarchy));
	Controller->AddBone(TEXT("later"), FRigElementKey(), FTransform::Identity);
	EXPECT_TRUE(Cache.UpdateCache(Later, &Hierarchy));
	EXPECT_EQ(Cache.GetIndex(), 2);

	// The same key in another hierarchy resolves there.
	URigHierarchy Other;
	Other.GetController()->AddBone(TEXT("x"), FRigElementKey(), FTransform::Identity);
	Other.GetController()->AddBone(TEXT("y"), FRigElementKey(), FTransform::Identity);
	Other.GetController()->AddBone(TEXT("z"), FRigElementKey(), FTransform::Identity);
	Other.GetController()->AddBone(TEXT("later"), FRigElementKey(), FTransform::Identity);
	EXPECT_TRUE(Cache.UpdateCache(Later, &Other));
	EXPECT_EQ(Cache.GetIndex(), 3);
}

TEST(RigHierarchyModulePath, SplitsAtTheLastSeparator)
{
	FString Module, Element;
	EXPECT_TRUE(FRigHierarchyModulePath(FString(TEXT("Arm_L:roll"))).Split(&Module, &Element));
	EXPECT_TRUE(Module.Equals(TEXT("Arm_L")));
	EXPECT_TRUE(Element.Equals(TEXT("roll")));

	EXPECT_TRUE(FRigHierarchyModulePath(FString(TEXT("Body/Arm:Hand:roll"))).Split(&Module, &Element));
	EXPECT_TRUE(Module.Equals(TEXT("Body/Arm:Hand")));
	EXPECT_TRUE(Element.Equals(TEXT("roll")));

	for (const TCHAR* Plain : {TEXT("roll"), TEXT(":roll"), TEXT("")})
	{
		EXPECT_FALSE(FRigHierarchyModulePath(FString(Plain)).Split(&Module, &Element)) << Plain;
	}
	EXPECT_TRUE(FRigHierarchyModulePath(FString(TEXT("roll"))).GetElementName().Equals(TEXT("roll")));
	EXPECT_TRUE(FRigHierarchyModulePath(FString(TEXT("Leg")), FString(TEXT("toe"))).GetPath().Equals(TEXT("Leg:toe")));
}
