// Worlds, actors and components driven with the engine's own calls.
#include "ObjectModelFixtures.h"
#include "CoreMinimal.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include <gtest/gtest.h>

namespace
{
	class WorldTest : public ::testing::Test
	{
	protected:
		void SetUp() override { AFixtureActor::SharedJournal().Reset(); }
		void TearDown() override
		{
			for (UWorld* World : Worlds)
			{
				World->DestroyWorld(false);
			}
		}
		UWorld* Make(EWorldType::Type Type)
		{
			UWorld* World = UWorld::CreateWorld(Type, false);
			Worlds.Add(World);
			return World;
		}
		TArray<FString>& Journal() { return AFixtureActor::SharedJournal(); }
		TArray<UWorld*> Worlds;
	};
}

// Spawning registers every component and then tells the actor, in that order; play begins later.
TEST_F(WorldTest, SpawnRegistersComponentsBeforePostRegisterAllComponents)
{
	UWorld* World = Make(EWorldType::Game);
	AFixtureActor* Actor = World->SpawnActor<AFixtureActor>();
	ASSERT_NE(Actor, nullptr);
	EXPECT_EQ(Actor->GetWorld(), World);
	EXPECT_TRUE(Actor->Ticker->IsRegistered());
	EXPECT_TRUE(Actor->Ticker->IsRenderStateCreated()) << "registered components stand in for a live scene proxy";
	EXPECT_EQ(Actor->RegisterAllCount, 1);
	ASSERT_EQ(Journal().Num(), 2);
	EXPECT_EQ(Journal()[0], FString(TEXT("Ticker.OnRegister")));
	EXPECT_EQ(Journal()[1], FString(TEXT("Actor.PostRegisterAllComponents")));
	EXPECT_FALSE(Actor->HasActorBegunPlay()) << "nothing begins before the world does";

	TArray<UActorComponent*> Components;
	Actor->GetComponents(Components);
	ASSERT_EQ(Components.Num(), 2);
	EXPECT_EQ(Components[0]->GetFName(), FName(TEXT("Root")));
	EXPECT_EQ(Actor->GetRootComponent(), Actor->Root.Get());
	EXPECT_EQ(Actor->FindComponentByClass<UFixtureTickingComponent>(), Actor->Ticker.Get());
	EXPECT_EQ(Actor->Ticker->GetAttachParent(), Actor->Root.Get());
}

// Actors spawned before BeginPlay begin with it; those spawned after begin at once.
TEST_F(WorldTest, BeginPlayStartsActorsThenComponents)
{
	UWorld* World = Make(EWorldType::Game);
	AFixtureActor* Early = World->SpawnActor<AFixtureActor>();
	Journal().Reset();
	World->BeginPlay();
	EXPECT_TRUE(Early->HasActorBegunPlay());
	ASSERT_EQ(Journal().Num(), 2);
	EXPECT_EQ(Journal()[0], FString(TEXT("Actor.BeginPlay")));
	EXPECT_EQ(Journal()[1], FString(TEXT("Ticker.BeginPlay")));

	AFixtureActor* Late = World->SpawnActor<AFixtureActor>();
	EXPECT_TRUE(Late->HasActorBegunPlay());
	EXPECT_TRUE(Late->Ticker->HasBegunPlay());
	UFixtureWorldSubsystem* Subsystem = World->GetSubsystem<UFixtureWorldSubsystem>();
	ASSERT_NE(Subsystem, nullptr);
	EXPECT_EQ(Subsystem->InitializeCount, 1);
	EXPECT_EQ(Subsystem->BeginPlayCount, 1);
}

