// The voxel stand-in's asynchronous query as the terrain library gives it: sampled on worker threads,
// completed there, continued on the game thread at a fixed frame, and staged by the host's controls.
#include "CoreMinimal.h"
#include "CoreGlobals.h"
#include "Engine/World.h"
#include "HostSupport/VoxelQueryControl.h"
#include "UObject/Package.h"
#include "VoxelLayer.h"
#include "VoxelLayerStack.h"
#include "VoxelQueryBlueprintLibrary.h"
#include "VoxelStackLayer.h"
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace VoxelQueries = UE::Host::VoxelQueries;

namespace
{
	using FReplyFuture = TVoxelFuture<TOptional<FVoxelQueryResult>>;

	/** A world ticking frames, and one stack whose last height layer is a slope of 2 in X. */
	class VoxelQuery : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			World->BeginPlay();
			Stack = NewObject<UVoxelLayerStack>(GetTransientPackage());
			Layer = NewObject<UVoxelHeightLayer>(GetTransientPackage());
			Layer->HeightFunction = [](double X, double) { return static_cast<float>(2.0 * X); };
			Stack->HeightLayers.Add(Layer);
		}
		void TearDown() override
		{
			VoxelQueries::ResetControls();
			if (World)
			{
				World->DestroyWorld(false);
			}
		}

		FReplyFuture Query(double X) const
		{
			return UVoxelQueryBlueprintLibrary::QueryVoxelLayer(World, FVoxelStackHeightLayer(Stack, Layer), FVector(X, 0.0, 0.0), TArray<UVoxelMetadata*>(), 10.f);
		}
		void Tick() { World->Tick(LEVELTICK_All, 0.016f); }

		UWorld* World = nullptr;
		UVoxelLayerStack* Stack = nullptr;
		UVoxelHeightLayer* Layer = nullptr;
	};

	class VoxelQueryDelay : public VoxelQuery, public ::testing::WithParamInterface<int32>
	{
	};
}

// The reply of a query is complete exactly at the start of the N-th frame after it, never earlier or later.
TEST_P(VoxelQueryDelay, ReplyArrivesAtTheStartOfTheNthFrame)
{
	const int32 Frames = GetParam();
	VoxelQueries::SetReplyDelayFrames(Frames);
	const FReplyFuture Future = Query(50.0);
	EXPECT_FALSE(Future.IsComplete()) << "a valid query is never complete when it returns";
	for (int32 Frame = 1; Frame < Frames; ++Frame)
	{
		Tick();
		EXPECT_FALSE(Future.IsComplete()) << "frame " << Frame;
	}
	Tick();
	ASSERT_TRUE(Future.IsComplete());
	ASSERT_TRUE(Future.GetValueChecked().IsSet());
	EXPECT_EQ(Future.GetValueChecked()->Value, 100.f);
}

INSTANTIATE_TEST_SUITE_P(Frames, VoxelQueryDelay, ::testing::Values(1, 2, 5));

// The promise is completed on a worker thread, and a game-thread continuation runs on the game thread.
TEST_F(VoxelQuery, CompletedOffTheGameThreadContinuedOnIt)
{
	const FReplyFuture Future = Query(10.0);
	auto CompletedOnGameThread = std::make_shared<std::atomic<int>>(-1);
	Future.Then(EVoxelFutureThread::AnyThread, [CompletedOnGameThread](const TOptional<FVoxelQueryResult>&) { *CompletedOnGameThread = IsInGameThread() ? 1 : 0; });
	bool bContinuedOnGameThread = false;
	float Height = 0.f;
	Future.Then(EVoxelFutureThread::GameThread, [&](const TOptional<FVoxelQueryResult>& Reply)
	{
		bContinuedOnGameThread = IsInGameThread();
		Height = Reply->Value;
	});
	Tick();
	EXPECT_EQ(CompletedOnGameThread->load(), 0) << "the worker completes the promise";
	EXPECT_TRUE(bContinuedOnGameThread);
	EXPECT_EQ(Height, 20.f);
}

// However slow the worker, the reply is still delivered in its frame: the game thread waits for it.
TEST_F(VoxelQuery, GameThreadWaitsForALateWorker)
{
	Layer->HeightFunction = [](double X, double)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(20));
		return static_cast<float>(X);
	};
	const FReplyFuture Future = Query(7.0);
	Tick();
	ASSERT_TRUE(Future.IsComplete());
	EXPECT_EQ(Future.GetValueChecked()->Value, 7.f);
}

