// A light infinitely far away (the sun or the moon): cascaded shadows, light shafts, atmosphere sun.
#pragma once

#include "CoreMinimal.h"
#include "Components/LightComponent.h"
#include "DirectionalLightComponent.generated.h"

/**
 * A light component that has parallel rays. Will provide a uniform lighting across any affected surface
 * (eg. The Sun). This will affect all objects in the defined light-mass importance volume.
 *
 * Host departures: cloud shadows, per-pixel atmosphere transmittance, far shadows and the light-mass
 * settings are not kept; the fields below are what game code sets and reads.
 */
UCLASS(Blueprintable, ClassGroup = Lights, HideCategories = (Object, LightProfiles), EditInlineNew, meta = (BlueprintSpawnableComponent))
class ENGINE_API UDirectionalLightComponent : public ULightComponent
{
	GENERATED_BODY()

public:
	UDirectionalLightComponent();

	/** Whether to occlude fog and atmosphere inscattering with screenspace blurred occlusion from this light. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "LightShafts", meta = (DisplayName = "Light Shaft Occlusion"))
	uint32 bEnableLightShaftOcclusion : 1;

	/**
	 * How dark the occlusion masking is, a value of 1 results in no darkening term.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts", meta = (UIMin = "0", UIMax = "1"))
	float OcclusionMaskDarkness;

	/** Everything closer to the camera than this distance will occlude light shafts. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts", meta = (UIMin = "1", UIMax = "500000"))
	float OcclusionDepthRange;

	/**
	 * Can be used to make light shafts come from somewhere other than the light's actual direction.
	 * This will only be used when non-zero.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts")
	FVector LightShaftOverrideDirection;

	/**
	 * How far Cascaded Shadow Map dynamic shadows will cover for a movable light, measured from the camera.
	 * A value of 0 disables the dynamic shadow.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "CascadedShadowMaps", meta = (UIMin = "0", UIMax = "20000", DisplayName = "Dynamic Shadow Distance MovableLight"))
	float DynamicShadowDistanceMovableLight;

	/**
	 * How far Cascaded Shadow Map dynamic shadows will cover for a stationary light, measured from the camera.
	 * A value of 0 disables the dynamic shadow.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "CascadedShadowMaps", meta = (UIMin = "0", UIMax = "20000", DisplayName = "Dynamic Shadow Distance StationaryLight"))
	float DynamicShadowDistanceStationaryLight;

	/** Number of cascades to split the view frustum into for the whole scene dynamic shadow. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "CascadedShadowMaps", meta = (UIMin = "0", UIMax = "10", DisplayName = "Num Dynamic Shadow Cascades"))
	int32 DynamicShadowCascades;

	/** Controls whether the cascades are distributed closer to the camera (larger exponent) or further from the camera (smaller exponent). */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "CascadedShadowMaps", AdvancedDisplay, meta = (UIMin = "1", UIMax = "4", DisplayName = "Distribution Exponent"))
	float CascadeDistributionExponent;

	/** Proportion of the fade region between cascades. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "CascadedShadowMaps", AdvancedDisplay, meta = (UIMin = "0", UIMax = "0.3", DisplayName = "Transition Fraction"))
	float CascadeTransitionFraction;

	/** Controls the size of the fade out region at the far extent of the dynamic shadow's influence. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "CascadedShadowMaps", AdvancedDisplay, meta = (UIMin = "0", UIMax = "1.0", DisplayName = "Distance Fadeout Fraction"))
	float ShadowDistanceFadeoutFraction;

	/** Distance at which the ray traced shadow cascade should end. Distance field shadows will cover the range between 'Dynamic Shadow Distance' this distance. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DistanceFieldShadows", meta = (UIMin = "0", UIMax = "100000", DisplayName = "DistanceField Shadow Distance"))
	float DistanceFieldShadowDistance;

	/**
	 * Angle subtended by light source in degrees (also known as angular diameter).
	 * Defaults to 0.5357 which is the angle for our sun.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", meta = (UIMin = "0", UIMax = "5"))
	float LightSourceAngle;

	/** Angle subtended by soft light source in degrees. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "5"))
	float LightSourceSoftAngle;

	/** Amount of shadowing from this light; 1 is fully shadowed, 0 unshadowed. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "1", ClampMin = "0", ClampMax = "1"))
	float ShadowAmount;

	/**
	 * Whether the directional light can interact with the atmosphere, cloud and generate a visual disk. All of which compose the visual sky.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "AtmosphereAndCloud", meta = (DisplayName = "Atmosphere Sun Light"))
	uint32 bAtmosphereSunLight : 1;

	/**
	 * Two atmosphere lights are supported. For instance: a sun and a moon, or two suns.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "AtmosphereAndCloud", meta = (DisplayName = "Atmosphere Sun Light Index", UIMin = "0", UIMax = "1", ClampMin = "0", ClampMax = "1"))
	int32 AtmosphereSunLightIndex;

	/** A color multiplied with the sun disk luminance. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "AtmosphereAndCloud", meta = (DisplayName = "Atmosphere Sun Disk Color Scale"))
	FLinearColor AtmosphereSunDiskColorScale;

	/**
	 * The priority that will be used to select the directional light affecting translucency and water in forward shading
	 * (the highest wins).
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", ClampMin = "0"))
	int32 ForwardShadingPriority;

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetDynamicShadowDistanceMovableLight(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetDynamicShadowDistanceStationaryLight(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetDynamicShadowCascades(int32 NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetCascadeDistributionExponent(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetCascadeTransitionFraction(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetShadowDistanceFadeoutFraction(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetEnableLightShaftOcclusion(bool bNewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetOcclusionMaskDarkness(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetOcclusionDepthRange(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetLightShaftOverrideDirection(FVector NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetLightSourceAngle(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetLightSourceSoftAngle(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetShadowAmount(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetAtmosphereSunLight(bool bNewValue);

	/** Stores at least 0; the comparison with the current value uses NewValue as given. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetAtmosphereSunLightIndex(int32 NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetAtmosphereSunDiskColorScale(FLinearColor NewValue);

	/** Stores at least 0; the comparison with the current value uses NewValue as given. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetForwardShadingPriority(int32 NewValue);
};
