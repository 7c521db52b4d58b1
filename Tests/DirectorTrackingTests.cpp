// What the director's fog and depth of field follow: a player controller's pawn through possession
// changes, or a pawn set directly.
#include "DirectorFixtures.h"
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Engine/World.h"
#include "GameFramework/PlayerController.h"
#include <gtest/gtest.h>

namespace
{
	class DirectorTracking : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Director = World->SpawnActor<AZN_Lumarch>();
			World->BeginPlay();
			PostProcess = Director->FindComponentByClass<ULM_TrackingPostProcessComponent>();
			Fog = Director->FindComponentByClass<ULM_GroundFollowerFogComponent>();
			A = World->SpawnActor<APlayerController>();
			B = World->SpawnActor<APlayerController>();
			First = World->SpawnActor<ATrackedPawnFixture>(FVector(100.0, 0.0, 0.0), FRotator::ZeroRotator);
			Second = World->SpawnActor<ATrackedPawnFixture>(FVector(200.0, 0.0, 0.0), FRotator::ZeroRotator);
		}
		void TearDown() override { World->DestroyWorld(false); }

		/** Both followers agree on the target; returns it. */
		AActor* Target() const
		{
			EXPECT_EQ(PostProcess->TrackingTarget.Get(), Fog->GetTrackingTarget()) << "the fog and the depth of field follow the same actor";
			return Fog->GetTrackingTarget();
		}

		UWorld* World = nullptr;
		AZN_Lumarch* Director = nullptr;
		ULM_TrackingPostProcessComponent* PostProcess = nullptr;
		ULM_GroundFollowerFogComponent* Fog = nullptr;
		APlayerController* A = nullptr;
		APlayerController* B = nullptr;
		ATrackedPawnFixture* First = nullptr;
		ATrackedPawnFixture* Second = nullptr;
	};
}

// Registering follows the controller's pawn at once and after each change of possession; twice binds once.
TEST_F(DirectorTracking, FollowsTheRegisteredControllersPawn)
{
	A->Possess(First);
	Director->RegisterPlayerController(A);
	Director->RegisterPlayerController(A);
	EXPECT_EQ(Target(), First);
	EXPECT_EQ(A->OnPossessedPawnChanged.GetAllObjects().Num(), 1) << "one binding however often registered";
	A->Possess(Second);
	EXPECT_EQ(Target(), Second);
}

// A controller without a pawn is followed from its first possession; an unpossession keeps the last pawn.
TEST_F(DirectorTracking, PawnlessControllerAndUnpossession)
{
	Director->RegisterPlayerController(A);
	EXPECT_EQ(Target(), nullptr);
	A->Possess(First);
	EXPECT_EQ(Target(), First);
	A->UnPossess();
	EXPECT_EQ(Target(), First);
}

// Registering another controller moves the binding: the first one's possessions no longer move the target.
TEST_F(DirectorTracking, OneControllerAtATime)
{
	Director->RegisterPlayerController(A);
	Director->RegisterPlayerController(B);
	A->Possess(First);
	EXPECT_EQ(Target(), nullptr);
	B->Possess(Second);
	EXPECT_EQ(Target(), Second);
	EXPECT_EQ(A->OnPossessedPawnChanged.GetAllObjects().Num(), 0);
}

// Unregistering stops following but keeps the target; strangers and null change nothing.
TEST_F(DirectorTracking, UnregisteringKeepsTheTarget)
{
	Director->UnregisterPlayerController(nullptr);
	Director->RegisterPlayerController(A);
	Director->UnregisterPlayerController(B);
	A->Possess(First);
	EXPECT_EQ(Target(), First) << "B was never bound, so A still is";
	Director->UnregisterPlayerController(A);
	A->Possess(Second);
	EXPECT_EQ(Target(), First);
}

// A pawn set directly is followed; a null or dying pawn leaves the target alone.
TEST_F(DirectorTracking, SetTrackingTargetIgnoresDeadPawns)
{
	Director->SetTrackingTarget(First);
	Director->SetTrackingTarget(nullptr);
	EXPECT_EQ(Target(), First);
	Second->MarkAsGarbage();
	Director->SetTrackingTarget(Second);
	EXPECT_EQ(Target(), First);
}

// A destroyed controller unbinds by itself; a later registration binds afresh.
TEST_F(DirectorTracking, DestroyedControllerIsForgotten)
{
	Director->RegisterPlayerController(A);
	ASSERT_TRUE(A->Destroy());
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	Director->RegisterPlayerController(B);
	B->Possess(Second);
	EXPECT_EQ(Target(), Second);
}
