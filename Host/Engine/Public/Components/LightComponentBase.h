// The base of every light: colour, intensity and the shadow switches shared by lights and sky lights.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Engine/EngineTypes.h"
#include "LightComponentBase.generated.h"

/**
 * The part of a light that sky lights share.
 *
 * Host departures: the engine also keeps the light's GUID, editor sprites, ray-tracing sample counts
 * and deep-shadow settings; nothing renders here, so only what game code sets and reads is kept.
 */
UCLASS(Abstract, HideCategories = (Trigger, Activation, Physics), ShowCategories = (Physics))
class ENGINE_API ULightComponentBase : public USceneComponent
{
	GENERATED_BODY()

public:
	ULightComponentBase();

	/** Total energy that the light emits. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", meta = (AllowPrivateAccess = "true", UIMin = "0.0", UIMax = "20.0", ShouldShowInViewport = true))
	float Intensity;

	/**
	 * Filter color of the light.
	 * Note that this can change the light's effective intensity.
	 */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", meta = (HideAlphaChannel, ShouldShowInViewport = true))
	FColor LightColor;

	/**
	 * Whether the light can affect the world, or whether it is disabled.
	 * A disabled light will not contribute to the scene in any way.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	uint32 bAffectsWorld : 1;

	/** Whether the light should cast any shadows. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light")
	uint32 CastShadows : 1;

	/** Whether the light should cast shadows from static objects. Also requires Cast Shadows to be set to True. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	uint32 CastStaticShadows : 1;

	/** Whether the light should cast shadows from dynamic objects. Also requires Cast Shadows to be set to True. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	uint32 CastDynamicShadows : 1;

	/** Whether the light affects translucency or not. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	uint32 bAffectTranslucentLighting : 1;

	/** Whether light from this light transmits through surfaces with subsurface scattering profiles. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	uint32 bTransmission : 1;

	/** Whether the light shadows volumetric fog. Note: enabling this will increase GPU cost. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	uint32 bCastVolumetricShadow : 1;

	/** Whether the light shadows are computed with ray tracing (UseProjectSetting follows the project's setting). */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "RayTracing", meta = (DisplayName = "Cast Ray Traced Shadows"))
	TEnumAsByte<ECastRayTracedShadow::Type> CastRaytracedShadow;

	/** Whether the light affects objects in reflections, when ray-traced reflection is enabled. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "RayTracing", meta = (DisplayName = "Affect Ray Tracing Reflections"))
	uint32 bAffectReflection : 1;

	/** Whether the light affects global illumination, when ray-traced global illumination is enabled. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "RayTracing", meta = (DisplayName = "Affect Ray Tracing Global Illumination"))
	uint32 bAffectGlobalIllumination : 1;

	/** Scales the indirect lighting contribution from this light. A value of 0 disables any GI from this light. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", meta = (UIMin = "0.0", UIMax = "6.0"))
	float IndirectLightingIntensity;

	/** Intensity of the volumetric scattering from this light. This scales Intensity and LightColor. */
	UPROPERTY(BlueprintReadOnly, Interp, Category = "Light", meta = (UIMin = "0.25", UIMax = "4.0"))
	float VolumetricScatteringIntensity;

	/** Sets whether this light casts shadows. Ignored when the light is registered and Static. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetCastShadows(bool bNewValue);

	/** Gets the light color as a linear color. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	FLinearColor GetLightColor() const;

	/** Sets whether the light shadows volumetric fog. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetCastVolumetricShadow(bool bNewValue);

	/**
	 * Sets how the light's shadows are ray traced. A UFUNCTION in the engine; the header tool takes
	 * namespaced enums only inside TEnumAsByte, so the host declares it as plain C++.
	 */
	void SetCastRaytracedShadows(ECastRayTracedShadow::Type bNewValue);

	/** Sets whether the light affects ray-traced reflections. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetAffectReflection(bool bNewValue);

	/** Sets whether the light affects ray-traced global illumination. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|Light")
	void SetAffectGlobalIllumination(bool bNewValue);
};
