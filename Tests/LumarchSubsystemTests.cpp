// Finding a world's lighting director through its registry, as game code and level scripts do.
#include "DirectorFixtures.h"
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "Actors/ZN_Lumarch.h"
#include "Actors/ZN_LumarchSubsystem.h"
#include "Engine/World.h"
#include <gtest/gtest.h>

using namespace DirectorTesting;

namespace
{
	class LumarchRegistry : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Registry = World->GetSubsystem<UZN_LumarchSubsystem>();
			ASSERT_NE(Registry, nullptr);
			Listener = NewObject<ULumarchRegistryListener>();
			Registry->OnLumarchRegistered.AddDynamic(Listener, &ULumarchRegistryListener::HandleLumarchRegistered);
		}
		void TearDown() override { World->DestroyWorld(false); }

		UWorld* World = nullptr;
		UZN_LumarchSubsystem* Registry = nullptr;
		ULumarchRegistryListener* Listener = nullptr;
	};
}

// A director registers when play begins, announcing itself once; before play there is none.
TEST_F(LumarchRegistry, DirectorRegistersAtBeginPlay)
{
	AZN_Lumarch* Director = World->SpawnActor<AZN_Lumarch>();
	EXPECT_EQ(Registry->GetDirector(), nullptr) << "placed is not playing";
	World->BeginPlay();
	EXPECT_EQ(Registry->GetDirector(), Director);
	ASSERT_EQ(Listener->Received.Num(), 1);
	EXPECT_EQ(Listener->Received[0], Director);
}

// The later of two directors wins; the earlier one ending play leaves it, the winner ending play empties the slot.
TEST_F(LumarchRegistry, LaterDirectorWinsAndOnlyItCanUnregister)
{
	World->BeginPlay();
	AZN_Lumarch* First = World->SpawnActor<AZN_Lumarch>();
	AZN_Lumarch* Second = World->SpawnActor<AZN_Lumarch>();
	ASSERT_EQ(Listener->Received.Num(), 2) << "actors spawned into a playing world begin play at once";
	EXPECT_EQ(Registry->GetDirector(), Second);

	ASSERT_TRUE(First->Destroy());
	EXPECT_EQ(Registry->GetDirector(), Second);
	ASSERT_TRUE(Second->Destroy());
	EXPECT_EQ(Registry->GetDirector(), nullptr);
}

// Direct calls: null is ignored silently, and a stranger cannot unregister the registered director.
TEST_F(LumarchRegistry, NullAndStrangersChangeNothing)
{
	AZN_Lumarch* Director = World->SpawnActor<AZN_Lumarch>();
	AZN_Lumarch* Stranger = World->SpawnActor<AZN_Lumarch>();
	Registry->RegisterLumarch(Director);
	Registry->RegisterLumarch(nullptr);
	EXPECT_EQ(Registry->GetDirector(), Director);
	EXPECT_EQ(Listener->Received.Num(), 1) << "nothing is announced for null";
	Registry->UnRegisterLumarch(Stranger);
	EXPECT_EQ(Registry->GetDirector(), Director);
	Registry->UnRegisterLumarch(nullptr);
	EXPECT_EQ(Registry->GetDirector(), Director) << "null matches only an empty or dead registration";
}

// A director that dies without ending play reads as none, and then even a null unregistration clears the slot.
TEST_F(LumarchRegistry, DeadDirectorReadsAsNone)
{
	AZN_Lumarch* Director = World->SpawnActor<AZN_Lumarch>();
	Registry->RegisterLumarch(Director);
	Director->MarkAsGarbage();
	EXPECT_EQ(Registry->GetDirector(), nullptr);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_EQ(Registry->GetDirector(), nullptr);
}

// Editor worlds never begin play, so their registry stays empty.
TEST(LumarchRegistryEditor, EditorWorldHasNoDirector)
{
	UWorld* World = UWorld::CreateWorld(EWorldType::Editor, false);
	World->SpawnActor<AZN_Lumarch>();
	UZN_LumarchSubsystem* Registry = World->GetSubsystem<UZN_LumarchSubsystem>();
	ASSERT_NE(Registry, nullptr);
	EXPECT_EQ(Registry->GetDirector(), nullptr);
	World->DestroyWorld(false);
}
