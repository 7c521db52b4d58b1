// Material parameter collections, their per-world instances, and the world's lookup of them.
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include "Engine/World.h"

// ---------------------------------------------------------------------------------------------
// UMaterialParameterCollection

const FCollectionScalarParameter* UMaterialParameterCollection::GetScalarParameterByName(FName ParameterName) const
{
	return ScalarParameters.FindByPredicate([ParameterName](const FCollectionScalarParameter& Parameter) { return Parameter.ParameterName == ParameterName; });
}

const FCollectionVectorParameter* UMaterialParameterCollection::GetVectorParameterByName(FName ParameterName) const
{
	return VectorParameters.FindByPredicate([ParameterName](const FCollectionVectorParameter& Parameter) { return Parameter.ParameterName == ParameterName; });
}

FGuid UMaterialParameterCollection::GetParameterId(FName ParameterName) const
{
	if (const FCollectionScalarParameter* Scalar = GetScalarParameterByName(ParameterName))
	{
		return Scalar->Id;
	}
	if (const FCollectionVectorParameter* Vector = GetVectorParameterByName(ParameterName))
	{
		return Vector->Id;
	}
	return FGuid();
}

FName UMaterialParameterCollection::GetParameterName(const FGuid& Id) const
{
	for (const FCollectionScalarParameter& Parameter : ScalarParameters)
	{
		if (Parameter.Id == Id)
		{
			return Parameter.ParameterName;
		}
	}
	for (const FCollectionVectorParameter& Parameter : VectorParameters)
	{
		if (Parameter.Id == Id)
		{
			return Parameter.ParameterName;
		}
	}
	return NAME_None;
}

TArray<FName> UMaterialParameterCollection::GetScalarParameterNames() const
{
	TArray<FName> Names;
	Names.Reserve(ScalarParameters.Num());
	for (const FCollectionScalarParameter& Parameter : ScalarParameters)
	{
		Names.Add(Parameter.ParameterName);
	}
	return Names;
}

TArray<FName> UMaterialParameterCollection::GetVectorParameterNames() const
{
	TArray<FName> Names;
	Names.Reserve(VectorParameters.Num());
	for (const FCollectionVectorParameter& Parameter : VectorParameters)
	{
		Names.Add(Parameter.ParameterName);
	}
	return Names;
}

float UMaterialParameterCollection::GetScalarParameterDefaultValue(FName ParameterName, bool& bParameterFound) const
{
	const FCollectionScalarParameter* Parameter = GetScalarParameterByName(ParameterName);
	bParameterFound = Parameter != nullptr;
	return Parameter ? Parameter->DefaultValue : 0.f;
}

FLinearColor UMaterialParameterCollection::GetVectorParameterDefaultValue(FName ParameterName, bool& bParameterFound) const
{
	const FCollectionVectorParameter* Parameter = GetVectorParameterByName(ParameterName);
	bParameterFound = Parameter != nullptr;
	return Parameter ? Parameter->DefaultValue : FLinearColor::Black;
}

// ---------------------------------------------------------------------------------------------
// UMaterialParameterCollectionInstance

void UMaterialParameterCollectionInstance::SetCollection(UMaterialParameterCollection* InCollection, UWorld* InWorld)
{
	Collection = InCollection;
	World = InWorld;
}

bool UMaterialParameterCollectionInstance::SetScalarParameterValue(FName ParameterName, float ParameterValue)
{
	if (!World.IsValid() || !Collection || !Collection->GetScalarParameterByName(ParameterName))
	{
		return false;
	}
	// The engine refreshes the collection's uniform buffer only when a value changes; the stored value
	// is the same either way.
	ScalarParameterValues.Add(ParameterName, ParameterValue);
	return true;
}

bool UMaterialParameterCollectionInstance::SetVectorParameterValue(FName ParameterName, const FLinearColor& ParameterValue)
{
	if (!World.IsValid() || !Collection || !Collection->GetVectorParameterByName(ParameterName))
	{
		return false;
	}
	VectorParameterValues.Add(ParameterName, ParameterValue);
	return true;
}

bool UMaterialParameterCollectionInstance::GetScalarParameterValue(FName ParameterName, float& OutParameterValue) const
{
	const FCollectionScalarParameter* Parameter = Collection ? Collection->GetScalarParameterByName(ParameterName) : nullptr;
	if (!Parameter)
	{
		return false;
	}
	const float* InstanceValue = ScalarParameterValues.Find(ParameterName);
	OutParameterValue = InstanceValue ? *InstanceValue : Parameter->DefaultValue;
	return true;
}

bool UMaterialParameterCollectionInstance::GetVectorParameterValue(FName ParameterName, FLinearColor& OutParameterValue) const
{
	const FCollectionVectorParameter* Parameter = Collection ? Collection->GetVectorParameterByName(ParameterName) : nullptr;
	if (!Parameter)
	{
		return false;
	}
	const FLinearColor* InstanceValue = VectorParameterValues.Find(ParameterName);
	OutParameterValue = InstanceValue ? *InstanceValue : Parameter->DefaultValue;
	return true;
}

// ---------------------------------------------------------------------------------------------
// UWorld

UMaterialParameterCollectionInstance* UWorld::GetParameterCollectionInstance(const UMaterialParameterCollection* Collection) const
{
	if (!Collection)
	{
		return nullptr;
	}
	for (UMaterialParameterCollectionInstance* Instance : ParameterCollectionInstances)
	{
		if (Instance && Instance->GetCollection() == Collection)
		{
			return Instance;
		}
	}
	// The engine makes instances when the world starts and when a collection loads; the host makes
	// them on first request. The world is the outer, so the instance goes with the world.
	UWorld* MutableThis = const_cast<UWorld*>(this);
	UMaterialParameterCollectionInstance* Instance = NewObject<UMaterialParameterCollectionInstance>(MutableThis);
	Instance->SetCollection(const_cast<UMaterialParameterCollection*>(Collection), MutableThis);
	MutableThis->ParameterCollectionInstances.Add(Instance);
	return Instance;
}
