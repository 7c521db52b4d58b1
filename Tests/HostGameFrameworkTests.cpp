// Controllers and pawns: possession and the possession-changed event that game code binds by name.
#include "DirectorFixtures.h"
#include "CoreMinimal.h"
#include "Engine/World.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include <gtest/gtest.h>

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
