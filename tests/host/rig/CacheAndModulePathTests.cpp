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

	// Identical: the same key, last resolved against the current topology of the same hierarchy.
	EXPECT_TRUE(Cache.IsIdentical(Later, &Hierarchy));
	EXPECT_FALSE(Cache.IsIdentical(B, &Hierarchy));
	Controller->AddNull(TEXT("another"), FRigElementKey(), FTransform::Identity);
	EXPECT_FALSE(Cache.IsIdentical(Later, &Hierarchy));
	EXPECT_TRUE(Cache.UpdateCache(Later, &Hierarchy));
	EXPECT_TRUE(Cache.IsIdentical(Later, &Hierarchy));

	// The same key in another hierarchy resolves there.
	URigHierarchy Other;
	Other.GetController()->AddBone(TEXT("x"), FRigElementKey(), FTransform::Identity);
	Other.GetController()->AddBone(TEXT("y"), FRigElementKey(), FTransform::Identity);
	Other.GetController()->AddBone(TEXT("z"), FRigElementKey(), FTransform::Identity);
	Other.GetController()->AddBone(TEXT("later"), FRigElementKey(), FTransform::Identity);
	EXPECT_TRUE(Cache.UpdateCache(Later, &Other));
	EXPECT_EQ(Cache.GetIndex(), 3);
}

TEST(RigHierarchyModulePath, SplitsAtTheLastSlashThenAtTheLastColon)
{
	auto SplitOf = [](const TCHAR* Path)
	{
		FString Module, Element;
		const bool bSplit = FRigHierarchyModulePath(Path).Split(&Module, &Element);
		return bSplit ? Module + TEXT("|") + Element : FString(TEXT("-"));
	};
	EXPECT_TRUE(SplitOf(TEXT("Arm_L/roll")).Equals(TEXT("Arm_L|roll")));
	EXPECT_TRUE(SplitOf(TEXT("Body/Arm/roll")).Equals(TEXT("Body/Arm|roll")));
	// The former ':' separator is still read, but a '/' anywhere wins.
	EXPECT_TRUE(SplitOf(TEXT("Arm_L:roll")).Equals(TEXT("Arm_L|roll")));
	EXPECT_TRUE(SplitOf(TEXT("Body/Arm:Hand:roll")).Equals(TEXT("Body|Arm:Hand:roll")));
	EXPECT_TRUE(SplitOf(TEXT("Body:Arm/roll")).Equals(TEXT("Body:Arm|roll")));
	// Too short or without a separator: no split. A leading separator splits off an empty module, as in the
	// engine, but such a path is not valid.
	for (const TCHAR* Plain : {TEXT("roll"), TEXT(""), TEXT("a/"), TEXT("/b")})
	{
		EXPECT_TRUE(SplitOf(Plain).Equals(TEXT("-"))) << Plain;
	}
	EXPECT_TRUE(SplitOf(TEXT(":roll")).Equals(TEXT("|roll")));
	EXPECT_FALSE(FRigHierarchyModulePath(TEXT(":roll")).IsValid());
	EXPECT_TRUE(FRigHierarchyModulePath(TEXT("Leg:toe")).UsesNameSpaceFormat());
	EXPECT_FALSE(FRigHierarchyModulePath(TEXT("Leg:toe")).UsesModuleNameFormat());
	EXPECT_TRUE(FRigHierarchyModulePath(TEXT("Leg/toe")).IsValid());
	EXPECT_FALSE(FRigHierarchyModulePath(TEXT("Leg/")).IsValid());

	// The view overload points into the path; either output may be null.
	const FRigHierarchyModulePath Path(TEXT("Leg_L/ankle"));
	FStringView ModuleView, ElementView;
	EXPECT_TRUE(Path.Split(&ModuleView, nullptr));
	EXPECT_TRUE(Path.Split(nullptr, &ElementView));
	EXPECT_EQ(ModuleView.GetData(), *Path.GetPath());
	EXPECT_TRUE(ModuleView.Equals(TEXT("Leg_L")));
	EXPECT_TRUE(ElementView.Equals(TEXT("ankle")));
	EXPECT_TRUE(Path.GetModuleName().Equals(TEXT("Leg_L")));
	EXPECT_TRUE(Path.GetElementNameString().Equals(TEXT("ankle")));
	// Without a separator both parts are empty.
	EXPECT_TRUE(FRigHierarchyModulePath(TEXT("roll")).GetElementName().IsEmpty());
	EXPECT_TRUE(FRigHierarchyModulePath(TEXT("roll")).GetModuleNameString().IsEmpty());
}

TEST(RigHierarchyModulePath, JoinsWithTheSlashAndComparesWithoutCase)
{
	const FRigHierarchyModulePath Joined(FString(TEXT("Leg")), FString(TEXT("toe")));
	EXPECT_TRUE(Joined.GetPath().Equals(TEXT("Leg/toe")));
	FString Module, Element;
	EXPECT_TRUE(Joined.Split(&Module, &Element));
	EXPECT_TRUE(Module.Equals(TEXT("Leg")) && Element.Equals(TEXT("toe")));
	EXPECT_TRUE(FRigHierarchyModulePath(FString(TEXT("Leg/")), FString(TEXT("toe"))).GetPath().Equals(TEXT("Leg/toe")));
	EXPECT_TRUE(FRigHierarchyModulePath(FString(), FString(TEXT("toe"))).IsEmpty());
	EXPECT_TRUE(FRigHierarchyModulePath(FName(TEXT("Arm")), FName(TEXT("hand"))).GetPath().Equals(TEXT("Arm/hand")));
	EXPECT_TRUE(FRigHierarchyModulePath(FName(TEXT("Arm")), FName()).IsEmpty());
	EXPECT_TRUE(FRigHierarchyModulePath(FName(TEXT("Arm/hand"))).GetModuleNameString().Equals(TEXT("Arm")));
	EXPECT_TRUE(FRigHierarchyModulePath(NAME_None).IsEmpty());

	EXPECT_TRUE(FRigHierarchyModulePath(TEXT("LEG/Toe")) == FRigHierarchyModulePath(TEXT("leg/toe")));
	EXPECT_EQ(
		GetTypeHash(FRigHierarchyModulePath(TEXT("LEG/Toe"))), GetTypeHash(FRigHierarchyModulePath(TEXT("leg/toe"))));
}
