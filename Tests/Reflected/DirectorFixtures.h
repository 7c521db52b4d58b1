// A script-side listener of the director registry, as a level script or widget would bind it.
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
