// Height fog that follows the ground under a tracked actor: the easing and target sums, the setters,
// and the component in a level in play with voxel terrain queried asynchronously.
#include "DirectorFixtures.h"
#include "CoreMinimal.h"
#include "CoreGlobals.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Engine/World.h"
#include "Fog/LM_GroundFogMath.h"
#include "GameFramework/PlayerController.h"
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
		void TearDown() override { World->DestroyWorld(false); }

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
