#include "Data/LM_Preset.h"
#include "Data/LM_DynamicPreset.h"

ULM_Preset::ULM_Preset() = default;

void ULM_Preset::PostLoad()
{
	Super::PostLoad();
	UpdateDelegateBinding();
}

#if WITH_EDITOR
void ULM_Preset::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	Super::PostEditChangeProperty(PropertyChangedEvent);
	// The changed property itself, not its outermost member: a nested field named alike does not rebind.
	if (PropertyChangedEvent.GetPropertyName() == GET_MEMBER_NAME_CHECKED(ULM_Preset, DynamicOverrides))
	{
		UpdateDelegateBinding();
	}
	OnUpdated.Broadcast();
}
#endif

void ULM_Preset::UpdateDelegateBinding()
{
	if (BoundDynamicPreset && DynamicPresetUpdatedHandle.IsValid())
	{
		BoundDynamicPreset->OnUpdated.Remove(DynamicPresetUpdatedHandle);
		DynamicPresetUpdatedHandle.Reset();
	}
	if (DynamicOverrides)
	{
		DynamicPresetUpdatedHandle = DynamicOverrides->OnUpdated.AddUObject(this, &ULM_Preset::OnDynamicPresetUpdated);
		BoundDynamicPreset = DynamicOverrides;
	}
	else
	{
		BoundDynamicPreset = nullptr;
	}
}

void ULM_Preset::OnDynamicPresetUpdated()
{
	OnUpdated.Broadcast();
}
