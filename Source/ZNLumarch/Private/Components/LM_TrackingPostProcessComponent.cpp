#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"

ULM_TrackingPostProcessComponent::ULM_TrackingPostProcessComponent()
{
	PrimaryComponentTick.bCanEverTick = true;

	PostProcessInternal = CreateDefaultSubobject<UPostProcessComponent>(TEXT("InternalPostProcess"));
	PostProcessInternal->SetupAttachment(this);
}

void ULM_TrackingPostProcessComponent::SetSettings(const FLM_PostProcessDepthOfFieldSettings& InSettings)
{
	Settings = InSettings;
}
