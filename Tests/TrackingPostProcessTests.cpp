// Depth of field focused on a tracked actor: the mapping and easing sums, then the component in a
// level in play with a player, a camera and timers.
#include "DirectorFixtures.h"
#include "CoreMinimal.h"
#include "Camera/PlayerCameraManager.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"
#include "Curves/CurveFloat.h"
#include "Engine/World.h"
#include "GameFramework/PlayerController.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include "Tracking/LM_DepthOfFieldMath.h"
#include "UObject/Package.h"
#include <gtest/gtest.h>

namespace
{
	struct FMappingRow
	{
		float Distance;
		float ExpectedSensorWidth;
		float ExpectedFocalDistance;
	};

	void PrintTo(const FMappingRow& Row, std::ostream* Out) { *Out << "distance " << Row.Distance; }

	class DepthOfFieldMapping : public ::testing::TestWithParam<FMappingRow>
	{
	};

	struct FEaseRow
	{
		float Speed;
		float DeltaTime;
		float ExpectedShareOfGap;
	};

	void PrintTo(const FEaseRow& Row, std::ostream* Out) { *Out << "speed " << Row.Speed << " dt " << Row.DeltaTime; }

	class DepthOfFieldEasing : public ::testing::TestWithParam<FEaseRow>
	{
	};
}

// Focal depths 500..1500 map sensor widths 10..30; the focus never comes nearer than the near depth.
TEST_P(DepthOfFieldMapping, DistanceMapsOntoSensorWidthAndFocus)
{
	const FMappingRow& Row = GetParam();
	const float Alpha = LM_DepthOfField::FocalDepthAlpha(Row.Distance, 500.f, 1500.f);
	EXPECT_FLOAT_EQ(LM_DepthOfField::SensorWidth(Alpha, 10.f, 30.f), Row.ExpectedSensorWidth);
	EXPECT_FLOAT_EQ(LM_DepthOfField::FocalDistance(Row.Distance, 500.f), Row.ExpectedFocalDistance);
}

INSTANTIATE_TEST_SUITE_P(Table, DepthOfFieldMapping, ::testing::Values(
	FMappingRow{1000.f, 20.f, 1000.f},
	FMappingRow{200.f, 10.f, 500.f},
	FMappingRow{3000.f, 30.f, 3000.f},
	FMappingRow{1500.f, 30.f, 1500.f}));

// Equal or inverted focal depths put every distance at the near end.
TEST(DepthOfFieldMappingDegenerate, NoRangeMeansAlphaZero)
{
	EXPECT_EQ(LM_DepthOfField::FocalDepthAlpha(5000.f, 800.f, 800.f), 0.f);
	EXPECT_EQ(LM_DepthOfField::FocalDepthAlpha(5000.f, 900.f, 100.f), 0.f);
}

// One easing step covers speed x time of the gap, never more than all of it; no speed lands at once.
TEST_P(DepthOfFieldEasing, StepCoversItsShareOfTheGap)
{
	const FEaseRow& Row = GetParam();
	EXPECT_NEAR(LM_DepthOfField::EaseTowards(0.f, 1000.f, Row.DeltaTime, Row.Speed), 1000.f * Row.ExpectedShareOfGap, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(Table, DepthOfFieldEasing, ::testing::Values(
	FEaseRow{6.f, 0.1f, 0.6f},
	FEaseRow{6.f, 0.2f, 1.f},
	FEaseRow{6.f, 1.f, 1.f},
	FEaseRow{0.f, 0.01f, 1.f},
	FEaseRow{-1.f, 0.01f, 1.f}));

namespace
{
	/**
	 * A level in play: player 0 with its camera at the origin and a pawn 1000 units away, another pawn,
	 * and an actor carrying the tracking post-process.
	 */
	class TrackingPostProcess : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Controller = World->SpawnActor<APlayerController>();
			ASSERT_NE(Controller->PlayerCameraManager, nullptr);
			Controller->PlayerCameraManager->SetActorLocation(FVector::ZeroVector);
			PlayerPawn = World->SpawnActor<ATrackedPawnFixture>(FVector(1000.0, 0.0, 0.0), FRotator::ZeroRotator);
			Controller->Possess(PlayerPawn);
			Other = World->SpawnActor<ATrackedPawnFixture>(FVector(0.0, 300.0, 400.0), FRotator::ZeroRotator);
			Holder = World->SpawnActor<ATrackingPostProcessFixtureActor>();
			Tracking = Holder->Tracking;
		}
		void TearDown() override { World->DestroyWorld(false); }

		void Tick(float Seconds) { World->Tick(LEVELTICK_All, Seconds); }
		const FPostProcessSettings& PostProcess() const { return Tracking->PostProcessInternal->Settings; }

		UWorld* World = nullptr;
		APlayerController* Controller = nullptr;
		ATrackedPawnFixture* PlayerPawn = nullptr;
		ATrackedPawnFixture* Other = nullptr;
		ATrackingPostProcessFixtureActor* Holder = nullptr;
		ULM_TrackingPostProcessComponent* Tracking = nullptr;
	};
}

