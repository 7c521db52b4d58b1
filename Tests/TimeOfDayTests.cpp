// The game clock the director reads: its subsystem, its actor and the time record.
#include "CoreMinimal.h"
#include "Engine/World.h"
#include "ZN_TimeOfDaySubsystem.h"
#include "ZN_TimeOfDaySubsystemActor.h"
#include <gtest/gtest.h>

namespace
{
	class TimeOfDayTest : public ::testing::Test
	{
	protected:
		void SetUp() override { World = UWorld::CreateWorld(EWorldType::Game, false); }
		void TearDown() override { World->DestroyWorld(false); }
		UZN_TimeOfDaySubsystem* Subsystem() const { return World->GetSubsystem<UZN_TimeOfDaySubsystem>(); }
		UWorld* World = nullptr;
	};
}

// Each world has its own subsystem, and the actor registers itself when it begins play, not before.
TEST_F(TimeOfDayTest, ActorRegistersAtBeginPlay)
{
	ASSERT_NE(Subsystem(), nullptr);
	AZN_TimeOfDaySubsystemActor* Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
	EXPECT_FALSE(Subsystem()->TimeOfDayActor.IsValid()) << "not before play";
	World->BeginPlay();
	EXPECT_EQ(Subsystem()->TimeOfDayActor.Get(), Clock);

	AZN_TimeOfDaySubsystemActor* Second = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
	EXPECT_EQ(Subsystem()->TimeOfDayActor.Get(), Second) << "the latest to begin play is the clock";

	UWorld* Other = UWorld::CreateWorld(EWorldType::Game, false);
	EXPECT_NE(Other->GetSubsystem<UZN_TimeOfDaySubsystem>(), Subsystem());
	EXPECT_FALSE(Other->GetSubsystem<UZN_TimeOfDaySubsystem>()->TimeOfDayActor.IsValid());
	Other->DestroyWorld(false);
}

// The clock advances by its own tick at its day length and carries whole days into the day count.
TEST_F(TimeOfDayTest, TickAdvancesAtDayLength)
{
	AZN_TimeOfDaySubsystemActor* Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
	Clock->DayLengthSeconds = 10.f;
	Clock->SetGameTimeOfDay(0, 0.9);
	World->BeginPlay();
	World->Tick(LEVELTICK_All, 0.5f);
	EXPECT_EQ(Clock->GetGameTimeOfDay().Day, 0);
	EXPECT_NEAR(Clock->GetGameTimeOfDay().DayFraction, 0.95, 1e-9);
	World->Tick(LEVELTICK_All, 1.0f);
	EXPECT_EQ(Clock->GetGameTimeOfDay().Day, 1);
	EXPECT_NEAR(Clock->GetGameTimeOfDay().DayFraction, 0.05, 1e-9);

	Clock->bPaused = true;
	World->Tick(LEVELTICK_All, 1.0f);
	EXPECT_NEAR(Clock->GetGameTimeOfDay().DayFraction, 0.05, 1e-9) << "a paused clock keeps its time";
}

struct FSetTimeCase
{
	int32 Day;
	double Fraction;
	int32 ExpectedDay;
	double ExpectedFraction;
};

class TimeOfDaySetTest : public TimeOfDayTest, public ::testing::WithParamInterface<FSetTimeCase>
{
};

// Setting the clock keeps the fraction in 0..1 (never 1) and carries the rest into the day, both ways.
TEST_P(TimeOfDaySetTest, SetNormalisesFraction)
{
	AZN_TimeOfDaySubsystemActor* Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
	const FSetTimeCase& Case = GetParam();
	Clock->SetGameTimeOfDay(Case.Day, Case.Fraction);
	EXPECT_EQ(Clock->GetGameTimeOfDay().Day, Case.ExpectedDay);
	EXPECT_NEAR(Clock->GetGameTimeOfDay().DayFraction, Case.ExpectedFraction, 1e-12);
	EXPECT_LT(Clock->GetGameTimeOfDay().DayFraction, 1.0);
	EXPECT_GE(Clock->GetGameTimeOfDay().DayFraction, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeOfDaySetTest, ::testing::Values(
	FSetTimeCase{ 3, 0.25, 3, 0.25 },
	FSetTimeCase{ 0, 1.0, 1, 0.0 },
	FSetTimeCase{ 2, 2.5, 4, 0.5 },
	FSetTimeCase{ 1, -0.25, 0, 0.75 },
	FSetTimeCase{ 0, 0.0, 0, 0.0 }));

// The subsystem never takes the reference back: a cleared or replaced reference stays as set.
TEST_F(TimeOfDayTest, ReferenceChangesAreObeyed)
{
	AZN_TimeOfDaySubsystemActor* Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
	World->BeginPlay();
	Subsystem()->TimeOfDayActor.Reset();
	World->Tick(LEVELTICK_All, 0.1f);
	EXPECT_FALSE(Subsystem()->TimeOfDayActor.IsValid());

	Subsystem()->TimeOfDayActor = Clock;
	Clock->Destroy();
	EXPECT_FALSE(Subsystem()->TimeOfDayActor.IsValid()) << "a destroyed clock reads as none";
}
