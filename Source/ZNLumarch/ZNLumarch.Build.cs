using UnrealBuildTool;

public class ZNLumarch : ModuleRules
{
	public ZNLumarch(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = PCHUsageMode.UseExplicitOrSharedPCHs;

		PublicDependencyModuleNames.AddRange(new string[]
		{
			"Core",
			"CoreUObject",
			"Engine",
			"Voxel",
			"VoxelCore",
			"ZNTimeOfDay",
		});
	}
}
