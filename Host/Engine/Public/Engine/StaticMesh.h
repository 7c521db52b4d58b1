// A static mesh asset and the material slots of its sections.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "StaticMesh.generated.h"

class UMaterialInterface;

/** A material slot of a mesh: the material its sections use by default and the slot's name. */
USTRUCT(BlueprintType)
struct FStaticMaterial
{
	GENERATED_BODY()

	FStaticMaterial()
		: MaterialInterface(nullptr)
	{
	}
	FStaticMaterial(class UMaterialInterface* InMaterialInterface, FName InMaterialSlotName = NAME_None)
		: MaterialInterface(InMaterialInterface), MaterialSlotName(InMaterialSlotName)
	{
	}

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = StaticMesh)
	TObjectPtr<class UMaterialInterface> MaterialInterface;

	/** This name should be used by the gameplay to avoid errors if the mesh's material list changes. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = StaticMesh)
	FName MaterialSlotName;

	friend bool operator==(const FStaticMaterial& Lhs, const FStaticMaterial& Rhs)
	{
		return Lhs.MaterialInterface == Rhs.MaterialInterface && Lhs.MaterialSlotName == Rhs.MaterialSlotName;
	}
	friend bool operator!=(const FStaticMaterial& Lhs, const FStaticMaterial& Rhs) { return !(Lhs == Rhs); }
};

/**
 * A StaticMesh is a piece of geometry that consists of a static set of polygons.
 *
 * Host departures: the engine derives it from UStreamableRenderAsset and keeps render data, LODs,
 * collision and build settings; nothing is drawn here, so a mesh is its list of material slots.
 * FStaticMaterial's editor-only ImportedMaterialSlotName and UV channel data are not kept.
 */
UCLASS(HideCategories = Object, MinimalAPI, BlueprintType)
class UStaticMesh : public UObject
{
	GENERATED_BODY()

public:
	/** The material of a slot; null when the index is out of range. */
	UFUNCTION(BlueprintCallable, Category = "StaticMesh")
	UMaterialInterface* GetMaterial(int32 MaterialIndex) const;

	/** The index of the slot with this name, or INDEX_NONE. */
	UFUNCTION(BlueprintCallable, Category = "StaticMesh")
	int32 GetMaterialIndex(FName MaterialSlotName) const;

	/** Appends a slot for the material, named after it (numbered if the name is taken); returns the slot name, or NAME_None for a null material. */
	ENGINE_API FName AddMaterial(UMaterialInterface* Material);

	static FName GetStaticMaterialsName() { return FName(TEXT("StaticMaterials")); }
	TArray<FStaticMaterial>& GetStaticMaterials() { return StaticMaterials; }
	const TArray<FStaticMaterial>& GetStaticMaterials() const { return StaticMaterials; }
	void SetStaticMaterials(const TArray<FStaticMaterial>& InStaticMaterials) { StaticMaterials = InStaticMaterials; }

private:
	UPROPERTY(EditAnywhere, Category = StaticMesh)
	TArray<FStaticMaterial> StaticMaterials;
};
