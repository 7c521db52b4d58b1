// The ordered layers a voxel world draws its terrain from.
#pragma once

#include "CoreMinimal.h"
#include "VoxelAsset.h"
#include "VoxelLayerStack.generated.h"

class UVoxelHeightLayer;
class UVoxelVolumeLayer;

UCLASS()
class VOXEL_API UVoxelLayerStack : public UVoxelAsset
{
	GENERATED_BODY()

public:
	static UVoxelLayerStack* Default();

	UPROPERTY(EditAnywhere, Category = "Config")
	TArray<TObjectPtr<UVoxelHeightLayer>> HeightLayers;

	UPROPERTY(EditAnywhere, Category = "Config")
	TArray<TObjectPtr<UVoxelVolumeLayer>> VolumeLayers;

	UPROPERTY(EditAnywhere, Category = "Config")
	float MaxDistance = 100000.f;
};
