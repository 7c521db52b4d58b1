// A scene component with geometry: shadow casting and material slots.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "PhysicsEngine/BodyInstance.h"
#include "PrimitiveComponent.generated.h"

class UMaterialInterface;
class UMaterialInstanceDynamic;

/**
 * PrimitiveComponents are SceneComponents that contain or generate some sort of geometry.
 *
 * Host departures: physics, overlap events, bounds, culling and the scene proxy are not kept;
 * nothing is drawn. What is kept are the shadow flags, the collision switch and the material slots.
 */
UCLASS(Abstract, HideCategories = (Object))
class ENGINE_API UPrimitiveComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	UPrimitiveComponent();

	/** Controls whether the primitive component should cast a shadow or not. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Lighting")
	uint8 CastShadow : 1;

	/** Controls whether the primitive should cast shadows in the case of non precomputed shadowing. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Lighting", AdvancedDisplay)
	uint8 bCastDynamicShadow : 1;

	/** Whether the object should cast a static shadow from shadow casting lights. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Lighting", AdvancedDisplay)
	uint8 bCastStaticShadow : 1;

	/** Physics state; the host keeps only whether collision is enabled. */
	FBodyInstance BodyInstance;

	void SetCollisionEnabled(ECollisionEnabled::Type NewType) { BodyInstance.SetCollisionEnabled(NewType); }
	ECollisionEnabled::Type GetCollisionEnabled() const { return BodyInstance.GetCollisionEnabled(); }

	/** Changes the value of CastShadow. */
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetCastShadow(bool NewCastShadow);

	/** Return number of material elements in this primitive. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	virtual int32 GetNumMaterials() const;

	/** Returns the material used by the element at the specified index; null in the base class. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	virtual UMaterialInterface* GetMaterial(int32 ElementIndex) const;

	/** Changes the material applied to an element of the mesh; nothing in the base class. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	virtual void SetMaterial(int32 ElementIndex, UMaterialInterface* Material);

	/**
	 * Creates a Dynamic Material Instance for the specified element index, optionally from the supplied material.
	 * The element's material is reused when it already is a dynamic instance.
	 */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Material")
	virtual UMaterialInstanceDynamic* CreateDynamicMaterialInstance(int32 ElementIndex, UMaterialInterface* SourceMaterial = NULL, FName OptionalName = NAME_None);
};
