// The actor that owns a voxel terrain in a level.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "VoxelWorld.generated.h"

class UVoxelLayerStack;

/** Host departures: no meshing or rendering; the world only names the layer stack its terrain comes from. */
UCLASS()
class VOXEL_API AVoxelWorld : public AActor
{
	GENERATED_BODY()

public:
	AVoxelWorld();

	UPROPERTY(EditAnywhere, Category = "Config")
	TObjectPtr<UVoxelLayerStack> LayerStack;
};
