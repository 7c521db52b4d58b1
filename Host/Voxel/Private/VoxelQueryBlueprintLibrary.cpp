#include "VoxelQueryBlueprintLibrary.h"
#include "VoxelQueryWorkers.h"
#include "CoreGlobals.h"
#include "Engine/World.h"
#include "Logging/LogMacros.h"
#include "VoxelLayer.h"
#include "VoxelLayerStack.h"

DEFINE_LOG_CATEGORY_STATIC(LogVoxel, Log, All);

namespace
{
	/** The height layer a stack layer names: the layer itself, or the stack's last one when none is named. */
	const UVoxelHeightLayer* ResolveHeightLayer(const FVoxelStackLayer& Layer)
	{
		if (Layer.Layer == nullptr)
		{
			return Layer.Stack->HeightLayers.IsEmpty() ? nullptr : Layer.Stack->HeightLayers.Last().Get();
		}
		return Cast<UVoxelHeightLayer>(Layer.Layer);
	}
}

TVoxelFuture<TOptional<FVoxelQueryResult>> UVoxelQueryBlueprintLibrary::QueryVoxelLayer(UWorld* World, const FVoxelStackLayer& Layer, const FVector& Position,
	const TArray<UVoxelMetadata*>& MetadatasToQuery, float GradientStep)
{
	(void)MetadatasToQuery;
	ensure(IsInGameThread());
	if (World == nullptr)
	{
		UE_LOG(LogVoxel, Error, TEXT("QueryVoxelLayer: World is null"));
		return TVoxelFuture<TOptional<FVoxelQueryResult>>();
	}
	if (!Layer.IsValid())
	{
		UE_LOG(LogVoxel, Error, TEXT("QueryVoxelLayer: Layer is invalid"));
		return TVoxelFuture<TOptional<FVoxelQueryResult>>();
	}

	// The worker never reads the layer object: it gets a copy of what the layer's height is made of.
	UE::Host::VoxelQueries::FHeightSampler Sampler;
	if (const UVoxelHeightLayer* HeightLayer = ResolveHeightLayer(Layer))
	{
		Sampler.HeightFunction = HeightLayer->HeightFunction;
		Sampler.FlatHeight = HeightLayer->Height;
		Sampler.bIsHeightLayer = true;
	}

	TVoxelRefCountPtr<IVoxelPromiseState> State = IVoxelPromiseState::New_WithValue(nullptr);
	UE::Host::VoxelQueries::Submit(State, MoveTemp(Sampler), Position, GradientStep);
	return TVoxelFuture<TOptional<FVoxelQueryResult>>(State);
}
