// Height fog that follows the ground under a tracked actor: the easing and target sums, the setters,
// and the component in a level in play with voxel terrain queried asynchronously.
#include "DirectorFixtures.h"
#include "CoreMinimal.h"
#include "CoreGlobals.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Engine/World.h"
#include "Fog/LM_GroundFogMath.h"
#include "GameFramework/PlayerController.h"
#include "HostSupport/VoxelQueryControl.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"
#include "UObject/Package.h"
#include "VoxelLayer.h"
#include "VoxelLayerStack.h"
#include "VoxelWorld.h"
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace
{
	struct FEaseRow
	{
		double Z;
		double Target;
		float DeltaTime;
		double Expected;
	};

	void PrintTo(const FEaseRow& Row, std::ostream* Out) { *Out << Row.Z << " -> " << Row.Target << " dt " << Row.DeltaTime; }

	class GroundFogEasing : public ::testing::TestWithParam<FEaseRow>
	{
	};
}

// The fog covers three times the elapsed seconds of the gap, lands when that reaches all of it, and snaps when close.
TEST_P(GroundFogEasing, EasesTowardsTheTarget)
{
	const FEaseRow& Row = GetParam();
	EXPECT_DOUBLE_EQ(LM_GroundFog::EaseHeight(Row.Z, Row.Target, Row.DeltaTime), Row.Expected);
}

INSTANTIATE_TEST_SUITE_P(Table, GroundFogEasing, ::testing::Values(
	FEaseRow{0.0, 1000.0, 0.1f, static_cast<float>(0.0 + 1000.0 * (static_cast<double>(0.1f) * 3.0))},
	FEaseRow{0.0, 1000.0, 0.5f, 1000.0},
	FEaseRow{0.0, 1000.0, 0.0f, 0.0},
	FEaseRow{999.99995, 1000.0, 0.0f, 1000.0}));

// Ground plus offset, never below the floor; a reply without a usable height changes nothing.
TEST(GroundFogTarget, GroundPlusOffsetAboveTheFloor)
{
	double Target = -1.0;
	ASSERT_TRUE(LM_GroundFog::ComputeTargetHeight(500.0, 100.f, 2000.f, Target));
	EXPECT_EQ(Target, 2000.0);
	ASSERT_TRUE(LM_GroundFog::ComputeTargetHeight(3000.0, 100.f, 2000.f, Target));
	EXPECT_EQ(Target, 3100.0);
	EXPECT_FALSE(LM_GroundFog::ComputeTargetHeight(std::numeric_limits<double>::quiet_NaN(), 0.f, 0.f, Target));
	EXPECT_FALSE(LM_GroundFog::ComputeTargetHeight(std::numeric_limits<double>::infinity(), 0.f, 0.f, Target));
	EXPECT_EQ(Target, 3100.0);
}

// The setters keep the offset within +-10000 and the interval at least 0.01 s (restarting it); the floor is free.
TEST(GroundFogSetters, LimitsAndRestart)
{
	ULM_GroundFollowerFogComponent* Fog = NewObject<ULM_GroundFollowerFogComponent>();
	Fog->SetHeightOffset(20000.f);
	EXPECT_EQ(Fog->GetHeightOffset(), 10000.f);
	Fog->SetHeightOffset(-20000.f);
	EXPECT_EQ(Fog->GetHeightOffset(), -10000.f);
	Fog->SetHeightQueryInterval(0.f);
	EXPECT_FLOAT_EQ(Fog->GetHeightQueryInterval(), 0.01f);
	EXPECT_EQ(Fog->GetQueryTimeAccumulator(), 0.f);
	Fog->SetHeightQueryInterval(5.f);
	EXPECT_EQ(Fog->GetHeightQueryInterval(), 5.f);
	Fog->SetHeightClampZ(-1000000.f);
	EXPECT_EQ(Fog->GetHeightClampZ(), -1000000.f);
}

