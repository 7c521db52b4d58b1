// The time-of-day looks: day, dawn/dusk and night overrides, the post-process material with its
// parameter toggles, depth of field and the post-process settings.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DataAsset.h"
#include "Engine/Scene.h"
#include "Settings/LM_Settings.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "LM_DynamicPreset.generated.h"

DECLARE_MULTICAST_DELEGATE(FLM_OnDynamicPresetUpdated);

UCLASS(BlueprintType)
class ZNLUMARCH_API ULM_DynamicPreset : public UDataAsset
{
	GENERATED_BODY()

public:
	ULM_DynamicPreset();

	/** Raised after every property edit of this asset. */
	FLM_OnDynamicPresetUpdated OnUpdated;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_PostProcessMaterialSettings PostProcessMaterialSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FLM_PostProcessDepthOfFieldSettings PostProcessSettingsDepthOfFieldSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Settings")
	FPostProcessSettings PostProcessSettings;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time Of Day")
	FLM_DayNightOverride Day;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time Of Day")
	FLM_DayNightOverride DawnDusk;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Time Of Day")
	FLM_DayNightOverride Night;

#if WITH_EDITOR
	/** Keeps the material parameter lists in step with the material and the toggles, then notifies. */
	virtual void PostEditChangeChainProperty(FPropertyChangedChainEvent& PropertyChangedEvent) override;
#endif

private:
	void SyncOverrideEntries();
};
