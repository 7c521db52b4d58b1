#include "ZN_TimeOfDaySubsystemActor.h"
#include "ZN_TimeOfDaySubsystem.h"
#include "Engine/World.h"
#include <cmath>

AZN_TimeOfDaySubsystemActor::AZN_TimeOfDaySubsystemActor()
{
	PrimaryActorTick.bCanEverTick = true;
	PrimaryActorTick.bStartWithTickEnabled = true;
}

void AZN_TimeOfDaySubsystemActor::BeginPlay()
{
	Super::BeginPlay();
	// Registers once; afterwards the subsystem's reference belongs to whoever changes it.
	if (UWorld* World = GetWorld())
	{
		if (UZN_TimeOfDaySubsystem* Subsystem = World->GetSubsystem<UZN_TimeOfDaySubsystem>())
		{
			Subsystem->TimeOfDayActor = this;
		}
	}
}

void AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay(int32 InDay, double InDayFraction)
{
	if (!std::isfinite(InDayFraction))
	{
		return;
	}
	const double Whole = std::floor(InDayFraction);
	GameTimeOfDay.Day = InDay + (int32)Whole;
	GameTimeOfDay.DayFraction = InDayFraction - Whole;
	// Rounding can leave exactly 1.0; that is the start of the next day.
	if (GameTimeOfDay.DayFraction >= 1.0)
	{
		GameTimeOfDay.DayFraction = 0.0;
		++GameTimeOfDay.Day;
	}
}

void AZN_TimeOfDaySubsystemActor::Tick(float DeltaSeconds)
{
	Super::Tick(DeltaSeconds);
	if (bPaused || DayLengthSeconds <= 0.f || DeltaSeconds <= 0.f)
	{
		return;
	}
	SetGameTimeOfDay(GameTimeOfDay.Day, GameTimeOfDay.DayFraction + (double)DeltaSeconds / (double)DayLengthSeconds);
}
