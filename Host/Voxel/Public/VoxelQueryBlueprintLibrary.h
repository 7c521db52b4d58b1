// Asking a terrain layer what lies at a position.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "Misc/Optional.h"
#include "VoxelMinimal.h"
#include "VoxelStackLayer.h"
#include "VoxelQueryBlueprintLibrary.generated.h"

class UVoxelMetadata;
class UWorld;

USTRUCT(BlueprintType)
struct VOXEL_API FVoxelQueryResult
{
	GENERATED_BODY()

	/** Height (height layer) or distance (volume layer). */
	UPROPERTY(BlueprintReadOnly, Category = "Voxel")
	float Value = 0.f;

	UPROPERTY(BlueprintReadOnly, Category = "Voxel")
	FVector Normal = FVector(0.0, 0.0, 0.0);
};

/**
 * Host departures: only height layers are sampled and metadata is ignored. Queries are sampled on
 * worker threads, which complete the future when the reply is due (by default at the start of the
 * next frame; HostSupport/VoxelQueryControl.h changes that), so a valid query is not complete when it returns.
 */
UCLASS()
class VOXEL_API UVoxelQueryBlueprintLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	static TVoxelFuture<TOptional<FVoxelQueryResult>> QueryVoxelLayer(UWorld* World, const FVoxelStackLayer& Layer, const FVector& Position,
		const TArray<UVoxelMetadata*>& MetadatasToQuery, float GradientStep = 100.f);
};
