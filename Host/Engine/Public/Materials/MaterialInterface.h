// The base of materials and material instances: parameter descriptions and value lookups.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "Engine/BlendableInterface.h"
#include "MaterialTypes.h"
#include "MaterialInterface.generated.h"

class UMaterial;
class FSceneView;

/**
 * A material or a material instance: what primitives render with and what post-process components
 * blend.
 *
 * Host departures: the engine's UMaterialInterface also implements IInterface_AssetUserData and
 * carries render proxies, texture streaming data and shader maps; the host keeps the parameter
 * model that game code reads and writes. Nothing renders, so OverrideBlendableSettings has no view to
 * write to. Only scalar and vector parameters exist.
 */
UCLASS(Abstract, BlueprintType, MinimalAPI, HideCategories = (Thumbnail))
class UMaterialInterface : public UObject, public IBlendableInterface
{
	GENERATED_BODY()

public:
	//~ Begin IBlendableInterface
	ENGINE_API virtual void OverrideBlendableSettings(FSceneView& View, float Weight) const override;
	//~ End IBlendableInterface

	/**
	 * The material at the root of the instance chain (this, for a material); null when the chain ends
	 * in an instance without a parent.
	 */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	UMaterial* GetBaseMaterial();

	/** The material this is, or that this instance is an instance of (see GetBaseMaterial). */
	virtual UMaterial* GetMaterial() = 0;
	virtual const UMaterial* GetMaterial() const = 0;

	/**
	 * Every scalar parameter of the base material, in the material's own order (the order its
	 * parameters were met), with the GUIDs of the expressions that declare them. Both arrays are
	 * reset first and filled in parallel. Instances report their base material's parameters.
	 */
	ENGINE_API void GetAllScalarParameterInfo(TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const;
	/** As GetAllScalarParameterInfo, for vector parameters. */
	ENGINE_API void GetAllVectorParameterInfo(TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const;

	/**
	 * The parameter's current value: the override of the nearest instance in the chain that has one
	 * (whether or not the material declares the parameter), else the material's default. False when
	 * neither exists; with bOveriddenOnly, false unless an instance overrides it.
	 */
	ENGINE_API bool GetScalarParameterValue(const FHashedMaterialParameterInfo& ParameterInfo, float& OutValue, bool bOveriddenOnly = false) const;
	ENGINE_API bool GetVectorParameterValue(const FHashedMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue, bool bOveriddenOnly = false) const;

	/**
	 * The value the parameter has without this object's own overrides: the overrides of parent
	 * instances still count. False when neither the material nor a parent has it.
	 */
	ENGINE_API bool GetScalarParameterDefaultValue(const FHashedMaterialParameterInfo& ParameterInfo, float& OutValue) const;
	ENGINE_API bool GetVectorParameterDefaultValue(const FHashedMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue) const;

	/** Every parameter of one type; both arrays are reset first (see GetAllScalarParameterInfo). */
	virtual void GetAllParameterInfoOfType(EMaterialParameterType Type, TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const = 0;

	/** The generic lookup behind the Get*ParameterValue functions; Flags say where it may look. */
	virtual bool GetParameterValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult,
		EMaterialGetParameterValueFlags Flags = EMaterialGetParameterValueFlags::Default) const = 0;

	/** The lookup behind Get*ParameterDefaultValue: everything except this object's own overrides. */
	ENGINE_API bool GetParameterDefaultValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutValue) const;
};
