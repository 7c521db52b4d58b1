// A component that draws one static mesh asset, with per-slot material overrides.
#pragma once

#include "CoreMinimal.h"
#include "Components/MeshComponent.h"
#include "StaticMeshComponent.generated.h"

class UStaticMesh;

/**
 * StaticMeshComponent is used to create an instance of a UStaticMesh.
 *
 * Host departures: LOD, lightmap, collision and Nanite settings are not kept. The engine reports a refused
 * mesh change through the "PIE" message log; the host writes the same text as a warning to LogStaticMesh.
 */
UCLASS(ClassGroup = Rendering, meta = (BlueprintSpawnableComponent))
class ENGINE_API UStaticMeshComponent : public UMeshComponent
{
	GENERATED_BODY()

public:
	UStaticMeshComponent();

	/**
	 * Change the StaticMesh used by this instance. False if the mesh is already in use, or if play has
	 * begun and the component may not change (registered and Static).
	 */
	UFUNCTION(BlueprintCallable, Category = "Components|StaticMesh")
	virtual bool SetStaticMesh(class UStaticMesh* NewMesh);

	UStaticMesh* GetStaticMesh() const { return StaticMesh; }

	//~ Begin UPrimitiveComponent Interface
	virtual int32 GetNumMaterials() const override;
	virtual UMaterialInterface* GetMaterial(int32 MaterialIndex) const override;
	//~ End UPrimitiveComponent Interface

private:
	/** The static mesh that this component uses to render. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "StaticMesh", meta = (AllowPrivateAccess = "true"))
	TObjectPtr<class UStaticMesh> StaticMesh;
};
