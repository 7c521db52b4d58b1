// A light that the renderer shades with: temperature, light-shaft bloom and the run-time setters.
#pragma once

#include "CoreMinimal.h"
#include "Components/LightComponentBase.h"
#include "LightComponent.generated.h"

/**
 * A light: what directional, point and spot lights share.
 *
 * Host departures: the engine also keeps light functions, IES profiles, lightmass settings, static
 * shadow depth maps and the render-thread light proxy. Nothing renders here: the setters keep what
 * the engine would hand the renderer, and every change is recorded through MarkRenderStateDirty().
 */
UCLASS(Abstract, HideCategories = (Object, LightShafts))
class ENGINE_API ULightComponent : public ULightComponentBase
{
	GENERATED_BODY()

public:
	ULightComponent();

	/**
	 * Color temperature in Kelvin of the blackbody illuminant.
	 * White (D65) is 6500K.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", meta = (UIMin = "1700.0", UIMax = "12000.0", ShouldShowInViewport = true, DisplayAfter = "bUseTemperature"))
	float Temperature;

	/**
	 * Maximum distance at which the light is drawn; 0 means no limit.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "10000"))
	float MaxDrawDistance;

	/** Distance over which the light fades out before MaxDrawDistance. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "10000"))
	float MaxDistanceFadeRange;

	/** false: use white (D65) as illuminant. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", meta = (DisplayName = "Use Temperature"))
	uint32 bUseTemperature : 1;

	/** Multiplier on specular highlights. Use only with great care! */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "1"))
	float SpecularScale;

	/** Multiplier on diffuse lighting. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "1"))
	float DiffuseScale;

	/** Controls how accurate self shadowing of whole scene shadows from this light are. */
	UPROPERTY(BlueprintReadOnly, EditAnywhere, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "1"))
	float ShadowBias;

	/** Controls how accurate self shadowing of whole scene shadows from this light are, by slope. */
	UPROPERTY(BlueprintReadOnly, EditAnywhere, Category = "Light", AdvancedDisplay, meta = (UIMin = "0", UIMax = "1"))
	float ShadowSlopeBias;

	/** Scales the resolution of shadowmaps used to shadow this light. */
	UPROPERTY(BlueprintReadOnly, EditAnywhere, Category = "Light", AdvancedDisplay, meta = (UIMin = ".125", UIMax = "8"))
	float ShadowResolutionScale;

	/**
	 * Whether to use ray traced distance field area shadows. The project setting bGenerateMeshDistanceFields must be enabled
	 * for this to have effect.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DistanceFieldShadows", meta = (DisplayName = "DistanceField Shadows"))
	uint32 bUseRayTracedDistanceFieldShadows : 1;

	/**
	 * Whether to render light shaft bloom from this light.
	 * For directional lights, the color around the light direction will be blurred radially and added back to the scene.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "LightShafts", meta = (DisplayName = "Light Shaft Bloom"))
	uint32 bEnableLightShaftBloom : 1;

	/** Scales the additive color. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts", meta = (UIMin = "0", UIMax = "10"))
	float BloomScale;

	/** Scene color must be larger than this to create bloom in the light shafts. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts", meta = (UIMin = "0", UIMax = "4"))
	float BloomThreshold;

	/** After exposure is applied, scene color brightness larger than BloomMaxBrightness will be rescaled down to BloomMaxBrightness. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts", AdvancedDisplay, meta = (UIMin = "0", UIMax = "100", SliderExponent = 20.0))
	float BloomMaxBrightness;

	/** Multiplies against scene color to create the bloom color. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "LightShafts", meta = (HideAlphaChannel))
	FColor BloomTint;

	/** Set intensity of the light. No effect when the light is registered and Static, or unchanged. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetIntensity(float NewIntensity);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetIndirectLightingIntensity(float NewIntensity);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetVolumetricScatteringIntensity(float NewIntensity);

	/** Set color of the light; the linear color is quantised to the stored FColor (sRGB-encoded by default). */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetLightColor(FLinearColor NewLightColor, bool bSRGB = true);

	/** Set color of the light. */
	void SetLightFColor(FColor NewLightColor);

	/** Set color temperature of the light. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetTemperature(float NewTemperature);

	/** Set whether to use the color temperature of the light. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetUseTemperature(bool bNewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetSpecularScale(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetDiffuseScale(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetEnableLightShaftBloom(bool bNewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetBloomScale(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetBloomThreshold(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetBloomMaxBrightness(float NewValue);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetBloomTint(FColor NewValue);

protected:
	/** Pushes colour and brightness to the renderer; the engine's light update, recorded as a render-state change. */
	void UpdateColorAndBrightness();
};
