#include "VoxelQueryBlueprintLibrary.h"
#include "Async/Async.h"
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

	TOptional<FVoxelQueryResult> Result;
	if (const UVoxelHeightLayer* HeightLayer = ResolveHeightLayer(Layer))
	{
		// Height layers read X and Y only; the normal comes from central differences GradientStep apart.
		const double X = Position.X;
		const double Y = Position.Y;
		const double Step = GradientStep;
		const double DX = HeightLayer->GetHeightAt(X + Step, Y) - HeightLayer->GetHeightAt(X - Step, Y);
		const double DY = HeightLayer->GetHeightAt(X, Y + Step) - HeightLayer->GetHeightAt(X, Y - Step);
		FVoxelQueryResult Sample;
		Sample.Value = HeightLayer->GetHeightAt(X, Y);
		Sample.Normal = FVector(-DX, -DY, 2.0 * Step).GetSafeNormal();
		Result = Sample;
	}

	TVoxelRefCountPtr<IVoxelPromiseState> State = IVoxelPromiseState::New_WithValue(nullptr);
	AsyncTask(ENamedThreads::GameThread, [State, Result]()
	{
		State->Set(MakeSharedVoidRef(MakeShared<TOptional<FVoxelQueryResult>>(Result)));
	});
	return TVoxelFuture<TOptional<FVoxelQueryResult>>(State);
}