namespace
{
	/** Collects the warnings of the general log category, as a log window would show them. */
	class FWarningCapture : public FOutputDevice
	{
	public:
		FWarningCapture() { GLog->AddOutputDevice(this); }
		~FWarningCapture() override { GLog->RemoveOutputDevice(this); }
		void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			if (Verbosity == ELogVerbosity::Warning && Category == FName(TEXT("LogTemp")))
			{
				Lines.push_back(TCHAR_TO_UTF8(V));
			}
		}
		int32 Count(const std::string& Text) const
		{
			int32 Result = 0;
			for (const std::string& Line : Lines)
			{
				Result += Line == Text;
			}
			return Result;
		}
		std::vector<std::string> Lines;
	};

	/** A level in play: player 0's pawn, a fog placed at Z 500, and voxel worlds added by each test. */
	class GroundFollowerFog : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Controller = World->SpawnActor<APlayerController>();
			Pawn = World->SpawnActor<ATrackedPawnFixture>(FVector(100.0, 0.0, 0.0), FRotator::ZeroRotator);
			Controller->Possess(Pawn);
			Holder = World->SpawnActor<AGroundFogFixtureActor>(FVector(7.0, 9.0, 500.0), FRotator::ZeroRotator);
			Fog = Holder->Fog;
			Fog->SetHeightClampZ(-100000.f);
		}
		void TearDown() override
		{
			UE::Host::VoxelQueries::ResetControls();
			if (World)
			{
				World->DestroyWorld(false);
			}
		}

		/** A voxel world whose stack holds height layers flat at the given heights, optionally tagged as the ground. */
		AVoxelWorld* AddVoxelWorld(bool bTagged, std::initializer_list<float> Heights)
		{
			AVoxelWorld* VoxelWorld = World->SpawnActor<AVoxelWorld>();
			if (bTagged)
			{
				VoxelWorld->Tags.Add(TEXT("GroundHeightSource"));
			}
			VoxelWorld->LayerStack = NewObject<UVoxelLayerStack>(GetTransientPackage());
			for (const float Height : Heights)
			{
				UVoxelHeightLayer* Layer = NewObject<UVoxelHeightLayer>(GetTransientPackage());
				Layer->Height = Height;
				VoxelWorld->LayerStack->HeightLayers.Add(Layer);
			}
			return VoxelWorld;
		}

		void Tick(float Seconds) { World->Tick(LEVELTICK_All, Seconds); }
		double FogZ() const { return Fog->GetComponentLocation().Z; }
		static uint64 QueriesIssued() { return UE::Host::VoxelQueries::NumQueriesIssued(); }
		static TArray<UE::Host::VoxelQueries::FPendingQuery> Pending() { return UE::Host::VoxelQueries::GetPendingQueries(); }

		UWorld* World = nullptr;
		APlayerController* Controller = nullptr;
		ATrackedPawnFixture* Pawn = nullptr;
		AGroundFogFixtureActor* Holder = nullptr;
		ULM_GroundFollowerFogComponent* Fog = nullptr;
	};
}

// The first tagged voxel world is bound, through its stack's last height layer; untagged worlds are ignored.
TEST_F(GroundFollowerFog, BindsTheLastLayerOfTheFirstTaggedWorld)
{
	AddVoxelWorld(false, {111.f});
	AVoxelWorld* Ground = AddVoxelWorld(true, {10.f, 20.f, 300.f});
	AddVoxelWorld(true, {999.f});
	FWarningCapture Log;
	World->BeginPlay();
	ASSERT_TRUE(Fog->IsBoundToHeightLayer());
	EXPECT_EQ(Log.Count("GroundFollowerFog bound to VoxelWorld='" + std::string(TCHAR_TO_UTF8(*Ground->GetFName().ToString())) + "'"), 1);
	EXPECT_EQ(Fog->GetTargetHeightZ(), 500.0) << "holds its placed height until the first reply";

	Tick(0.25f);
	EXPECT_TRUE(Fog->IsHeightQueryInFlight()) << "the reply comes back later, on the game thread";
	Tick(0.01f);
	EXPECT_FALSE(Fog->IsHeightQueryInFlight());
	EXPECT_EQ(Fog->GetTargetHeightZ(), 300.0);
}

// Without a usable voxel world the fog stays put and retries once per interval, warning each time.
TEST_F(GroundFollowerFog, UnboundFogRetriesEveryInterval)
{
	AddVoxelWorld(true, {});
	FWarningCapture Log;
	World->BeginPlay();
	EXPECT_EQ(Log.Count("No valid voxel height layer found"), 1);
	for (int32 Frame = 0; Frame < 10; ++Frame)
	{
		Tick(0.1f);
	}
	EXPECT_EQ(Log.Count("No valid voxel height layer found"), 1 + 3) << "at 0.3, 0.6 and 0.9 s";
	EXPECT_EQ(FogZ(), 500.0);
	EXPECT_FALSE(Fog->IsBoundToHeightLayer());
}

