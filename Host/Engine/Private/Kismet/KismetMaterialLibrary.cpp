// Script-callable access to a world's parameter collection values.
#include "Kismet/KismetMaterialLibrary.h"
#include "Engine/World.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"

DEFINE_LOG_CATEGORY_STATIC(LogMaterialParameterCollection, Log, All);

namespace
{
	UMaterialParameterCollectionInstance* FindInstance(UObject* WorldContextObject, UMaterialParameterCollection* Collection)
	{
		if (!Collection || !WorldContextObject)
		{
			return nullptr;
		}
		UWorld* World = WorldContextObject->GetWorld();
		return World ? World->GetParameterCollectionInstance(Collection) : nullptr;
	}

	/** One warning per instance, as the engine limits its message-log spam. */
	void WarnMissingOnce(UMaterialParameterCollectionInstance* Instance, const TCHAR* FunctionName, FName ParameterName, const UMaterialParameterCollection* Collection)
	{
		if (Instance->bLoggedMissingParameterWarning)
		{
			return;
		}
		UE_LOG(LogMaterialParameterCollection, Warning, TEXT("%s called on invalid parameter %s in MPC %s"), FunctionName, *ParameterName.ToString(), *Collection->GetName());
		Instance->bLoggedMissingParameterWarning = true;
	}
}

void UKismetMaterialLibrary::SetScalarParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName, float ParameterValue)
{
	if (UMaterialParameterCollectionInstance* Instance = FindInstance(WorldContextObject, Collection))
	{
		if (!Instance->SetScalarParameterValue(ParameterName, ParameterValue))
		{
			WarnMissingOnce(Instance, TEXT("SetScalarParameterValue"), ParameterName, Collection);
		}
	}
}

void UKismetMaterialLibrary::SetVectorParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName, const FLinearColor& ParameterValue)
{
	if (UMaterialParameterCollectionInstance* Instance = FindInstance(WorldContextObject, Collection))
	{
		if (!Instance->SetVectorParameterValue(ParameterName, ParameterValue))
		{
			WarnMissingOnce(Instance, TEXT("SetVectorParameterValue"), ParameterName, Collection);
		}
	}
}

float UKismetMaterialLibrary::GetScalarParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName)
{
	float ParameterValue = 0.f;
	if (UMaterialParameterCollectionInstance* Instance = FindInstance(WorldContextObject, Collection))
	{
		if (!Instance->GetScalarParameterValue(ParameterName, ParameterValue))
		{
			WarnMissingOnce(Instance, TEXT("GetScalarParameterValue"), ParameterName, Collection);
		}
	}
	return ParameterValue;
}

FLinearColor UKismetMaterialLibrary::GetVectorParameterValue(UObject* WorldContextObject, UMaterialParameterCollection* Collection, FName ParameterName)
{
	FLinearColor ParameterValue = FLinearColor::Black;
	if (UMaterialParameterCollectionInstance* Instance = FindInstance(WorldContextObject, Collection))
	{
		if (!Instance->GetVectorParameterValue(ParameterName, ParameterValue))
		{
			WarnMissingOnce(Instance, TEXT("GetVectorParameterValue"), ParameterName, Collection);
		}
	}
	return ParameterValue;
}
