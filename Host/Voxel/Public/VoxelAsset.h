// Base of the voxel library's assets.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "VoxelAsset.generated.h"

UCLASS(Abstract)
class VOXEL_API UVoxelAsset : public UObject
{
	GENERATED_BODY()
};
