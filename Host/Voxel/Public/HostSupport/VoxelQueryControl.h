// Host only: how and when the voxel stand-in answers its asynchronous queries. Tests (and any host
// program) use it to stage late, held, reordered, lost and immediate replies; the plug-in never does.
#pragma once

#include "CoreMinimal.h"

namespace UE::Host::VoxelQueries
{
	/** A query whose reply has not been delivered yet. */
	struct FPendingQuery
	{
		uint64 Id = 0;
		FVector Position = FVector(0.0, 0.0, 0.0);
		bool bHeld = false;
	};

	/**
	 * Replies arrive at the start of the Frames-th frame after the query (at least 1; default 1),
	 * whenever the worker finished: the game thread waits for a worker that is late.
	 */
	VOXEL_API void SetReplyDelayFrames(int32 Frames);
	/** While on, new replies are computed but held until released or dropped. */
	VOXEL_API void SetHoldReplies(bool bHold);
	/** While on, a query's future is already complete when the query returns (computed on a worker). */
	VOXEL_API void SetCompleteImmediately(bool bImmediate);
	/** Back to the defaults: one frame, nothing held, not immediate. Pending queries are kept. */
	VOXEL_API void ResetControls();

	/** Undelivered queries, in the order they were issued. */
	VOXEL_API TArray<FPendingQuery> GetPendingQueries();
	/** A held reply is delivered at the start of the next frame; replies released in one frame arrive in release order. */
	VOXEL_API bool ReleaseReply(uint64 Id);
	VOXEL_API void ReleaseAllReplies();
	/** The reply never comes: its future is never completed. */
	VOXEL_API bool DropReply(uint64 Id);

	/** Worker threads running now (0 before the first query and after the last world has gone). */
	VOXEL_API int32 NumWorkerThreads();
	/** Queries issued since the process started (refused ones not counted). */
	VOXEL_API uint64 NumQueriesIssued();
}