// Held replies wait for release; released in one frame out of issue order, they continue in release order.
TEST_F(VoxelQuery, HeldRepliesArriveInReleaseOrder)
{
	VoxelQueries::SetHoldReplies(true);
	const FReplyFuture First = Query(1.0);
	const FReplyFuture Second = Query(2.0);
	std::vector<float> Arrivals;
	First.Then(EVoxelFutureThread::GameThread, [&](const TOptional<FVoxelQueryResult>& Reply) { Arrivals.push_back(Reply->Value); });
	Second.Then(EVoxelFutureThread::GameThread, [&](const TOptional<FVoxelQueryResult>& Reply) { Arrivals.push_back(Reply->Value); });
	for (int32 Frame = 0; Frame < 5; ++Frame)
	{
		Tick();
	}
	EXPECT_TRUE(Arrivals.empty()) << "held for as long as nobody releases them";
	const TArray<VoxelQueries::FPendingQuery> Pending = VoxelQueries::GetPendingQueries();
	ASSERT_EQ(Pending.Num(), 2);
	EXPECT_TRUE(Pending[0].bHeld);
	EXPECT_EQ(Pending[1].Position.X, 2.0);
	ASSERT_TRUE(VoxelQueries::ReleaseReply(Pending[1].Id));
	ASSERT_TRUE(VoxelQueries::ReleaseReply(Pending[0].Id));
	EXPECT_FALSE(VoxelQueries::ReleaseReply(Pending[0].Id)) << "already released";
	EXPECT_TRUE(Arrivals.empty()) << "released replies arrive at the next frame's start";
	Tick();
	EXPECT_EQ(Arrivals, (std::vector<float>{4.f, 2.f}));
	EXPECT_TRUE(VoxelQueries::GetPendingQueries().IsEmpty());
}

// With immediate replies the future is complete when the query returns, its value computed by a worker.
TEST_F(VoxelQuery, ImmediateReplyIsCompleteAtReturn)
{
	VoxelQueries::SetCompleteImmediately(true);
	const FReplyFuture Future = Query(3.0);
	ASSERT_TRUE(Future.IsComplete());
	EXPECT_EQ(Future.GetValueChecked()->Value, 6.f);
	EXPECT_TRUE(VoxelQueries::GetPendingQueries().IsEmpty());
}

// A null world or an invalid layer is refused at once with a complete future holding no result.
TEST_F(VoxelQuery, RefusedQueryIsCompleteAndEmpty)
{
	const FReplyFuture NoWorld = UVoxelQueryBlueprintLibrary::QueryVoxelLayer(nullptr, FVoxelStackHeightLayer(Stack, Layer), FVector(0.0, 0.0, 0.0), {}, 10.f);
	ASSERT_TRUE(NoWorld.IsComplete());
	EXPECT_FALSE(NoWorld.GetValueChecked().IsSet());
	UVoxelHeightLayer* Stranger = NewObject<UVoxelHeightLayer>(GetTransientPackage());
	const FReplyFuture NotInStack = UVoxelQueryBlueprintLibrary::QueryVoxelLayer(World, FVoxelStackHeightLayer(Stack, Stranger), FVector(0.0, 0.0, 0.0), {}, 10.f);
	ASSERT_TRUE(NotInStack.IsComplete());
	EXPECT_FALSE(NotInStack.GetValueChecked().IsSet());
}

// A dropped reply never comes; when the last world goes the workers stop and what waited is released unrun.
TEST_F(VoxelQuery, DroppedReplyNeverComesAndShutdownReleasesIt)
{
	VoxelQueries::SetHoldReplies(true);
	const FReplyFuture Dropped = Query(1.0);
	const FReplyFuture InFlight = Query(2.0);
	bool bRan = false;
	Dropped.Then(EVoxelFutureThread::GameThread, [&](const TOptional<FVoxelQueryResult>&) { bRan = true; });
	InFlight.Then(EVoxelFutureThread::GameThread, [&](const TOptional<FVoxelQueryResult>&) { bRan = true; });
	ASSERT_TRUE(VoxelQueries::DropReply(VoxelQueries::GetPendingQueries()[0].Id));
	VoxelQueries::ReleaseAllReplies();
	VoxelQueries::SetHoldReplies(false);
	EXPECT_GT(VoxelQueries::NumWorkerThreads(), 0);
	World->DestroyWorld(false);
	World = nullptr;
	EXPECT_EQ(VoxelQueries::NumWorkerThreads(), 0) << "the last world has gone";
	EXPECT_TRUE(VoxelQueries::GetPendingQueries().IsEmpty());
	EXPECT_FALSE(Dropped.IsComplete());
	EXPECT_FALSE(InFlight.IsComplete()) << "released but not yet due when the world went";
	EXPECT_FALSE(bRan);
}
