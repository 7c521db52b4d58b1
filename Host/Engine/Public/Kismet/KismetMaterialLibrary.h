// Script-callable access to material parameter collections.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "KismetMaterialLibrary.generated.h"

class UMaterialParameterCollection;

/**
 * Reads and writes a world's values of a parameter collection (the world of WorldContextObject).
 * A null collection or a context without a world does nothing (the getters return 0 / black).
 * A name the collection lacks is reported once per collection instance.
 *
 * Host departure: the engine reports the missing name to the "PIE" message log (FMessageLog); the
 * host has no message logs and writes the same warning with UE_LOG (category
 * LogMaterialParameterCollection). The engine also logs an error for a context without a world;
 * the host returns quietly.
 */
UCLASS(MinimalAPI, meta = (ScriptName = "MaterialLibrary"))
class UKismetMaterialLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/** Sets a scalar parameter value on the material collection instance. Logs if ParameterName is invalid. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material", meta = (Keywords = "SetFloatParameterValue", WorldContext = "WorldContextObject", MaterialParameterCollectionFunction = "true"))
	static void SetScalarParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName, float ParameterValue);

	/** Sets a vector parameter value on the material collection instance. Logs if ParameterName is invalid. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material", meta = (Keywords = "SetColorParameterValue", WorldContext = "WorldContextObject", MaterialParameterCollectionFunction = "true"))
	static void SetVectorParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName, const FLinearColor& ParameterValue);

	/** Gets a scalar parameter value from the material collection instance. Logs if ParameterName is invalid. */
	UFUNCTION(BlueprintPure, Category = "Rendering|Material", meta = (Keywords = "GetFloatParameterValue", WorldContext = "WorldContextObject", MaterialParameterCollectionFunction = "true"))
	static float GetScalarParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName);

	/** Gets a vector parameter value from the material collection instance. Logs if ParameterName is invalid. */
	UFUNCTION(BlueprintPure, Category = "Rendering|Material", meta = (Keywords = "GetColorParameterValue", WorldContext = "WorldContextObject", MaterialParameterCollectionFunction = "true"))
	static FLinearColor GetVectorParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName);
};
