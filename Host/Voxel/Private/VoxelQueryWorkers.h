// The worker pool that answers voxel queries, and the frame-paced delivery of their replies.
#pragma once

#include "CoreMinimal.h"
#include "VoxelMinimal/VoxelFuture.h"

namespace UE::Host::VoxelQueries
{
	/** What a worker needs to sample a height layer, copied on the game thread so no object is read off it. */
	struct FHeightSampler
	{
		TFunction<float(double X, double Y)> HeightFunction;
		float FlatHeight = 0.f;
		/** Volume layers are not sampled here: their reply holds no result. */
		bool bIsHeightLayer = false;

		float HeightAt(double X, double Y) const { return HeightFunction ? HeightFunction(X, Y) : FlatHeight; }
	};

	/** Hooks the service to the frame start and to world creation and clean-up; the module does it at start-up. */
	void StartService();

	/**
	 * Starts one query: the sample is computed on a worker, which completes State with a
	 * TOptional<FVoxelQueryResult> when the reply is due. Returns once the reply is due and complete
	 * when replies are immediate.
	 */
	void Submit(TVoxelRefCountPtr<IVoxelPromiseState> State, FHeightSampler Sampler, const FVector& Position, float GradientStep);
}
