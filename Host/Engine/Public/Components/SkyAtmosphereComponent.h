// A planet's atmosphere: Rayleigh and Mie scattering, ozone-like absorption, aerial perspective.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "SkyAtmosphereComponent.generated.h"

/** The number of directional lights the atmosphere can be lit by (a sun and a moon, or two suns). */
#define NUM_ATMOSPHERE_LIGHTS 2

/** Where the planet sits relative to the component. */
UENUM()
enum class ESkyAtmosphereTransformMode : uint8
{
	PlanetTopAtAbsoluteWorldOrigin UMETA(DisplayName = "Atmosphere Top At Absolute World Origin"),
	PlanetTopAtComponentTransform UMETA(DisplayName = "Atmosphere Top At Component Transform"),
	PlanetCenterAtComponentTransform UMETA(DisplayName = "Atmosphere Center At Component Transform"),
};

/**
 * A component that represents a planet atmosphere material and simulates sky and light scattering within it.
 * All distances are in kilometers and coefficients in 1/kilometers.
 *
 * Host departures: the ozone tent distribution, trace sample counts and holdout/main-pass switches
 * are not kept. The engine's light-direction overrides act only while its scene proxy exists; the
 * host's registered components have their render state (IsRenderStateCreated) in its place.
 */
UCLASS(ClassGroup = Rendering, CollapseCategories, HideCategories = (Object, Mobility, Activation, "Components|Activation"), EditInlineNew, meta = (BlueprintSpawnableComponent))
class ENGINE_API USkyAtmosphereComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	USkyAtmosphereComponent();

	/** The ground position relative to the component (or to the world origin). */
	UPROPERTY(EditAnywhere, Category = "Planet")
	ESkyAtmosphereTransformMode TransformMode;

	/** The planet radius. (kilometers from the center to the ground level). */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Planet", meta = (DisplayName = "Ground Radius", UIMin = 1.0, UIMax = 7000.0, ClampMin = 0.1, ClampMax = 10000.0, SliderExponent = 5.0))
	float BottomRadius;

	/** The ground albedo that will tint the atmosphere when the sun light will bounce on it. Only taken into account when MultiScattering>0.0. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Planet", meta = (HideAlphaChannel))
	FColor GroundAlbedo;

	/** The height of the atmosphere layer above the ground in kilometers. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere", meta = (UIMin = 1.0, UIMax = 200.0, ClampMin = 0.1, SliderExponent = 2.0))
	float AtmosphereHeight;

	/** Factor applied to multiple scattering only (after the sun light has bounced around in the atmosphere at least once). */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere", meta = (DisplayName = "MultiScattering", UIMin = 0.0, UIMax = 2.0, ClampMin = 0.0, ClampMax = 100.0))
	float MultiScatteringFactor;

	/** Rayleigh scattering coefficient scale. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Rayleigh", meta = (UIMin = 0.0, UIMax = 2.0, ClampMin = 0.0, SliderExponent = 4.0))
	float RayleighScatteringScale;

	/** The Rayleigh scattering coefficients resulting from molecules in the air at an altitude of 0 kilometer. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Rayleigh", meta = (HideAlphaChannel))
	FLinearColor RayleighScattering;

	/** The altitude in kilometer at which Rayleigh scattering effect is reduced to 40%. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Rayleigh", meta = (UIMin = 0.01, UIMax = 20.0, ClampMin = 0.001, SliderExponent = 5.0))
	float RayleighExponentialDistribution;

	/** Mie scattering coefficient scale. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Mie", meta = (UIMin = 0.0, UIMax = 5.0, ClampMin = 0.0, SliderExponent = 4.0))
	float MieScatteringScale;

	/** Mie scattering coefficients resulting from particles in the air at an altitude of 0 kilometer. As it becomes higher, light will be scattered more. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Mie", meta = (HideAlphaChannel))
	FLinearColor MieScattering;

	/** Mie absorption coefficient scale. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Mie", meta = (UIMin = 0.0, UIMax = 5.0, ClampMin = 0.0, SliderExponent = 4.0))
	float MieAbsorptionScale;

	/** Mie absorption coefficients resulting from particles in the air at an altitude of 0 kilometer. As it becomes higher, light will be absorbed more. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Mie", meta = (HideAlphaChannel))
	FLinearColor MieAbsorption;

	/** A value of 0 mean light is uniformly scattered. A value closer to 1 means lights will scatter more forward, resulting in halos around light sources. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Mie", meta = (DisplayName = "Mie Anisotropy", UIMin = 0.0, UIMax = 0.999, ClampMin = 0.0, ClampMax = 0.999))
	float MieAnisotropy;

	/** The altitude in kilometer at which Mie effects are reduced to 40%. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Mie", meta = (UIMin = 0.01, UIMax = 10.0, ClampMin = 0.001, SliderExponent = 5.0))
	float MieExponentialDistribution;

	/** Absorption coefficients for another atmosphere layer. Density increase from 0 to 1 between 10 to 25km and decreases from 1 to 0 between 25 to 40km. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Absorption", meta = (DisplayName = "Absorption Scale", UIMin = 0.0, UIMax = 0.2, ClampMin = 0.0, SliderExponent = 3.0))
	float OtherAbsorptionScale;

	/** Absorption coefficients for another atmosphere layer. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Atmosphere - Absorption", meta = (DisplayName = "Absorption", HideAlphaChannel))
	FLinearColor OtherAbsorption;

	/** Scales the luminance of pixels representing the sky. This will impact the captured sky light. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Art Direction", meta = (HideAlphaChannel))
	FLinearColor SkyLuminanceFactor;

	/** Scales the luminance of pixels representing the sky and the aerial perspective. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Art Direction", meta = (HideAlphaChannel))
	FLinearColor SkyAndAerialPerspectiveLuminanceFactor;

	/** Makes the aerial perspective look thicker by scaling distances from view to surfaces (opaque and translucent). */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Art Direction", meta = (DisplayName = "Aerial Perspective View Distance Scale", UIMin = 0.0, UIMax = 3.0, ClampMin = 0.0, SliderExponent = 2.0))
	float AerialPespectiveViewDistanceScale;

	/** Scale the sky and atmosphere lights contribution to the height fog when SupportSkyAtmosphereAffectsHeightFog project setting is true. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Art Direction", meta = (UIMin = 0.0, UIMax = 1.0, ClampMin = 0.0, SliderExponent = 2.0))
	float HeightFogContribution;

	/** The minimum elevation angle in degree that should be used to evaluate the sun transmittance to the ground. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Art Direction", meta = (UIMin = -90.0, UIMax = 90.0, ClampMin = -90.0f, ClampMax = 90.0f))
	float TransmittanceMinLightElevationAngle;

	/** The distance (kilometers) at which we start evaluating the aerial perspective. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "Art Direction", meta = (DisplayName = "Aerial Perspective Start Depth", UIMin = 0.001, UIMax = 10.0, ClampMin = 0.001))
	float AerialPerspectiveStartDepth;

	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetBottomRadius(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetGroundAlbedo(const FColor& NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetAtmosphereHeight(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMultiScatteringFactor(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetRayleighScatteringScale(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetRayleighScattering(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetRayleighExponentialDistribution(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMieScatteringScale(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMieScattering(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMieAbsorptionScale(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMieAbsorption(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMieAnisotropy(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetMieExponentialDistribution(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetOtherAbsorptionScale(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetOtherAbsorption(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetSkyLuminanceFactor(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetSkyAndAerialPerspectiveLuminanceFactor(FLinearColor NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetAerialPespectiveViewDistanceScale(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetHeightFogContribution(float NewValue);
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void SetAerialPerspectiveStartDepth(float NewValue);

	/**
	 * Makes the atmosphere use this light direction instead of the light's own, until reset. Only acts while the
	 * component may change (see AreDynamicDataChangesAllowed) and has its render state; index 0 or 1.
	 */
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void OverrideAtmosphereLightDirection(int32 AtmosphereLightIndex, const FVector& LightDirection);

	UFUNCTION(BlueprintCallable, Category = "Rendering")
	bool IsAtmosphereLightDirectionOverriden(int32 AtmosphereLightIndex);

	/** The last override direction of that light; the zero vector if it was never overridden. */
	UFUNCTION(BlueprintCallable, Category = "Rendering")
	FVector GetOverridenAtmosphereLightDirection(int32 AtmosphereLightIndex);

	UFUNCTION(BlueprintCallable, Category = "Rendering")
	void ResetAtmosphereLightDirectionOverride(int32 AtmosphereLightIndex);

private:
	bool OverrideAtmosphericLight[NUM_ATMOSPHERE_LIGHTS];
	FVector OverrideAtmosphericLightDirection[NUM_ATMOSPHERE_LIGHTS];
};
