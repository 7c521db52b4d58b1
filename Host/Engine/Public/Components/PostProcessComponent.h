// A component that applies post-process settings to views within its bounds (or everywhere).
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Engine/Scene.h"
#include "PostProcessComponent.generated.h"

/**
 * PostProcessComponent. Enables Post process controls for blueprints.
 * Will use a parent UShapeComponent to provide volume data if available.
 *
 * Host departures: the engine also implements IInterface_PostProcessVolume, through which the
 * renderer gathers and blends volumes per view; nothing renders here, so the settings are kept and
 * read back. AddOrUpdateBlendable is not a UFUNCTION because the header tool has no interface
 * parameters.
 */
UCLASS(ClassGroup = Rendering, CollapseCategories, HideCategories = (Object), EditInlineNew, meta = (BlueprintSpawnableComponent), MinimalAPI)
class UPostProcessComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	ENGINE_API UPostProcessComponent();

	/** Post process settings to use for this volume. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PostProcessVolume", meta = (ShowOnlyInnerProperties))
	FPostProcessSettings Settings;

	/**
	 * Priority of this volume. In the case of overlapping volumes the one with the highest priority
	 * overrides the lower priority ones. The order is undefined if two or more overlapping volumes have the same priority.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PostProcessVolumeSettings")
	float Priority;

	/** World space radius around the volume that is used for blending (only if not unbound). */
	UPROPERTY(Interp, Category = "PostProcessVolumeSettings", meta = (ClampMin = "0.0", UIMin = "0.0", UIMax = "6000.0"))
	float BlendRadius;

	/** 0:no effect, 1:full effect */
	UPROPERTY(Interp, Category = "PostProcessVolumeSettings", BlueprintReadWrite, meta = (UIMin = "0.0", UIMax = "1.0"))
	float BlendWeight;

	/** Whether this volume is enabled or not. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PostProcessVolumeSettings")
	uint32 bEnabled : 1;

	/** set this to false to use the parent shape component as volume bounds. True affects the whole world regardless. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PostProcessVolumeSettings", meta = (DisplayName = "Infinite Extent (Unbound)"))
	uint32 bUnbound : 1;

	/** Adds an Blendable (implements IBlendableInterface) to the array of Blendables (if it doesn't exist) and update the weight */
	void AddOrUpdateBlendable(TScriptInterface<IBlendableInterface> InBlendableObject, float InWeight = 1.0f)
	{
		Settings.AddBlendable(InBlendableObject, InWeight);
	}
};
