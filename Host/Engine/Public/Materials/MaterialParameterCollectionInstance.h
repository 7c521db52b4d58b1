// A world's values of a material parameter collection.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "MaterialParameterCollectionInstance.generated.h"

class UMaterialParameterCollection;
class UWorld;

/**
 * Class that stores per-world instance parameter data for a given UMaterialParameterCollection
 * resource. Instances are created through UWorld::GetParameterCollectionInstance.
 *
 * Host departure: nothing renders, so there is no uniform buffer to update; the values set are kept
 * and read back.
 */
UCLASS(HideCategories = Object, MinimalAPI)
class UMaterialParameterCollectionInstance : public UObject
{
	GENERATED_BODY()

public:
	/** Initializes the instance with the collection it is based off of and the world it is owned by. */
	ENGINE_API void SetCollection(UMaterialParameterCollection* InCollection, UWorld* InWorld);

	/**
	 * Sets parameter value overrides. False, with nothing stored and nothing logged, when the collection
	 * has no parameter of that name or the world is gone.
	 */
	ENGINE_API bool SetScalarParameterValue(FName ParameterName, float ParameterValue);
	ENGINE_API bool SetVectorParameterValue(FName ParameterName, const FLinearColor& ParameterValue);
	bool SetVectorParameterValue(FName ParameterName, const FVector& ParameterValue) { return SetVectorParameterValue(ParameterName, FLinearColor(ParameterValue)); }
	bool SetVectorParameterValue(FName ParameterName, const FVector4& ParameterValue) { return SetVectorParameterValue(ParameterName, FLinearColor(ParameterValue)); }

	/** Gets parameter values (the override, else the collection's default); false if the parameter was not found. */
	ENGINE_API bool GetScalarParameterValue(FName ParameterName, float& OutParameterValue) const;
	ENGINE_API bool GetVectorParameterValue(FName ParameterName, FLinearColor& OutParameterValue) const;

	const UMaterialParameterCollection* GetCollection() const { return Collection; }

	/** Tracks whether this instance has ever issued a missing parameter warning, to reduce log spam. */
	bool bLoggedMissingParameterWarning = false;

protected:
	/** Collection that this instance is based on. */
	UPROPERTY()
	TObjectPtr<UMaterialParameterCollection> Collection;

	/** World that owns this instance. */
	TWeakObjectPtr<UWorld> World;

	/** Overrides for scalar parameter values. */
	TMap<FName, float> ScalarParameterValues;

	/** Overrides for vector parameter values. */
	TMap<FName, FLinearColor> VectorParameterValues;
};
