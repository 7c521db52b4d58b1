// Values stored beside the terrain that queries can ask for.
#pragma once

#include "CoreMinimal.h"
#include "VoxelAsset.h"
#include "VoxelMetadata.generated.h"

UCLASS(Abstract)
class VOXEL_API UVoxelMetadata : public UVoxelAsset
{
	GENERATED_BODY()
};
