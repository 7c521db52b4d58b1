#pragma once

#include "CoreMinimal.h"
#include "Components/DirectionalLightComponent.h"
#include "Settings/LM_Settings.h"
#include "LM_DirectionalLightComponent.generated.h"

/**
 * Directional light that serves as either the sun or the moon: the static settings' intensity is kept
 * as a base scaled by a per-frame fade, the light hides itself when that product is negligible, and
 * it stops casting shadows while it sits below a configurable altitude.
 */
UCLASS(HideCategories = (Object, LightProfiles, Trigger, Activation, "Components|Activation", Physics, PhysicsVolume))
class ZNLUMARCH_API ULM_DirectionalLightComponent : public UDirectionalLightComponent
{
	GENERATED_BODY()

public:
	/** Takes the static light settings; the intensity they carry becomes the base that Update scales. */
	UFUNCTION(BlueprintCallable)
	void ApplySettings(const FLM_DirectionalLightSettings& StaticSettings);

	/** Applies every value of the record, whatever its override toggles say. */
	UFUNCTION(BlueprintCallable)
	void ApplyDynamicSettings(const FLM_DirectionalLightDynamicSettings& DynamicSettings);

	/** Sets the intensity to IntensityAlpha times the base intensity and hides the light when that is negligible. */
	UFUNCTION(BlueprintCallable)
	void Update(float IntensityAlpha);

	// As Update(IntensityAlpha), then turns the light and switches its shadows by altitude.
	void Update(float IntensityAlpha, FRotator Rotation);

	// Both take effect at the next Update with a rotation.
	void SetDisableShadowsBelowHorizon(bool bInDisableShadowsBelowHorizon);
	void SetShadowDisableAltitudeDeg(float InShadowDisableAltitudeDeg);

private:
	/** Altitude in degrees of a light rotation: positive while the light shines downwards. */
	static float GetLightAltitudeFromRotator(const FRotator& Rotation);

	UPROPERTY(Transient)
	float BaseIntensity = 0.0f;

	bool DisableShadowsBelowHorizon = true;

	float ShadowDisableAltitudeDeg = 0.0f;
};
