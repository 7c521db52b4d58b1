// A material instance made and changed at run time.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialInstance.h"
#include "MaterialInstanceDynamic.generated.h"

/**
 * A material instance whose parameter values game code sets while running.
 *
 * Host departure: the engine has two Create overloads, (Parent, Outer) and (Parent, Outer, Name);
 * the host has the second with Name defaulted, which accepts the same calls.
 */
UCLASS(HideCategories = Object, CollapseCategories, BlueprintType, MinimalAPI)
class UMaterialInstanceDynamic : public UMaterialInstance
{
	GENERATED_BODY()

public:
	/** Set a MID scalar (float) parameter value */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetFloatParameterValue"), Category = "Rendering|Material")
	void SetScalarParameterValue(FName ParameterName, float Value);

	/** Set a MID scalar (float) parameter value using MPI (to allow access to layer parameters) */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetFloatParameterValue"), Category = "Rendering|Material")
	void SetScalarParameterValueByInfo(const FMaterialParameterInfo& ParameterInfo, float Value);

	/** Get the current scalar (float) parameter value from an MID (0 when no value is found) */
	UFUNCTION(BlueprintCallable, meta = (DisplayName = "GetScalarParameterValue", ScriptName = "GetScalarParameterValue", Keywords = "GetFloatParameterValue"), Category = "Rendering|Material")
	float K2_GetScalarParameterValue(FName ParameterName);

	/** Set an MID vector parameter value */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetColorParameterValue"), Category = "Rendering|Material")
	void SetVectorParameterValue(FName ParameterName, FLinearColor Value);
	void SetVectorParameterValue(FName ParameterName, const FVector& Value) { SetVectorParameterValue(ParameterName, FLinearColor(Value)); }
	void SetVectorParameterValue(FName ParameterName, const FVector4& Value) { SetVectorParameterValue(ParameterName, FLinearColor(Value)); }

	/** Set an MID vector parameter value using MPI (to allow access to layer parameters) */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetColorParameterValue"), Category = "Rendering|Material")
	void SetVectorParameterValueByInfo(const FMaterialParameterInfo& ParameterInfo, FLinearColor Value);

	/** Get the current MID vector parameter value ((0,0,0,1) when no value is found) */
	UFUNCTION(BlueprintCallable, meta = (DisplayName = "GetVectorParameterValue", ScriptName = "GetVectorParameterValue", Keywords = "GetColorParameterValue"), Category = "Rendering|Material")
	FLinearColor K2_GetVectorParameterValue(FName ParameterName);

	/**
	 * Use this function to set an initial value and fetch the index for use in SetScalarParameterByIndex.
	 * The index is the place of the override in ScalarParameterValues; false (and INDEX_NONE) if none.
	 */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetFloatParameterValue"), Category = "Rendering|Material")
	bool InitializeScalarParameterAndGetIndex(const FName& ParameterName, float Value, int32& OutParameterIndex);

	/** Use the cached value of OutParameterIndex from InitializeScalarParameterAndGetIndex to set the scalar parameter ONLY on the exact same MID. */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetFloatParameterValue"), Category = "Rendering|Material")
	bool SetScalarParameterByIndex(int32 ParameterIndex, float Value);

	/** Use this function to set an initial value and fetch the index for use in SetVectorParameterByIndex. */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetColorParameterValue"), Category = "Rendering|Material")
	bool InitializeVectorParameterAndGetIndex(const FName& ParameterName, const FLinearColor& Value, int32& OutParameterIndex);

	/** Use the cached value of OutParameterIndex above to set the vector parameter ONLY on the exact same MID. */
	UFUNCTION(BlueprintCallable, meta = (Keywords = "SetColorParameterValue"), Category = "Rendering|Material")
	bool SetVectorParameterByIndex(int32 ParameterIndex, const FLinearColor& Value);

	/** Removes all parameter values */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	void ClearParameterValues();

	/**
	 * Create a material instance dynamic parented to the specified material.
	 * The outer is InOuter, or the transient package. Without a name, a MID of a parent is named
	 * "MID_<parent name>" made unique; a name already taken in the outer is made unique too, so an
	 * existing instance is never replaced. A null parent is allowed.
	 */
	static ENGINE_API UMaterialInstanceDynamic* Create(class UMaterialInterface* ParentMaterial, class UObject* InOuter, FName Name = NAME_None);
};
