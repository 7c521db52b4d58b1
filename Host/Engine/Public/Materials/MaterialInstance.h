// A material instance: a parent material (or instance) with some parameter values overridden.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialInterface.h"
#include "MaterialInstance.generated.h"

/** An overridden scalar parameter of an instance. */
USTRUCT(BlueprintType)
struct FScalarParameterValue
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = ScalarParameterValue)
	FMaterialParameterInfo ParameterInfo;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = ScalarParameterValue)
	float ParameterValue;

	UPROPERTY()
	FGuid ExpressionGUID;

	FScalarParameterValue()
		: ParameterValue(0.f)
	{
	}
	FScalarParameterValue(const FMaterialParameterInfo& InParameterInfo, float InValue)
		: ParameterInfo(InParameterInfo), ParameterValue(InValue)
	{
	}

	friend bool operator==(const FScalarParameterValue& Lhs, const FScalarParameterValue& Rhs)
	{
		return Lhs.ParameterInfo == Rhs.ParameterInfo && Lhs.ParameterValue == Rhs.ParameterValue && Lhs.ExpressionGUID == Rhs.ExpressionGUID;
	}
};

/** An overridden vector parameter of an instance. */
USTRUCT(BlueprintType)
struct FVectorParameterValue
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = VectorParameterValue)
	FMaterialParameterInfo ParameterInfo;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = VectorParameterValue)
	FLinearColor ParameterValue;

	UPROPERTY()
	FGuid ExpressionGUID;

	FVectorParameterValue()
		: ParameterValue(ForceInit)
	{
	}
	FVectorParameterValue(const FMaterialParameterInfo& InParameterInfo, const FLinearColor& InValue)
		: ParameterInfo(InParameterInfo), ParameterValue(InValue)
	{
	}

	friend bool operator==(const FVectorParameterValue& Lhs, const FVectorParameterValue& Rhs)
	{
		return Lhs.ParameterInfo == Rhs.ParameterInfo && Lhs.ParameterValue == Rhs.ParameterValue && Lhs.ExpressionGUID == Rhs.ExpressionGUID;
	}
};

/**
 * Overrides parameter values of its parent. Value lookups walk up the chain: the nearest instance
 * with an override wins, then the material's default. An instance without layer overrides of its
 * own (every instance here) reports its base material's parameter list.
 *
 * Host departures: no texture, font or static parameters, no layers, and no render resources; a
 * changed value counts one parameter update where the engine would update the render thread's copy
 * (see Host_GetParameterUpdateCount).
 */
UCLASS(Abstract, BlueprintType, MinimalAPI)
class UMaterialInstance : public UMaterialInterface
{
	GENERATED_BODY()

public:
	/** Parent material. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = MaterialInstance, AssetRegistrySearchable)
	TObjectPtr<class UMaterialInterface> Parent;

	/** Scalar parameters. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = MaterialInstance)
	TArray<FScalarParameterValue> ScalarParameterValues;

	/** Vector parameters. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = MaterialInstance)
	TArray<FVectorParameterValue> VectorParameterValues;

	//~ Begin UMaterialInterface
	/**
	 * The material at the end of the parent chain. Host departure: where the chain ends without a
	 * material (no parent) the engine falls back to its default surface material; the host has no
	 * default materials and returns null.
	 */
	ENGINE_API virtual UMaterial* GetMaterial() override;
	ENGINE_API virtual const UMaterial* GetMaterial() const override;
	ENGINE_API virtual void GetAllParameterInfoOfType(EMaterialParameterType Type, TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const override;
	ENGINE_API virtual bool GetParameterValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult,
		EMaterialGetParameterValueFlags Flags = EMaterialGetParameterValueFlags::Default) const override;
	//~ End UMaterialInterface

	/** This instance's own override of the parameter, if it has one (parents are not asked). */
	ENGINE_API bool GetParameterOverrideValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult) const;

	/** Whether Parent, directly or up the chain, is the given material. */
	ENGINE_API bool IsChildOf(const UMaterialInterface* ParentMaterialInterface) const;

	/**
	 * Host only, for tests and benchmarks (the engine has no such counter): how many parameter
	 * changes were handed on to the renderer. Setting a value it already has hands nothing on.
	 */
	int32 Host_GetParameterUpdateCount() const { return HostParameterUpdateCount; }

protected:
	/** Sets the parent, refusing one that is already a child of this instance (a cycle). */
	ENGINE_API void SetParentInternal(class UMaterialInterface* NewParent, bool RecacheShaders);

	/** Updates the override for the parameter, or appends one (the parent need not declare it). */
	ENGINE_API void SetScalarParameterValueInternal(const FMaterialParameterInfo& ParameterInfo, float Value);
	ENGINE_API void SetVectorParameterValueInternal(const FMaterialParameterInfo& ParameterInfo, FLinearColor Value);

	/** Sets the override at ParameterIndex of the overrides list, handed on whether or not it changed; false for a bad index. */
	ENGINE_API bool SetScalarParameterByIndexInternal(int32 ParameterIndex, float Value);
	ENGINE_API bool SetVectorParameterByIndexInternal(int32 ParameterIndex, const FLinearColor& Value);

	/** Drops every override. */
	ENGINE_API void ClearParameterValuesInternal();

private:
	int32 HostParameterUpdateCount = 0;
};
