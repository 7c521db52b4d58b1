// The sky's distant lighting: a captured or specified cube map applied as ambient light.
#pragma once

#include "CoreMinimal.h"
#include "Components/LightComponentBase.h"
#include "SkyLightComponent.generated.h"

class UTextureCube;

UENUM()
enum ESkyLightSourceType : int
{
	/** Construct the sky light from the captured scene, anything further than SkyDistanceThreshold from the sky light position will be included. */
	SLS_CapturedScene,
	/** Construct the sky light from the specified cubemap. */
	SLS_SpecifiedCubemap,
	SLS_MAX,
};

/**
 * A light that captures the distant parts of the scene (or uses a cube map) and applies it as lighting.
 *
 * Host departures: nothing is captured or convolved. A queued recapture is counted
 * (GetRecaptureRequestCount) where the engine adds the component to its capture list; the engine's
 * lighter render updates (UpdateLimitedRenderingStateFast) are recorded as render-state changes.
 * Occlusion, cloud ambient occlusion and capture-resolution settings are not kept.
 */
UCLASS(ClassGroup = Lights, HideCategories = (Trigger, Activation, Physics), EditInlineNew, meta = (BlueprintSpawnableComponent))
class ENGINE_API USkyLightComponent : public ULightComponentBase
{
	GENERATED_BODY()

public:
	USkyLightComponent();

	/** When enabled, the sky will be captured and convolved to achieve dynamic diffuse and specular environment lighting. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", meta = (DisplayName = "Real Time Capture"))
	bool bRealTimeCapture;

	/** Indicates where to get the light contribution from. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light")
	TEnumAsByte<enum ESkyLightSourceType> SourceType;

	/** Cubemap to use for sky lighting if SourceType is set to SLS_SpecifiedCubemap. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light")
	TObjectPtr<class UTextureCube> Cubemap;

	/** Angle to rotate the source cubemap when SourceType is set to SLS_SpecifiedCubemap. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", meta = (UIMin = "0", UIMax = "360"))
	float SourceCubemapAngle;

	/** Maximum resolution for the very top processed cubemap mip. Must be a power of 2. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light")
	int32 CubemapResolution;

	/** Distance from the sky light at which any geometry should be treated as part of the sky. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light")
	float SkyDistanceThreshold;

	/** Only capture emissive materials. Skips all lighting making the capture cheaper. Recommended when using CaptureEveryFrame. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	bool bCaptureEmissiveOnly;

	/** Whether all distant lighting from the lower hemisphere should be set to LowerHemisphereColor. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	bool bLowerHemisphereIsBlack;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Light", AdvancedDisplay)
	FLinearColor LowerHemisphereColor;

	/** Set brightness of the light. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void SetIntensity(float NewIntensity);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void SetIndirectLightingIntensity(float NewIntensity);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void SetVolumetricScatteringIntensity(float NewIntensity);

	/** Set color of the light; always quantised through the sRGB encoding. */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void SetLightColor(FLinearColor NewLightColor);

	/** Sets the cubemap used when SourceType is set to SpecifiedCubemap, and causes a skylight update on the next tick. */
	UFUNCTION(BlueprintCallable, Category = "SkyLight")
	void SetCubemap(UTextureCube* NewCubemap);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void SetLowerHemisphereColor(const FLinearColor& InLowerHemisphereColor);

	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void SetRealTimeCapture(bool bInRealTimeCapture);

	/** Whether real-time capture takes effect: asked for, and the light is not Static. */
	bool IsRealTimeCaptureEnabled() const;

	/**
	 * Recaptures the scene for the skylight.
	 * This is useful for making sure the sky light is up to date after changing something in the world that it would capture.
	 */
	UFUNCTION(BlueprintCallable, Category = "Rendering|Components|SkyLight")
	void RecaptureSky();

	/** Host: how many times a capture was queued (the engine adds the light to its pending capture list). */
	int32 GetRecaptureRequestCount() const { return RecaptureRequestCount; }

protected:
	/** Queues a capture when the light is visible and affects the world. */
	void SetCaptureIsDirty();
	/** The engine's cheaper update for intensity and colour; recorded as a render-state change. */
	void UpdateLimitedRenderingStateFast();

private:
	int32 RecaptureRequestCount = 0;
};
