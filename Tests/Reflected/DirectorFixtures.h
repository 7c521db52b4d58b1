// Script-side listeners, bound by name as level scripts and widgets bind engine events.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "DirectorFixtures.generated.h"

class AZN_Lumarch;

UCLASS()
class ULumarchRegistryListener : public UObject
{
	GENERATED_BODY()

public:
	UFUNCTION()
	void HandleLumarchRegistered(AZN_Lumarch* Lumarch);

	TArray<AZN_Lumarch*> Received;
};

class APawn;

/** Records possession changes as a script bound to a controller's event would see them. */
UCLASS()
class UPossessionListener : public UObject
{
	GENERATED_BODY()

public:
	UFUNCTION()
	void HandlePossessedPawnChanged(APawn* OldPawn, APawn* NewPawn);

	TArray<TPair<APawn*, APawn*>> Changes;
};
