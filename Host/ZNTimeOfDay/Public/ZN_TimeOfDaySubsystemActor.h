// The game clock: an actor that advances the time of day with its own tick.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "ZN_TimeOfDaySubsystemActor.generated.h"

/** The time of day: whole days elapsed and the fraction of the current day. */
USTRUCT(BlueprintType)
struct ZNTIMEOFDAY_API FZN_GameTimeOfDay
{
	GENERATED_BODY()

	/** Whole days elapsed. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time of Day")
	int32 Day = 0;

	/** Time within the current day as a fraction of a day, 0 up to but not including 1. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time of Day")
	double DayFraction = 0.0;
};

/**
 * Advances the time of day by its own tick at a configurable length of day, and registers itself
 * as its world's time-of-day actor when it begins play.
 */
UCLASS(BlueprintType)
class ZNTIMEOFDAY_API AZN_TimeOfDaySubsystemActor : public AActor
{
	GENERATED_BODY()

public:
	AZN_TimeOfDaySubsystemActor();

	const FZN_GameTimeOfDay& GetGameTimeOfDay() const { return GameTimeOfDay; }

	/** Sets the clock; a fraction outside 0..1 carries into the day count. */
	UFUNCTION(BlueprintCallable, Category = "Time of Day")
	void SetGameTimeOfDay(int32 InDay, double InDayFraction);

	/** Real seconds for one game day; 0 or less stops the clock. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time of Day", meta = (ClampMin = "0.0", Units = "s"))
	float DayLengthSeconds = 1200.f;

	/** Stops the clock without changing the time. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time of Day")
	bool bPaused = false;

	virtual void Tick(float DeltaSeconds) override;

protected:
	virtual void BeginPlay() override;

	UPROPERTY(EditAnywhere, Category = "Time of Day")
	FZN_GameTimeOfDay GameTimeOfDay;
};
