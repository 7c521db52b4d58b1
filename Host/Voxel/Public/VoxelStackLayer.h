// A layer picked out of a layer stack.
#pragma once

#include "CoreMinimal.h"
#include "VoxelStackLayer.generated.h"

class UVoxelLayer;
class UVoxelLayerStack;
class UVoxelHeightLayer;

USTRUCT(BlueprintType)
struct VOXEL_API FVoxelStackLayer
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, Category = "Config")
	TObjectPtr<UVoxelLayerStack> Stack;

	UPROPERTY(EditAnywhere, Category = "Config")
	TObjectPtr<UVoxelLayer> Layer;

	FVoxelStackLayer();
	FVoxelStackLayer(UVoxelLayerStack* InStack, UVoxelLayer* InLayer);

	/** A stack is set, and the layer is one of its layers (none means the stack's last layer, if it has any). */
	bool IsValid() const;
};

USTRUCT(BlueprintType)
struct VOXEL_API FVoxelStackHeightLayer
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, Category = "Config")
	TObjectPtr<UVoxelLayerStack> Stack;

	UPROPERTY(EditAnywhere, Category = "Config")
	TObjectPtr<UVoxelHeightLayer> Layer;

	/** The default stack and its default height layer. */
	FVoxelStackHeightLayer();
	FVoxelStackHeightLayer(UVoxelLayerStack* InStack, UVoxelHeightLayer* InLayer);

	operator FVoxelStackLayer() const;
	bool IsValid() const;
};
