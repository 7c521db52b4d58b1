// The controller of a human player.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Controller.h"
#include "PlayerController.generated.h"

class APlayerCameraManager;

/**
 * Host departures: no player, input or HUD; every player controller is local and gets its camera
 * manager when it is spawned. Possession is inherited from AController.
 */
UCLASS(BlueprintType, Blueprintable)
class ENGINE_API APlayerController : public AController
{
	GENERATED_BODY()

public:
	APlayerController();

	/** Camera manager associated with this Player Controller. */
	UPROPERTY(BlueprintReadOnly, Category = "PlayerController")
	TObjectPtr<APlayerCameraManager> PlayerCameraManager;

	virtual void PostInitializeComponents() override;

	/** Spawn the camera manager for this controller. */
	virtual void SpawnPlayerCameraManager();
};
