// The controller of a human player.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Controller.h"
#include "PlayerController.generated.h"

/** Host departures: no player, input, HUD or camera manager; possession is inherited from AController. */
UCLASS(BlueprintType, Blueprintable)
class ENGINE_API APlayerController : public AController
{
	GENERATED_BODY()

public:
	APlayerController();
};
