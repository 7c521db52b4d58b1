// A primitive made of mesh sections, each with a material that can be overridden per component.
#pragma once

#include "CoreMinimal.h"
#include "Components/PrimitiveComponent.h"
#include "MeshComponent.generated.h"

/**
 * MeshComponent is an abstract base for any component that is an instance of a renderable collection of triangles.
 *
 * Host departure: material slot names, texture streaming and the overlay material are not kept.
 */
UCLASS(Abstract)
class ENGINE_API UMeshComponent : public UPrimitiveComponent
{
	GENERATED_BODY()

public:
	UMeshComponent();

	/** Per-Component material overrides. These must NOT be set directly or a race condition can occur with GC and the rendering thread. */
	UPROPERTY(EditAnywhere, Category = "Rendering")
	TArray<TObjectPtr<class UMaterialInterface>> OverrideMaterials;

	//~ Begin UPrimitiveComponent Interface
	virtual UMaterialInterface* GetMaterial(int32 ElementIndex) const override;
	virtual void SetMaterial(int32 ElementIndex, UMaterialInterface* Material) override;
	//~ End UPrimitiveComponent Interface

	/** The material of every element (GetMaterial for each index below GetNumMaterials). */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	TArray<UMaterialInterface*> GetMaterials() const;

	/** Removes every material override. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	void EmptyOverrideMaterials();
};