// Play worlds tick actors before components each frame; editor worlds never tick them.
TEST_F(WorldTest, TickRunsActorsBeforeComponentsOnlyInPlay)
{
	UWorld* Editor = Make(EWorldType::Editor);
	AFixtureActor* Placed = Editor->SpawnActor<AFixtureActor>();
	Editor->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Placed->TickCount, 0);
	EXPECT_EQ(Placed->Ticker->TickCount, 0);
	EXPECT_EQ(Editor->GetSubsystem<UFixtureWorldSubsystem>(), nullptr) << "the subsystem only supports game worlds";

	UWorld* Game = Make(EWorldType::Game);
	AFixtureActor* Actor = Game->SpawnActor<AFixtureActor>();
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->TickCount, 0) << "no ticks before play begins";
	Game->BeginPlay();
	Journal().Reset();
	Game->Tick(LEVELTICK_All, 0.25f);
	ASSERT_EQ(Journal().Num(), 2);
	EXPECT_EQ(Journal()[0], FString(TEXT("Actor.Tick")));
	EXPECT_EQ(Journal()[1], FString(TEXT("Ticker.TickComponent")));
	EXPECT_FLOAT_EQ(Actor->Ticker->LastDelta, 0.25f);
	EXPECT_NEAR(Game->GetTimeSeconds(), 0.35, 1e-6) << "the clock runs in editor and play worlds alike";

	Actor->Ticker->SetComponentTickEnabled(false);
	Game->Tick(LEVELTICK_All, 0.25f);
	EXPECT_EQ(Actor->Ticker->TickCount, 1);
	EXPECT_EQ(Actor->TickCount, 2);
}

// A tick interval holds a function back and then hands it all the time that passed.
TEST_F(WorldTest, TickIntervalAccumulatesTime)
{
	UWorld* Game = Make(EWorldType::Game);
	AFixtureActor* Actor = Game->SpawnActor<AFixtureActor>();
	Actor->Ticker->SetComponentTickInterval(0.5f);
	Game->BeginPlay();
	for (int32 Frame = 0; Frame < 4; ++Frame)
	{
		Game->Tick(LEVELTICK_All, 0.2f);
	}
	EXPECT_EQ(Actor->Ticker->TickCount, 1);
	EXPECT_NEAR(Actor->Ticker->LastDelta, 0.6f, 1e-5f);
}

// The world's tick list is kept as functions register, unregister and are switched off and on; a group change shows at once.
TEST_F(WorldTest, TickListFollowsRegistrationEnablingAndGroups)
{
	UWorld* Game = Make(EWorldType::Game);
	AFixtureActor* Actor = Game->SpawnActor<AFixtureActor>();
	Game->BeginPlay();

	Actor->PrimaryActorTick.TickGroup = TG_PostUpdateWork;
	Journal().Reset();
	Game->Tick(LEVELTICK_All, 0.1f);
	ASSERT_EQ(Journal().Num(), 2);
	EXPECT_EQ(Journal()[0], FString(TEXT("Ticker.TickComponent"))) << "the actor now ticks in a later group than its component";
	EXPECT_EQ(Journal()[1], FString(TEXT("Actor.Tick")));

	Actor->Ticker->UnregisterComponent();
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->Ticker->TickCount, 1) << "an unregistered component leaves the list";
	Actor->Ticker->RegisterComponent();
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->Ticker->TickCount, 2) << "registered again, it ticks again";

	Actor->SetActorTickEnabled(false);
	Actor->SetActorTickEnabled(false);
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->TickCount, 3);
	Actor->SetActorTickEnabled(true);
	Actor->SetActorTickEnabled(true);
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->TickCount, 4) << "enabled twice, listed once: one tick a frame";
	EXPECT_EQ(Actor->Ticker->TickCount, 4);
}

// What a tick changes in the middle of a frame: the frame runs what was listed when it began, minus what left since.
TEST_F(WorldTest, TickListChangesDuringAFrameApplyFromTheNextFrame)
{
	UWorld* Game = Make(EWorldType::Game);
	AFixtureActor* First = Game->SpawnActor<AFixtureActor>();
	AFixtureActor* Second = Game->SpawnActor<AFixtureActor>();
	AFixtureActor* Third = Game->SpawnActor<AFixtureActor>();
	Game->BeginPlay();
	Third->SetActorTickEnabled(false);

	AFixtureActor* Spawned = nullptr;
	First->TickHook = [&]()
	{
		Second->SetActorTickEnabled(false);
		Third->SetActorTickEnabled(true);
		Spawned = Game->SpawnActor<AFixtureActor>();
		First->TickHook = nullptr;
	};
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(First->TickCount, 1);
	EXPECT_EQ(Second->TickCount, 0) << "switched off before its turn";
	EXPECT_EQ(Third->TickCount, 0) << "switched on during the frame: waits for the next";
	ASSERT_NE(Spawned, nullptr);
	EXPECT_TRUE(Spawned->HasActorBegunPlay());
	EXPECT_EQ(Spawned->TickCount, 0) << "spawned during the frame: waits for the next";
	EXPECT_EQ(Spawned->Ticker->TickCount, 0);

	First->TickHook = [&]() { Third->Destroy(); };
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(First->TickCount, 2);
	EXPECT_EQ(Second->TickCount, 0);
	EXPECT_EQ(Third->TickCount, 0) << "destroyed by an earlier tick of the same frame";
	EXPECT_EQ(Spawned->TickCount, 1);
	EXPECT_EQ(Spawned->Ticker->TickCount, 1);

	First->TickHook = nullptr;
	Second->SetActorTickEnabled(true);
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(First->TickCount, 3);
	EXPECT_EQ(Second->TickCount, 1);
	EXPECT_EQ(Second->Ticker->TickCount, 3) << "the component kept ticking while its actor's tick was off";
	EXPECT_EQ(Spawned->TickCount, 2);
}

