// Where the game clock is found: one subsystem per world holding the current time-of-day actor.
#pragma once

#include "CoreMinimal.h"
#include "Subsystems/WorldSubsystem.h"
#include "ZN_TimeOfDaySubsystem.generated.h"

class AActor;

UCLASS()
class ZNTIMEOFDAY_API UZN_TimeOfDaySubsystem : public UWorldSubsystem
{
	GENERATED_BODY()

public:
	/**
	 * The clock of this world; may be empty. Whoever clears or replaces it is obeyed. Typed as any
	 * actor because game code may park another kind of actor here; readers check for the clock class.
	 */
	UPROPERTY(Transient, BlueprintReadOnly, Category = "Time of Day")
	TWeakObjectPtr<AActor> TimeOfDayActor;
};
