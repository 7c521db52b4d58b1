#include "Data/LM_DynamicPreset.h"
#include "Materials/MaterialInterface.h"

ULM_DynamicPreset::ULM_DynamicPreset()
	: Day(FName(TEXT("Day"))), DawnDusk(FName(TEXT("DawnDusk"))), Night(FName(TEXT("Night")))
{
}

#if WITH_EDITOR
void ULM_DynamicPreset::PostEditChangeChainProperty(FPropertyChangedChainEvent& PropertyChangedEvent)
{
	Super::PostEditChangeChainProperty(PropertyChangedEvent);

	// The member edited (head of the chain) and the innermost property (tail) decide what to rebuild.
	const auto* MemberNode = PropertyChangedEvent.PropertyChain.GetHead();
	const auto* InnerNode = PropertyChangedEvent.PropertyChain.GetTail();
	const FProperty* Member = MemberNode ? MemberNode->GetValue() : nullptr;
	const FProperty* Inner = InnerNode ? InnerNode->GetValue() : nullptr;
	if (Member && Inner && Member->GetFName() == GET_MEMBER_NAME_CHECKED(ULM_DynamicPreset, PostProcessMaterialSettings))
	{
		if (Inner->GetFName() == GET_MEMBER_NAME_CHECKED(FLM_PostProcessMaterialSettings, PostProcessMaterial))
		{
			LM_MaterialParameters::SyncToggles(PostProcessMaterialSettings.MaterialParameterToggles, PostProcessMaterialSettings.PostProcessMaterial);
			SyncOverrideEntries();
		}
		else if (Inner->GetFName() == GET_MEMBER_NAME_CHECKED(FLM_MaterialParameterToggle, InUse))
		{
			SyncOverrideEntries();
		}
	}
	OnUpdated.Broadcast();
}
#endif

void ULM_DynamicPreset::SyncOverrideEntries()
{
	const FLM_MaterialParameterToggles& Toggles = PostProcessMaterialSettings.MaterialParameterToggles;
	LM_MaterialParameters::SyncEntries(Day.PostProcessMaterialSettings.ParameterEntries, Toggles);
	LM_MaterialParameters::SyncEntries(DawnDusk.PostProcessMaterialSettings.ParameterEntries, Toggles);
	LM_MaterialParameters::SyncEntries(Night.PostProcessMaterialSettings.ParameterEntries, Toggles);
}
