// A world's timers as game code uses them: delays, loops that catch up, clearing, and weak bindings.
#include "DirectorFixtures.h"
#include "CoreMinimal.h"
#include "Engine/World.h"
#include "TimerManager.h"
#include <gtest/gtest.h>

namespace
{
	class WorldTimers : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			World->BeginPlay();
			Listener = NewObject<UTimerListener>();
		}
		void TearDown() override { World->DestroyWorld(false); }

		void Tick(float Seconds) { World->Tick(LEVELTICK_All, Seconds); }
		FTimerManager& Timers() { return World->GetTimerManager(); }

		UWorld* World = nullptr;
		UTimerListener* Listener = nullptr;
	};
}

// A timer set before the frame's timers have run starts counting after the next tick, then fires one interval later.
TEST_F(WorldTimers, TimerSetOutsideTheTickStartsAfterTheNextTick)
{
	FTimerHandle Handle;
	Timers().SetTimer(Handle, Listener, &UTimerListener::OnTimer, 0.2f, true);
	ASSERT_TRUE(Handle.IsValid());
	Tick(0.15f);
	EXPECT_EQ(Listener->Calls, 0) << "pending through its first tick";
	Tick(0.15f);
	EXPECT_EQ(Listener->Calls, 0);
	Tick(0.1f);
	EXPECT_EQ(Listener->Calls, 1) << "0.25 s after activation";
	EXPECT_TRUE(Timers().IsTimerActive(Handle));
}

// A loop that falls behind fires once per missed interval in one tick; a one-shot fires once and is gone.
TEST_F(WorldTimers, LoopsCatchUpAndOneShotsEnd)
{
	FTimerHandle Loop;
	FTimerHandle Once;
	Timers().SetTimer(Loop, Listener, &UTimerListener::OnTimer, 0.1f, true, 0.f);
	int32 OneShotCalls = 0;
	Timers().SetTimer(Once, [&OneShotCalls]() { ++OneShotCalls; }, 0.05f, false);
	Tick(0.01f);
	Tick(0.35f);
	EXPECT_EQ(Listener->Calls, 4) << "expired at 0, 0.1, 0.2 and 0.3 s";
	EXPECT_EQ(OneShotCalls, 1);
	EXPECT_FALSE(Timers().TimerExists(Once));
}

// Clearing stops a timer and invalidates its handle; a rate of zero sets nothing.
TEST_F(WorldTimers, ClearingAndZeroRate)
{
	FTimerHandle Handle;
	Timers().SetTimer(Handle, Listener, &UTimerListener::OnTimer, 0.1f, true);
	Timers().ClearTimer(Handle);
	EXPECT_FALSE(Handle.IsValid());
	Tick(0.01f);
	Tick(1.f);
	EXPECT_EQ(Listener->Calls, 0);

	Timers().SetTimer(Handle, Listener, &UTimerListener::OnTimer, 0.f, true);
	EXPECT_FALSE(Handle.IsValid());
}

// Setting a timer on a handle in use replaces the old timer instead of running two.
TEST_F(WorldTimers, SettingAgainReplaces)
{
	FTimerHandle Handle;
	Timers().SetTimer(Handle, Listener, &UTimerListener::OnTimer, 0.1f, true);
	const FTimerHandle First = Handle;
	Timers().SetTimer(Handle, Listener, &UTimerListener::OnTimer, 0.1f, true);
	EXPECT_FALSE(Timers().TimerExists(First));
	Tick(0.01f);
	Tick(0.15f);
	EXPECT_EQ(Listener->Calls, 1);
}

// The binding is weak: a destroyed object's timer is dropped, never called.
TEST_F(WorldTimers, DeadObjectsTimerIsDropped)
{
	FTimerHandle Handle;
	Timers().SetTimer(Handle, Listener, &UTimerListener::OnTimer, 0.1f, true);
	Listener->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	Tick(0.01f);
	Tick(0.5f);
	EXPECT_FALSE(Timers().TimerExists(Handle));
}
