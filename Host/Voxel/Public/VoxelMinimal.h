// The voxel library's core vocabulary.
#pragma once

#include "CoreMinimal.h"
#include "VoxelMinimal/VoxelFuture.h"
#include "VoxelMinimal/VoxelSharedPtr.h"
#include "VoxelMinimal/VoxelUniqueFunction.h"
