// A material: the root of an instance chain, declaring the parameters and their default values.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialInterface.h"
#include "Material.generated.h"

/**
 * A material asset. In the engine its parameters come from the parameter expressions of its graph,
 * gathered into cached expression data when the material is compiled; the order is the order in
 * which those parameters were met.
 *
 * Host departure: there is no graph. The material holds its parameter list directly (name,
 * default, expression GUID, in order); the host's authoring helpers (HostSupport/MaterialAuthoring.h),
 * which stand in for the material editor, build it.
 */
UCLASS(HideCategories = Object, MinimalAPI, BlueprintType)
class UMaterial : public UMaterialInterface
{
	GENERATED_BODY()

public:
	//~ Begin UMaterialInterface
	virtual UMaterial* GetMaterial() override { return this; }
	virtual const UMaterial* GetMaterial() const override { return this; }
	ENGINE_API virtual void GetAllParameterInfoOfType(EMaterialParameterType Type, TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const override;
	ENGINE_API virtual bool GetParameterValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult,
		EMaterialGetParameterValueFlags Flags = EMaterialGetParameterValueFlags::Default) const override;
	//~ End UMaterialInterface

private:
	/** One declared parameter, as the compiled expression data lists it. */
	struct FDeclaredParameter
	{
		FMaterialParameterInfo Info;
		FMaterialParameterMetadata Metadata;
	};

	const TArray<FDeclaredParameter>* GetDeclaredParameters(EMaterialParameterType Type) const;
	TArray<FDeclaredParameter>* GetDeclaredParameters(EMaterialParameterType Type);

	TArray<FDeclaredParameter> ScalarParameters;
	TArray<FDeclaredParameter> VectorParameters;

	/** The material editor's stand-in (HostSupport/MaterialAuthoring.h). */
	friend struct FHostMaterialAuthoring;
};