// With no explicit target the player's pawn is in focus from the first frame, with the default sensor width.
TEST_F(TrackingPostProcess, StartsInFocusOnThePlayersPawn)
{
	World->BeginPlay();
	EXPECT_FLOAT_EQ(PostProcess().DepthOfFieldFocalDistance, 1000.f);
	EXPECT_TRUE(PostProcess().bOverride_DepthOfFieldFocalDistance);
	EXPECT_FLOAT_EQ(PostProcess().DepthOfFieldSensorWidth, 24.576f);
	EXPECT_TRUE(PostProcess().bOverride_DepthOfFieldSensorWidth);
}

// A new target is measured at once and the focus eases to it; while tracking, a timer re-measures each interval.
TEST_F(TrackingPostProcess, TrackingMeasuresOnItsTimerAndEases)
{
	World->BeginPlay();
	Tracking->SetTrackingTarget(Other);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f);
	EXPECT_FLOAT_EQ(Tracking->GetDistanceToTarget(), 1000.f) << "not snapped";
	Tick(0.1f);
	EXPECT_NEAR(Tracking->GetDistanceToTarget(), 1000.f - 500.f * 0.6f, 1e-3f);
	EXPECT_NEAR(PostProcess().DepthOfFieldFocalDistance, Tracking->GetDistanceToTarget(), 1e-3f);

	Other->SetActorLocation(FVector(0.0, 0.0, 2000.0));
	Tick(0.05f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f) << "the timer has not come round yet";
	Tick(0.2f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 2000.f);
}

// Clearing drops the focus to zero and stops measuring; the focus eases back to the last measurement.
TEST_F(TrackingPostProcess, ClearingStopsTheTimer)
{
	World->BeginPlay();
	Tracking->SetTrackingTarget(Other);
	Tick(1.f);
	Tracking->ClearTrackingTarget();
	EXPECT_EQ(Tracking->GetDistanceToTarget(), 0.f);
	Other->SetActorLocation(FVector(0.0, 0.0, 3000.0));
	Tick(0.1f);
	Tick(1.f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f) << "no timer measures any more";
	EXPECT_FLOAT_EQ(Tracking->GetDistanceToTarget(), 500.f);
}

// A new interval takes effect only when the timer is next refreshed.
TEST_F(TrackingPostProcess, NewIntervalWaitsForTheNextRefresh)
{
	World->BeginPlay();
	FLM_PostProcessDepthOfFieldSettings Settings;
	Settings.UpdateIntervalSeconds = 1.f;
	Tracking->SetSettings(Settings);
	Tracking->SetTrackingTarget(Other);
	Tick(0.01f);
	Settings.UpdateIntervalSeconds = 0.05f;
	Tracking->SetSettings(Settings);
	Other->SetActorLocation(FVector(0.0, 0.0, 700.0));
	Tick(0.3f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f) << "still the one-second timer";
	Tracking->SetTrackingTarget(Other);
	Other->SetActorLocation(FVector(0.0, 0.0, 900.0));
	Tick(0.01f);
	Tick(0.06f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 900.f);
}

// A blend curve shapes the sensor width, and values it returns outside 0..1 are clamped.
TEST_F(TrackingPostProcess, BlendCurveIsClamped)
{
	UCurveFloat* Curve = NewObject<UCurveFloat>();
	Curve->FloatCurve.AddKey(0.f, -1.f);
	Curve->FloatCurve.AddKey(1.f, 3.f);
	FLM_PostProcessDepthOfFieldSettings Settings;
	Settings.MinFocalDepth = 500.f;
	Settings.MaxFocalDepth = 1500.f;
	Settings.MinSensorWidth = 10.f;
	Settings.MaxSensorWidth = 30.f;
	Settings.BlendCurve = Curve;
	Tracking->SetSettings(Settings);
	World->BeginPlay();
	EXPECT_FLOAT_EQ(PostProcess().DepthOfFieldSensorWidth, 30.f) << "curve(0.5) = 1";
	Tracking->SetTrackingTarget(Other);
	Tick(1.f);
	EXPECT_FLOAT_EQ(PostProcess().DepthOfFieldSensorWidth, 10.f) << "curve(0) = -1, clamped to 0";
	EXPECT_FLOAT_EQ(PostProcess().DepthOfFieldFocalDistance, 500.f);
}

