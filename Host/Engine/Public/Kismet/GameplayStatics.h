// Static gameplay helpers callable from scripts.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "GameplayStatics.generated.h"

class APawn;
class APlayerController;

/** Host departures: only the player lookups; player index N is the Nth player controller spawned. */
UCLASS()
class ENGINE_API UGameplayStatics : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/** Returns the player controller found while iterating through the local and available remote player controllers. */
	UFUNCTION(BlueprintPure, Category = "Game", meta = (WorldContext = "WorldContextObject"))
	static APlayerController* GetPlayerController(const UObject* WorldContextObject, int32 PlayerIndex);

	/** Returns the pawn for the player controller at the specified player index; null when there is none. */
	UFUNCTION(BlueprintPure, Category = "Game", meta = (WorldContext = "WorldContextObject"))
	static APawn* GetPlayerPawn(const UObject* WorldContextObject, int32 PlayerIndex);
};
