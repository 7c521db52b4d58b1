// Controllers and pawns: possession and the possession-changed event that game code binds by name.
#include "DirectorFixtures.h"
#include "CoreMinimal.h"
#include "Engine/World.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "Components/SceneComponent.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include <gtest/gtest.h>
#include <cstring>

namespace
{
	class Possession : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Controller = World->SpawnActor<APlayerController>();
			Listener = NewObject<UPossessionListener>();
			Controller->OnPossessedPawnChanged.AddDynamic(Listener, &UPossessionListener::HandlePossessedPawnChanged);
		}
		void TearDown() override { World->DestroyWorld(false); }

		UWorld* World = nullptr;
		APlayerController* Controller = nullptr;
		UPossessionListener* Listener = nullptr;
	};
}

// Each change of pawn is announced once with the old and the new pawn; possessing the same pawn again is no change.
TEST_F(Possession, ChangesAreAnnouncedWithOldAndNewPawn)
{
	APawn* First = World->SpawnActor<APawn>();
	APawn* Second = World->SpawnActor<APawn>();
	Controller->Possess(First);
	Controller->Possess(First);
	Controller->Possess(Second);
	Controller->UnPossess();

	ASSERT_EQ(Listener->Changes.Num(), 3);
	EXPECT_EQ(Listener->Changes[0], (TPair<APawn*, APawn*>{nullptr, First}));
	EXPECT_EQ(Listener->Changes[1], (TPair<APawn*, APawn*>{First, Second}));
	EXPECT_EQ(Listener->Changes[2], (TPair<APawn*, APawn*>{Second, nullptr}));
	EXPECT_EQ(Controller->GetPawn(), nullptr);
	EXPECT_EQ(First->GetController(), nullptr);
	EXPECT_EQ(Second->GetController(), nullptr);
}

// Taking a pawn from another controller releases it there, so each pawn has one controller.
TEST_F(Possession, PawnMovesBetweenControllers)
{
	APawn* Pawn = World->SpawnActor<APawn>();
	APlayerController* Other = World->SpawnActor<APlayerController>();
	Controller->Possess(Pawn);
	Other->Possess(Pawn);
	EXPECT_EQ(Pawn->GetController(), Other);
	EXPECT_EQ(Controller->GetPawn(), nullptr);
	ASSERT_EQ(Listener->Changes.Num(), 2);
	EXPECT_EQ(Listener->Changes[1], (TPair<APawn*, APawn*>{Pawn, nullptr}));
}

// Moving a child to a world location keeps its relative rotation as set, and world rotations follow every change of a parent's rotation.
TEST(HostSceneComponent, WorldLocationKeepsRelativeRotationAndRotationsFollowParents)
{
	USceneComponent* Parent = NewObject<USceneComponent>(GetTransientPackage());
	USceneComponent* Child = NewObject<USceneComponent>(GetTransientPackage());
	Child->AttachToComponent(Parent);
	Parent->SetRelativeLocationAndRotation(FVector(100.0, 0.0, 0.0), FRotator(0.0, 90.0, 0.0));
	Parent->SetRelativeScale3D(FVector(2.0, 2.0, 2.0));
	const FRotator ChildRotation(10.0, -35.0, 0.0);
	Child->SetRelativeRotation(ChildRotation);

	Child->SetWorldLocation(FVector(100.0, 50.0, 20.0));
	EXPECT_TRUE(Child->GetComponentLocation().Equals(FVector(100.0, 50.0, 20.0), 1e-9));
	EXPECT_TRUE(Child->GetRelativeLocation().Equals(FVector(25.0, 0.0, 10.0), 1e-9)) << "in the rotated, scaled parent's space";
	const FRotator Kept = Child->GetRelativeRotation();
	EXPECT_EQ(std::memcmp(&ChildRotation, &Kept, sizeof(FRotator)), 0) << "the relative rotation is not round-tripped";

	const FQuat Before = Child->GetComponentQuat();
	EXPECT_TRUE(Before.Equals(FQuat(FRotator(0.0, 90.0, 0.0)) * FQuat(ChildRotation), 1e-12));
	Parent->SetRelativeRotation(FRotator(0.0, -90.0, 0.0));
	EXPECT_TRUE(Child->GetComponentQuat().Equals(FQuat(FRotator(0.0, -90.0, 0.0)) * FQuat(ChildRotation), 1e-12)) << "a parent's new rotation shows at once";

	Parent->SetRelativeRotation(FRotator(0.0, 90.0, 0.0));
	const FQuat After = Child->GetComponentQuat();
	EXPECT_EQ(std::memcmp(&Before, &After, sizeof(FQuat)), 0) << "back where it was, bit for bit";
}
