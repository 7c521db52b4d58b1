// An actor carrying the sky dome and the celestial component that drives it, as the director does.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Components/SceneComponent.h"
#include "Components/LM_SkySphereComponent.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "SkySphereFixtures.generated.h"

UCLASS()
class ASkySphereFixtureActor : public AActor
{
	GENERATED_BODY()

public:
	ASkySphereFixtureActor();

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> Root;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<ULM_SkySphereComponent> Sky;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<ULM_CelestialRotationComponent> Celestial;
};