// Ending play takes an actor and its components off the list; nothing of it ticks again.
TEST_F(WorldTest, EndPlayTakesTicksOffTheList)
{
	UWorld* Game = Make(EWorldType::Game);
	AFixtureActor* Actor = Game->SpawnActor<AFixtureActor>();
	Game->BeginPlay();
	Game->Tick(LEVELTICK_All, 0.1f);
	Actor->EndPlay(EEndPlayReason::RemovedFromWorld);
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->TickCount, 1);
	EXPECT_EQ(Actor->Ticker->TickCount, 1);
	EXPECT_FALSE(Actor->PrimaryActorTick.IsTickFunctionRegistered());
}

// Destroy ends play first, then leaves weak references stale and the actor out of iteration.
TEST_F(WorldTest, DestroyEndsPlayAndInvalidates)
{
	UWorld* Game = Make(EWorldType::Game);
	Game->BeginPlay();
	AFixtureActor* Actor = Game->SpawnActor<AFixtureActor>();
	TWeakObjectPtr<AFixtureActor> WeakActor(Actor);
	TWeakObjectPtr<UFixtureTickingComponent> WeakTicker(Actor->Ticker.Get());
	Journal().Reset();

	EXPECT_TRUE(Actor->Destroy());
	ASSERT_EQ(Actor->EndPlayReasons.Num(), 1);
	EXPECT_EQ(Actor->EndPlayReasons[0], EEndPlayReason::Destroyed);
	EXPECT_EQ(Journal()[0], FString(TEXT("Actor.EndPlay")));
	EXPECT_EQ(Journal()[1], FString(TEXT("Ticker.EndPlay")));
	EXPECT_FALSE(WeakActor.IsValid());
	EXPECT_FALSE(WeakTicker.IsValid());
	int32 Found = 0;
	for (TActorIterator<AFixtureActor> It(Game); It; ++It)
	{
		++Found;
	}
	EXPECT_EQ(Found, 0);
	Game->Tick(LEVELTICK_All, 0.1f);
	EXPECT_EQ(Actor->TickCount, 0) << "ticking after a destroy must not touch the destroyed actor";
}

// Tearing a world down ends play for the actors still in it and destroys everything it owned.
TEST_F(WorldTest, DestroyWorldEndsPlayAndCollects)
{
	UWorld* Game = UWorld::CreateWorld(EWorldType::Game, false);
	AFixtureActor* Actor = Game->SpawnActor<AFixtureActor>(FVector(100.0, 0.0, 50.0), FRotator(0.0, 90.0, 0.0));
	EXPECT_EQ(Actor->GetActorLocation(), FVector(100.0, 0.0, 50.0));
	Game->BeginPlay();
	TWeakObjectPtr<UWorld> WeakWorld(Game);
	TWeakObjectPtr<AFixtureActor> WeakActor(Actor);
	Journal().Reset();
	Game->DestroyWorld(false);
	EXPECT_FALSE(WeakWorld.IsValid());
	EXPECT_FALSE(WeakActor.IsValid());
	EXPECT_TRUE(Journal().Contains(FString(TEXT("Actor.EndPlay"))));
}

// An actor collected as garbage without Destroy leaves its world, which then ticks and tears down without it.
TEST_F(WorldTest, ActorCollectedWithoutDestroyLeavesItsWorld)
{
	UWorld* World = Make(EWorldType::Game);
	World->BeginPlay();
	AFixtureActor* Actor = World->SpawnActor<AFixtureActor>();
	ASSERT_TRUE(World->GetActors().Contains(Actor));
	Actor->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(World->GetActors().Num(), 0);
	World->Tick(LEVELTICK_All, 0.1f);
}
