#pragma once

#include "CoreMinimal.h"
#include "Components/StaticMeshComponent.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "Settings/LM_Settings.h"
#include "LM_SkySphereComponent.generated.h"

class UMaterialInterface;
class UMaterialInstanceDynamic;
class UMaterialParameterCollection;
class ULM_CelestialRotationComponent;

/**
 * The sky dome mesh. Its sky material is kept as a dynamic instance, and every frame it publishes the
 * sun and moon state into a material parameter collection so that the sky (and any other material
 * reading the collection) draws the bodies from the same values that drive the lights.
 */
UCLASS(HideCategories = (Object, Activation, "Components|Activation", Trigger))
class ZNLUMARCH_API ULM_SkySphereComponent : public UStaticMeshComponent
{
	GENERATED_BODY()

public:
	ULM_SkySphereComponent();

	// Makes slot 0 a dynamic instance of Material; an existing instance of the same parent is kept with its parameters.
	void ApplyMaterialToSkySpere(UMaterialInterface* Material);

	// Slot 0's material when it is a dynamic instance; never creates one.
	UMaterialInstanceDynamic* GetDynamicMaterial() const;

	// The collection Update writes into; not kept alive by this component.
	void SetMaterialParamaterCollection(UMaterialParameterCollection* Collection);

	// Writes the named entries into the dynamic sky material; entries without a name are skipped.
	void ApplyMaterialParameters(const TArray<FLM_ScalarMaterialParamaterEntry>& ScalarEntries, const TArray<FLM_VectorMaterialParameterEntry>& VectorEntries) const;

	// Publishes the sun and moon state of Celestial (never null) into the collection's instance in this world.
	void Update(const ULM_CelestialRotationComponent* Celestial, const FLinearColor& MoonLightColor);

private:
	// Non-owning: the director's static settings own the collection asset.
	TWeakObjectPtr<UMaterialParameterCollection> MaterialParameterCollection;
};
