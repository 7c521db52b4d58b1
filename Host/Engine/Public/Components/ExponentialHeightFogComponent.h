// Fog whose density falls off exponentially with height, plus volumetric fog settings.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Rendering/ExponentialHeightFogData.h"
#include "ExponentialHeightFogComponent.generated.h"

class UTextureCube;

/**
 * Used to create fogging effects such as clouds but with a density that is related to the height of the fog.
 * The fog height is the component's world Z.
 *
 * Host departures: directional inscattering, cube-map angle/tint/distances, static-lighting scattering and
 * the holdout/main-pass/reflection-capture switches are not kept. Its setters check no mobility and
 * clamp nothing, as in the engine (clamping happens only on editor edits).
 */
UCLASS(ClassGroup = Rendering, CollapseCategories, HideCategories = (Object, Mobility), EditInlineNew, meta = (BlueprintSpawnableComponent))
class ENGINE_API UExponentialHeightFogComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	UExponentialHeightFogComponent();

	/** Global density factor. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0", UIMax = ".05"))
	float FogDensity;

	/**
	 * Height density factor, controls how the density increases as height decreases.
	 * Smaller values make the visible transition larger.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0.001", UIMax = "2"))
	float FogHeightFalloff;

	/** Settings for the second fog. Setting the density of this to 0 means it doesn't have any influence. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", AdvancedDisplay)
	FExponentialHeightFogData SecondFogData;

	/** The luminance of the fog in-scattering (the light the fog adds along a view ray). */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (DisplayName = "Fog Inscattering Color"))
	FLinearColor FogInscatteringLuminance;

	/** Cubemap that can be specified for fog color, which is useful to make distant, heavily fogged scene elements match the sky. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "InscatteringTexture")
	TObjectPtr<UTextureCube> InscatteringColorCubemap;

	/**
	 * Maximum opacity of the fog.
	 * A value of 1 means the fog can become fully opaque at a distance and replace scene color completely,
	 * A value of 0 means the fog color will not be factored in at all.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0", UIMax = "1"))
	float FogMaxOpacity;

	/** Distance from the camera that the fog will start, in world units. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0", UIMax = "5000"))
	float StartDistance;

	/** Distance from the camera that the fog will end, in world units; 0 means no limit. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0", UIMax = "100000"))
	float EndDistance;

	/** Scene elements past this distance will not have fog applied. A value of 0 disables it. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "100000", UIMax = "20000000"))
	float FogCutoffDistance;

	/** Whether to enable Volumetric fog. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "VolumetricFog", meta = (DisplayName = "Volumetric Fog"))
	bool bEnableVolumetricFog;

	/**
	 * Controls the scattering phase function - how much incoming light scatters in various directions.
	 * A distribution value of 0 scatters equally in all directions, while .9 scatters predominantly in the light direction.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "Scattering Distribution", UIMin = "-.9", UIMax = ".9"))
	float VolumetricFogScatteringDistribution;

	/**
	 * The height fog particle reflectiveness used by volumetric fog.
	 * Water particles in air have an albedo near white, while dust has slightly darker value.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "Albedo"))
	FColor VolumetricFogAlbedo;

	/** Light emitted by height fog. This is a density so more light is emitted the further you are looking through the fog. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "Emissive"))
	FLinearColor VolumetricFogEmissive;

	/** Scales the height fog particle extinction amount used by volumetric fog. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "Extinction Scale", UIMin = ".1", UIMax = "10"))
	float VolumetricFogExtinctionScale;

	/** Distance over which volumetric fog should be computed, after the start distance. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "View Distance", UIMin = "1000", UIMax = "10000"))
	float VolumetricFogDistance;

	/** Distance from the camera that the volumetric fog will start, in world units. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "Start Distance", UIMin = "0", UIMax = "5000"))
	float VolumetricFogStartDistance;

	/** Distance over which volumetric fog will fade in from the start distance. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "VolumetricFog", meta = (DisplayName = "Near Fade In Distance", UIMin = "0", UIMax = "1000"))
	float VolumetricFogNearFadeInDistance;

	/** The color used to modulate the sky atmosphere's ambient contribution to the fog. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", AdvancedDisplay)
	FLinearColor SkyAtmosphereAmbientContributionColorScale;

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetFogDensity(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetSecondFogDensity(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetFogInscatteringColor(FLinearColor Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetInscatteringColorCubemap(UTextureCube* Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetFogHeightFalloff(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetSecondFogHeightFalloff(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetSecondFogHeightOffset(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetFogMaxOpacity(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetStartDistance(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetEndDistance(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetFogCutoffDistance(float Value);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFog(bool bNewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogScatteringDistribution(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogExtinctionScale(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogAlbedo(FColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogEmissive(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogDistance(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogStartDistance(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetVolumetricFogNearFadeInDistance(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|ExponentialHeightFog")
	void SetSkyAtmosphereAmbientContributionColorScale(FLinearColor NewValue);

	/** Host: whether the engine would add this fog to the scene (some density, some opacity). */
	bool IsFogRendered() const;
};
