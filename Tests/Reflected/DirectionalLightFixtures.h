// An actor carrying the sun/moon light with a child attached, as the director carries its lights.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Components/SceneComponent.h"
#include "Components/LM_DirectionalLightComponent.h"
#include "DirectionalLightFixtures.generated.h"

UCLASS()
class ADirectionalLightFixtureActor : public AActor
{
	GENERATED_BODY()

public:
	ADirectionalLightFixtureActor();

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> Root;

	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<ULM_DirectionalLightComponent> Light;

	/** Attached to the light, so hiding the light shows whether visibility reaches children. */
	UPROPERTY(VisibleAnywhere, Category = "Components")
	TObjectPtr<USceneComponent> LightChild;
};
