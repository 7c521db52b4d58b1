// A material parameter collection: named scalar and vector values that every material of a world
// can read, with defaults here and per-world values in UMaterialParameterCollectionInstance.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "MaterialParameterCollection.generated.h"

/** Base struct for collection parameters */
USTRUCT()
struct FCollectionParameterBase
{
	GENERATED_BODY()

	FCollectionParameterBase()
		: Id(FGuid::NewGuid())
	{
	}

	/** The name of the parameter.  Changing this name will break any blueprints that reference the parameter. */
	UPROPERTY(EditAnywhere, Category = Parameter)
	FName ParameterName;

	/** Uniquely identifies the parameter, used for fixing up materials that reference this parameter when renaming. */
	UPROPERTY()
	FGuid Id;
};

/** A scalar parameter */
USTRUCT()
struct FCollectionScalarParameter : public FCollectionParameterBase
{
	GENERATED_BODY()

	FCollectionScalarParameter()
		: DefaultValue(0.0f)
	{
		ParameterName = FName(TEXT("Scalar"));
	}

	UPROPERTY(EditAnywhere, Category = Parameter)
	float DefaultValue;
};

/** A vector parameter */
USTRUCT()
struct FCollectionVectorParameter : public FCollectionParameterBase
{
	GENERATED_BODY()

	FCollectionVectorParameter()
		: DefaultValue(ForceInitToZero)
	{
		ParameterName = FName(TEXT("Vector"));
	}

	UPROPERTY(EditAnywhere, Category = Parameter)
	FLinearColor DefaultValue;
};

/**
 * Asset class that contains a list of parameter names and their default values.
 * Any number of materials can reference these parameters; each world has its own instance holding the
 * values set at run time (UWorld::GetParameterCollectionInstance).
 *
 * Host departure: nothing is compiled, so the engine's uniform buffer layout and the StateId that
 * tells materials to recompile are not kept.
 */
UCLASS(HideCategories = Object, MinimalAPI, BlueprintType)
class UMaterialParameterCollection : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(EditAnywhere, Category = Material, meta = (TitleProperty = "ParameterName"))
	TArray<FCollectionScalarParameter> ScalarParameters;

	UPROPERTY(EditAnywhere, Category = Material, meta = (TitleProperty = "ParameterName"))
	TArray<FCollectionVectorParameter> VectorParameters;

	/** Finds a parameter by name (case-insensitive, as names compare); null when absent. */
	ENGINE_API const FCollectionScalarParameter* GetScalarParameterByName(FName ParameterName) const;
	ENGINE_API const FCollectionVectorParameter* GetVectorParameterByName(FName ParameterName) const;

	/** The parameter's Id, or an invalid Guid when no parameter has that name. */
	ENGINE_API FGuid GetParameterId(FName ParameterName) const;
	/** The name of the parameter with this Id, or NAME_None. */
	ENGINE_API FName GetParameterName(const FGuid& Id) const;

	/** Names of all scalar parameters, in order. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	TArray<FName> GetScalarParameterNames() const;

	/** Names of all vector parameters, in order. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	TArray<FName> GetVectorParameterNames() const;

	/** The default value of a scalar parameter; bParameterFound tells whether it exists (0 if not). */
	ENGINE_API float GetScalarParameterDefaultValue(FName ParameterName, bool& bParameterFound) const;
	/** The default value of a vector parameter; bParameterFound tells whether it exists (black if not). */
	ENGINE_API FLinearColor GetVectorParameterDefaultValue(FName ParameterName, bool& bParameterFound) const;
};
