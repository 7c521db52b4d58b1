// Terrain layers: height fields and volumes that a layer stack orders.
#pragma once

#include "CoreMinimal.h"
#include "VoxelAsset.h"
#include "Templates/Function.h"
#include "VoxelLayer.generated.h"

UCLASS(Abstract)
class VOXEL_API UVoxelLayer : public UVoxelAsset
{
	GENERATED_BODY()
};

/**
 * A height-field layer. Host departures: the terrain is not built from graphs; a layer is flat at
 * Height unless a program gives it a height function of world X and Y.
 */
UCLASS()
class VOXEL_API UVoxelHeightLayer : public UVoxelLayer
{
	GENERATED_BODY()

public:
	static UVoxelHeightLayer* Default();

	/** World Z of a flat layer. */
	UPROPERTY(EditAnywhere, Category = "Config")
	float Height = 0.f;

	/** Host only: the ground height at world (X, Y); empty means flat at Height. */
	TFunction<float(double X, double Y)> HeightFunction;

	/** The ground height at world (X, Y). */
	float GetHeightAt(double X, double Y) const;
};

UCLASS()
class VOXEL_API UVoxelVolumeLayer : public UVoxelLayer
{
	GENERATED_BODY()

public:
	static UVoxelVolumeLayer* Default();
};