// The fog eases to ground plus offset under the player's pawn, moving only in Z, one query at a time.
TEST_F(GroundFollowerFog, FollowsTheGroundUnderThePawn)
{
	AVoxelWorld* Ground = AddVoxelWorld(true, {0.f});
	Ground->LayerStack->HeightLayers[0]->HeightFunction = [](double X, double) { return static_cast<float>(X * 2.0); };
	Fog->SetHeightOffset(50.f);
	World->BeginPlay();
	Tick(0.25f);
	Tick(0.01f);
	EXPECT_EQ(Fog->GetTargetHeightZ(), 250.0) << "ground 200 under the pawn at X 100, plus 50";
	const double AfterReply = FogZ();
	EXPECT_NEAR(AfterReply, 500.0 - 250.0 * 0.03, 1e-3) << "the reply is applied at the frame's start, then the fog eases 3 % in 0.01 s";
	Tick(0.05f);
	EXPECT_NEAR(FogZ(), AfterReply - (AfterReply - 250.0) * 0.15, 1e-3) << "15 % of the gap in 0.05 s";
	Tick(0.4f);
	EXPECT_EQ(FogZ(), 250.0) << "a third of a second or more lands";
	EXPECT_EQ(Fog->GetComponentLocation().X, 7.0);
	EXPECT_EQ(Fog->GetComponentLocation().Y, 9.0);

	Fog->SetTrackingTarget(World->SpawnActor<ATrackedPawnFixture>(FVector(400.0, 0.0, 0.0), FRotator::ZeroRotator));
	Tick(0.4f);
	Tick(0.01f);
	Tick(0.4f);
	EXPECT_EQ(FogZ(), 850.0) << "the explicit target's ground";
}

// A fog destroyed while its query is out is never touched by the late reply; a live one still gets its own.
TEST_F(GroundFollowerFog, LateReplyAfterDestructionIsDropped)
{
	AddVoxelWorld(true, {300.f});
	AGroundFogFixtureActor* Survivor = World->SpawnActor<AGroundFogFixtureActor>(FVector(0.0, 0.0, 500.0), FRotator::ZeroRotator);
	Survivor->Fog->SetHeightClampZ(-100000.f);
	World->BeginPlay();
	Tick(0.25f);
	ASSERT_TRUE(Fog->IsHeightQueryInFlight());
	ASSERT_TRUE(Survivor->Fog->IsHeightQueryInFlight());
	ASSERT_TRUE(Holder->Destroy());
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	Tick(0.01f);
	EXPECT_EQ(Survivor->Fog->GetTargetHeightZ(), 300.0) << "the sanitizers watch that the other reply touched nothing";
}

// A reply slower than the interval holds back the next query until the first tick after it arrives.
TEST_F(GroundFollowerFog, SlowReplyHoldsBackTheNextQuery)
{
	AddVoxelWorld(true, {300.f});
	UE::Host::VoxelQueries::SetReplyDelayFrames(5);
	World->BeginPlay();
	const uint64 Before = QueriesIssued();
	Tick(0.25f);
	ASSERT_EQ(QueriesIssued(), Before + 1);
	for (int32 Frame = 1; Frame < 5; ++Frame)
	{
		Tick(0.25f);
		EXPECT_EQ(QueriesIssued(), Before + 1) << "frame " << Frame << ": one query at a time";
		EXPECT_TRUE(Fog->IsHeightQueryInFlight());
	}
	EXPECT_EQ(Fog->GetTargetHeightZ(), 500.0);
	Tick(0.25f);
	EXPECT_EQ(Fog->GetTargetHeightZ(), 300.0) << "the reply is applied at the frame's start";
	EXPECT_EQ(QueriesIssued(), Before + 2) << "and the next query leaves in the same tick";
	EXPECT_EQ(Fog->GetQueryTimeAccumulator(), 0.f);
}

// A new interval set while a query is out restarts the count, and no query leaves before the reply.
TEST_F(GroundFollowerFog, IntervalChangedWhileQueryIsOut)
{
	AddVoxelWorld(true, {300.f});
	UE::Host::VoxelQueries::SetHoldReplies(true);
	World->BeginPlay();
	const uint64 Before = QueriesIssued();
	Tick(0.25f);
	Tick(0.5f);
	Fog->SetHeightQueryInterval(1.f);
	EXPECT_EQ(Fog->GetQueryTimeAccumulator(), 0.f);
	UE::Host::VoxelQueries::ReleaseAllReplies();
	Tick(0.5f);
	EXPECT_FALSE(Fog->IsHeightQueryInFlight());
	Tick(0.4f);
	EXPECT_EQ(QueriesIssued(), Before + 1) << "0.9 s of the new one-second interval";
	Tick(0.1f);
	EXPECT_EQ(QueriesIssued(), Before + 2);

	Fog->SetHeightQueryInterval(0.1f);
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		Tick(0.5f);
	}
	EXPECT_EQ(QueriesIssued(), Before + 2) << "a short interval does not bypass the outstanding reply";
	UE::Host::VoxelQueries::ReleaseAllReplies();
	Tick(0.01f);
	EXPECT_EQ(QueriesIssued(), Before + 3) << "the first tick after the reply";
}

