// A world's lighting: the static settings applied when the preset changes, the sun and moon
// paths, and the dynamic preset whose looks are blended every frame.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DataAsset.h"
#include "Settings/LM_Settings.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "LM_Preset.generated.h"

class ULM_DynamicPreset;

DECLARE_MULTICAST_DELEGATE(FLM_OnPresetUpdated);

UCLASS(BlueprintType)
class ZNLUMARCH_API ULM_Preset : public UDataAsset
{
	GENERATED_BODY()

public:
	ULM_Preset();

	/** Raised when this preset or its dynamic preset changes. */
	FLM_OnPresetUpdated OnUpdated;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_DirectionalLightSettings SunLightSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_DirectionalLightSettings MoonLightSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_ExponentialFogSettings ExponentialHeightFogSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_SkyAtmosphereSettings SkyAtmosphereSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_SkylightSettings SkyLightSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_SkySettings SkySettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_WorldSettings WorldSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_ScalibalitySettings ScalibalitySettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_CelstialRotationSettings CelestialRotationSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Dynamic Settings")
	TObjectPtr<ULM_DynamicPreset> DynamicOverrides;

	virtual void PostLoad() override;
#if WITH_EDITOR
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
#endif

private:
	/** Moves the forwarding binding to the current DynamicOverrides (or drops it). */
	void UpdateDelegateBinding();
	void OnDynamicPresetUpdated();

	/** The dynamic preset whose OnUpdated this preset is bound to. */
	UPROPERTY(Transient)
	TObjectPtr<ULM_DynamicPreset> BoundDynamicPreset;

	FDelegateHandle DynamicPresetUpdatedHandle;
};
