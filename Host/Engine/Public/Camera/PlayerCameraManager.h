// The camera of a player controller.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "PlayerCameraManager.generated.h"

class APlayerController;
class USceneComponent;

/**
 * Host departures: no view targets, camera modes or modifiers. The point of view is the manager's
 * own transform (its root component), which programs place where the camera should be.
 */
UCLASS(NotPlaceable, Transient, BlueprintType, Blueprintable)
class ENGINE_API APlayerCameraManager : public AActor
{
	GENERATED_BODY()

public:
	APlayerCameraManager();

	/** PlayerController that owns this Camera actor */
	UPROPERTY(Transient)
	TObjectPtr<APlayerController> PCOwner;

	/** Returns camera's current location. */
	UFUNCTION(BlueprintCallable, Category = "Camera")
	FVector GetCameraLocation() const;

	/** Returns camera's current rotation. */
	UFUNCTION(BlueprintCallable, Category = "Camera")
	FRotator GetCameraRotation() const;

private:
	/** Dummy component we can use to attach things to the camera. */
	UPROPERTY(Category = "CameraModifier", VisibleAnywhere, BlueprintReadOnly, meta = (AllowPrivateAccess = "true"))
	TObjectPtr<USceneComponent> TransformComponent;
};