// The target's location reaches the collection every frame; without any target it is black.
TEST_F(TrackingPostProcess, TargetLocationIsPublished)
{
	UMaterialParameterCollection* Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), TEXT("MPC_Tracking"));
	FCollectionVectorParameter Parameter;
	Parameter.ParameterName = TEXT("TrackedTargetLocation");
	Parameter.DefaultValue = FLinearColor(7.f, 7.f, 7.f, 7.f);
	Collection->VectorParameters.Add(Parameter);
	FLM_PostProcessDepthOfFieldSettings Settings;
	Settings.TrackingTargetMPC = Collection;
	Tracking->SetSettings(Settings);
	World->BeginPlay();
	Tracking->SetTrackingTarget(Other);
	Tick(0.1f);
	FLinearColor Value;
	UMaterialParameterCollectionInstance* Instance = World->GetParameterCollectionInstance(Collection);
	ASSERT_TRUE(Instance->GetVectorParameterValue(TEXT("TrackedTargetLocation"), Value));
	EXPECT_EQ(Value, FLinearColor(0.f, 300.f, 400.f, 1.f));

	Controller->UnPossess();
	Other->Destroy();
	Tick(0.1f);
	ASSERT_TRUE(Instance->GetVectorParameterValue(TEXT("TrackedTargetLocation"), Value));
	EXPECT_EQ(Value, FLinearColor::Black);
}

// A tracked actor destroyed while tracked leaves the timer running, and each measurement falls back to the player's pawn.
TEST_F(TrackingPostProcess, DestroyedTargetFallsBackToThePawn)
{
	World->BeginPlay();
	Tracking->SetTrackingTarget(Other);
	ASSERT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f);
	ASSERT_TRUE(Other->Destroy());
	Tick(0.1f);
	Tick(0.15f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f) << "nothing measures before the timer";
	Tick(0.1f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 1000.f) << "the player's pawn";
	PlayerPawn->SetActorLocation(FVector(0.0, 0.0, 250.0));
	Tick(0.2f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 250.f) << "the timer still runs";
}

// Ending play stops the measurement timer of a component that lives on.
TEST_F(TrackingPostProcess, EndPlayStopsTheTimer)
{
	World->BeginPlay();
	Tracking->SetTrackingTarget(Other);
	static_cast<UActorComponent*>(Tracking)->EndPlay(EEndPlayReason::RemovedFromWorld);
	EXPECT_EQ(Tracking->GetTrackingTarget(), nullptr);
	Other->SetActorLocation(FVector(0.0, 0.0, 2000.0));
	PlayerPawn->SetActorLocation(FVector(0.0, 0.0, 3000.0));
	for (int32 Frame = 0; Frame < 10; ++Frame)
	{
		Tick(0.1f);
	}
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f) << "no timer measured after end of play";
}

namespace
{
	class TrackingPostProcessInterval : public TrackingPostProcess, public ::testing::WithParamInterface<float>
	{
	};
}

// An interval set from code at zero or below measures every 0.01 s rather than stalling or spinning.
TEST_P(TrackingPostProcessInterval, NonPositiveIntervalMeasuresEveryHundredth)
{
	World->BeginPlay();
	FLM_PostProcessDepthOfFieldSettings Settings;
	Settings.UpdateIntervalSeconds = GetParam();
	Tracking->SetSettings(Settings);
	Tracking->SetTrackingTarget(Other);
	Tick(0.001f);
	Other->SetActorLocation(FVector(0.0, 0.0, 800.0));
	Tick(0.008f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 500.f) << "not before 0.01 s";
	Tick(0.003f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 800.f);
	Other->SetActorLocation(FVector(0.0, 0.0, 900.0));
	Tick(0.01f);
	EXPECT_FLOAT_EQ(Tracking->GetTargetDistanceToTarget(), 900.f) << "and again one hundredth later";
}

INSTANTIATE_TEST_SUITE_P(Intervals, TrackingPostProcessInterval, ::testing::Values(0.f, -1.f));