namespace
{
	class GroundFollowerFogNonFinite : public GroundFollowerFog, public ::testing::WithParamInterface<float>
	{
	};
}

// A reply whose height is not finite lets the next query go and leaves the target where it was.
TEST_P(GroundFollowerFogNonFinite, ReplyClearsTheFlightAndKeepsTheTarget)
{
	AVoxelWorld* Ground = AddVoxelWorld(true, {0.f});
	const float Height = GetParam();
	Ground->LayerStack->HeightLayers[0]->HeightFunction = [Height](double, double) { return Height; };
	World->BeginPlay();
	const uint64 Before = QueriesIssued();
	Tick(0.25f);
	ASSERT_TRUE(Fog->IsHeightQueryInFlight());
	Tick(0.25f);
	EXPECT_EQ(Fog->GetTargetHeightZ(), 500.0);
	EXPECT_EQ(FogZ(), 500.0);
	EXPECT_EQ(QueriesIssued(), Before + 2) << "the reply cleared the flight, so the next query left on time";
}

INSTANTIATE_TEST_SUITE_P(Heights, GroundFollowerFogNonFinite, ::testing::Values(std::numeric_limits<float>::quiet_NaN(),
	std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()));

// A query the library refuses comes back complete and empty: applied at once, it changes nothing.
TEST_F(GroundFollowerFog, EmptyReplyIsAppliedAtOnce)
{
	AVoxelWorld* Ground = AddVoxelWorld(true, {300.f});
	World->BeginPlay();
	ASSERT_TRUE(Fog->IsBoundToHeightLayer());
	Ground->LayerStack->HeightLayers.Reset();
	Tick(0.25f);
	EXPECT_FALSE(Fog->IsHeightQueryInFlight()) << "the empty reply was already complete";
	EXPECT_EQ(Fog->GetTargetHeightZ(), 500.0);
	EXPECT_TRUE(Fog->IsBoundToHeightLayer()) << "the binding is never undone";
}

// A reply already complete when the query returns is applied before the tick ends.
TEST_F(GroundFollowerFog, ImmediateReplyIsAppliedInTheSameTick)
{
	AddVoxelWorld(true, {300.f});
	UE::Host::VoxelQueries::SetCompleteImmediately(true);
	World->BeginPlay();
	Tick(0.25f);
	EXPECT_FALSE(Fog->IsHeightQueryInFlight());
	EXPECT_EQ(Fog->GetTargetHeightZ(), 300.0);
}

// A reply that never comes stops the queries for good, the fog easing on to its last target, and leaks nothing.
TEST_F(GroundFollowerFog, LostReplyStopsQueriesForGood)
{
	AVoxelWorld* Ground = AddVoxelWorld(true, {300.f});
	World->BeginPlay();
	Tick(0.25f);
	Tick(0.25f);
	ASSERT_EQ(Fog->GetTargetHeightZ(), 300.0);
	UE::Host::VoxelQueries::SetHoldReplies(true);
	Ground->LayerStack->HeightLayers[0]->Height = 900.f;
	Tick(0.25f);
	ASSERT_EQ(Pending().Num(), 1);
	ASSERT_TRUE(UE::Host::VoxelQueries::DropReply(Pending()[0].Id));
	const uint64 Before = QueriesIssued();
	for (int32 Frame = 0; Frame < 40; ++Frame)
	{
		Tick(0.25f);
	}
	EXPECT_EQ(QueriesIssued(), Before) << "nothing times the query out";
	EXPECT_TRUE(Fog->IsHeightQueryInFlight());
	EXPECT_EQ(FogZ(), 300.0) << "eased onto the last target";
	World->DestroyWorld(false);
	World = nullptr;
	EXPECT_TRUE(Pending().IsEmpty());
}

