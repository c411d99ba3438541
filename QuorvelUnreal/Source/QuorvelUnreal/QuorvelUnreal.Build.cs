// Copyright QuorvelUnreal. All Rights Reserved.

using UnrealBuildTool;

public class QuorvelUnreal : ModuleRules
{
	public QuorvelUnreal(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = PCHUsageMode.UseExplicitOrSharedPCHs;

		PublicDependencyModuleNames.AddRange(
			new string[]
			{
				"Core",
				"CoreUObject",
				"Engine",
				"InputCore",
				"ControlRig",
				"RigVM",
				"ControlRigSpline",
			});
	}
}
