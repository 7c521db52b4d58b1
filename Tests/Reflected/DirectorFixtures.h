// Script-side listeners bound by name as level scripts bind engine events, and small actors for the
// director's tracking.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "GameFramework/Actor.h"
#include "GameFramework/Pawn.h"
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

class USceneComponent;
class ULM_TrackingPostProcessComponent;

/** An actor carrying only the tracking post-process, as a level could place it without the director. */
UCLASS()
class ATrackingPostProcessFixtureActor : public AActor
{
	GENERATED_BODY()

public:
	ATrackingPostProcessFixtureActor();

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> Root;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<ULM_TrackingPostProcessComponent> Tracking;
};

/** Counts timer calls, as a game object with a repeating timer would. */
UCLASS()
class UTimerListener : public UObject
{
	GENERATED_BODY()

public:
	UFUNCTION()
	void OnTimer();

	int32 Calls = 0;
};

/** A pawn with a place in the world (the engine's bare pawn has no root component). */
UCLASS()
class ATrackedPawnFixture : public APawn
{
	GENERATED_BODY()

public:
	ATrackedPawnFixture();

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> Root;
};

class ULM_GroundFollowerFogComponent;

/** An actor carrying only the ground-following fog, movable as the director makes it. */
UCLASS()
class AGroundFogFixtureActor : public AActor
{
	GENERATED_BODY()

public:
	AGroundFogFixtureActor();

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> Root;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<ULM_GroundFollowerFogComponent> Fog;
};