// A reply released after its fog's world has gone is delivered in another world's frame and touches nothing.
TEST_F(GroundFollowerFog, ReplyAfterTheWorldIsGoneTouchesNothing)
{
	AddVoxelWorld(true, {300.f});
	UE::Host::VoxelQueries::SetHoldReplies(true);
	World->BeginPlay();
	Tick(0.25f);
	ASSERT_EQ(Pending().Num(), 1);
	UWorld* Other = UWorld::CreateWorld(EWorldType::Game, false);
	Other->BeginPlay();
	World->DestroyWorld(false);
	World = nullptr;
	ASSERT_EQ(Pending().Num(), 1) << "another world still ticks, so the reply is still owed";
	UE::Host::VoxelQueries::ReleaseAllReplies();
	Other->Tick(LEVELTICK_All, 0.1f);
	EXPECT_TRUE(Pending().IsEmpty()) << "delivered; the sanitizers watch that it touched nothing";
	Other->DestroyWorld(false);
}

// Replies released out of order reach their own fogs, each when released.
TEST_F(GroundFollowerFog, RepliesReleasedOutOfOrderReachTheirOwnFog)
{
	AVoxelWorld* Ground = AddVoxelWorld(true, {0.f});
	Ground->LayerStack->HeightLayers[0]->HeightFunction = [](double X, double) { return static_cast<float>(X); };
	AGroundFogFixtureActor* Second = World->SpawnActor<AGroundFogFixtureActor>(FVector(0.0, 0.0, 500.0), FRotator::ZeroRotator);
	Second->Fog->SetHeightClampZ(-100000.f);
	Second->Fog->SetTrackingTarget(World->SpawnActor<ATrackedPawnFixture>(FVector(700.0, 0.0, 0.0), FRotator::ZeroRotator));
	UE::Host::VoxelQueries::SetHoldReplies(true);
	World->BeginPlay();
	Tick(0.25f);
	const TArray<UE::Host::VoxelQueries::FPendingQuery> Queries = Pending();
	ASSERT_EQ(Queries.Num(), 2);
	const int32 SecondIndex = Queries[0].Position.X == 700.0 ? 0 : 1;
	ASSERT_TRUE(UE::Host::VoxelQueries::ReleaseReply(Queries[SecondIndex].Id));
	Tick(0.01f);
	EXPECT_EQ(Second->Fog->GetTargetHeightZ(), 700.0);
	EXPECT_TRUE(Fog->IsHeightQueryInFlight());
	EXPECT_EQ(Fog->GetTargetHeightZ(), 500.0);
	ASSERT_TRUE(UE::Host::VoxelQueries::ReleaseReply(Queries[1 - SecondIndex].Id));
	Tick(0.01f);
	EXPECT_EQ(Fog->GetTargetHeightZ(), 100.0) << "the player's pawn at X 100";
}

// A tracked actor destroyed while tracked is no longer asked about: the next query looks under the player's pawn.
TEST_F(GroundFollowerFog, DestroyedTargetFallsBackToThePawn)
{
	AddVoxelWorld(true, {300.f});
	ATrackedPawnFixture* Tracked = World->SpawnActor<ATrackedPawnFixture>(FVector(400.0, 0.0, 0.0), FRotator::ZeroRotator);
	Fog->SetTrackingTarget(Tracked);
	UE::Host::VoxelQueries::SetHoldReplies(true);
	World->BeginPlay();
	Tick(0.25f);
	ASSERT_EQ(Pending().Num(), 1);
	EXPECT_EQ(Pending()[0].Position.X, 400.0);
	UE::Host::VoxelQueries::ReleaseAllReplies();
	ASSERT_TRUE(Tracked->Destroy());
	Tick(0.25f);
	ASSERT_EQ(Pending().Num(), 1);
	EXPECT_EQ(Pending()[0].Position.X, 100.0);
	EXPECT_EQ(Fog->GetTrackingTarget(), nullptr);
}

// A bound layer stack destroyed by the garbage collector is cleared from the fog, never read through a dangling pointer.
TEST_F(GroundFollowerFog, CollectedLayerStackIsNeverReadAgain)
{
	AVoxelWorld* Ground = AddVoxelWorld(true, {300.f});
	World->BeginPlay();
	ASSERT_TRUE(Fog->IsBoundToHeightLayer());
	Ground->LayerStack->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Ground->LayerStack, nullptr) << "the property reference is cleared";
	Tick(0.25f);
	EXPECT_FALSE(Fog->IsHeightQueryInFlight()) << "the library refuses the cleared pair at once";
	EXPECT_EQ(Fog->GetTargetHeightZ(), 500.0);
	Tick(0.25f);
	EXPECT_FALSE(Fog->IsHeightQueryInFlight());
}
