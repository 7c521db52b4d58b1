// Materials and material instances: parameter lists and value lookups.
//
// Every typed query goes through two virtual hooks, as in the engine: GetAllParameterInfoOfType
// (a material lists what it declares; an instance lists its base material's parameters) and
// GetParameterValue, whose flags say whether a lookup may use instance overrides, the material's
// own defaults, or both. An instance checks its own overrides, then asks its parent with overrides
// allowed, so the nearest override wins and a "default" lookup skips only the asking instance's own.
#include "Materials/MaterialInterface.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstance.h"
#include "Templates/Casts.h"

DEFINE_LOG_CATEGORY_STATIC(LogMaterial, Log, All);

namespace
{
	// Parent chains are short; a chain longer than this has a cycle (Parent assigned directly).
	constexpr int32 MaxParentChainLength = 256;

	template<typename ParameterValueType>
	const ParameterValueType* FindOverride(const TArray<ParameterValueType>& Values, const FMemoryImageMaterialParameterInfo& ParameterInfo)
	{
		return Values.FindByPredicate([&ParameterInfo](const ParameterValueType& Value) { return Value.ParameterInfo == ParameterInfo; });
	}
}

// ---------------------------------------------------------------------------------------------
// UMaterialInterface

void UMaterialInterface::OverrideBlendableSettings(FSceneView& View, float Weight) const
{
	// The renderer calls this while it sets up a view; the host has no renderer and no FSceneView,
	// so nothing can reach here.
	(void)View;
	(void)Weight;
}

UMaterial* UMaterialInterface::GetBaseMaterial()
{
	return GetMaterial();
}

void UMaterialInterface::GetAllScalarParameterInfo(TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const
{
	GetAllParameterInfoOfType(EMaterialParameterType::Scalar, OutParameterInfo, OutParameterIds);
}

void UMaterialInterface::GetAllVectorParameterInfo(TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const
{
	GetAllParameterInfoOfType(EMaterialParameterType::Vector, OutParameterInfo, OutParameterIds);
}

bool UMaterialInterface::GetScalarParameterValue(const FHashedMaterialParameterInfo& ParameterInfo, float& OutValue, bool bOveriddenOnly) const
{
	FMaterialParameterMetadata Result;
	const EMaterialGetParameterValueFlags Flags = bOveriddenOnly ? EMaterialGetParameterValueFlags::CheckInstanceOverrides : EMaterialGetParameterValueFlags::CheckAll;
	if (GetParameterValue(EMaterialParameterType::Scalar, ParameterInfo, Result, Flags))
	{
		OutValue = Result.Value.AsScalar();
		return true;
	}
	return false;
}

bool UMaterialInterface::GetVectorParameterValue(const FHashedMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue, bool bOveriddenOnly) const
{
	FMaterialParameterMetadata Result;
	const EMaterialGetParameterValueFlags Flags = bOveriddenOnly ? EMaterialGetParameterValueFlags::CheckInstanceOverrides : EMaterialGetParameterValueFlags::CheckAll;
	if (GetParameterValue(EMaterialParameterType::Vector, ParameterInfo, Result, Flags))
	{
		OutValue = Result.Value.AsLinearColor();
		return true;
	}
	return false;
}

bool UMaterialInterface::GetScalarParameterDefaultValue(const FHashedMaterialParameterInfo& ParameterInfo, float& OutValue) const
{
	FMaterialParameterMetadata Result;
	if (GetParameterDefaultValue(EMaterialParameterType::Scalar, ParameterInfo, Result))
	{
		OutValue = Result.Value.AsScalar();
		return true;
	}
	return false;
}

bool UMaterialInterface::GetVectorParameterDefaultValue(const FHashedMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue) const
{
	FMaterialParameterMetadata Result;
	if (GetParameterDefaultValue(EMaterialParameterType::Vector, ParameterInfo, Result))
	{
		OutValue = Result.Value.AsLinearColor();
		return true;
	}
	return false;
}

bool UMaterialInterface::GetParameterDefaultValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutValue) const
{
	return GetParameterValue(Type, ParameterInfo, OutValue, EMaterialGetParameterValueFlags::CheckNonOverrides);
}

// ---------------------------------------------------------------------------------------------
// UMaterial

const TArray<UMaterial::FDeclaredParameter>* UMaterial::GetDeclaredParameters(EMaterialParameterType Type) const
{
	return const_cast<UMaterial*>(this)->GetDeclaredParameters(Type);
}

TArray<UMaterial::FDeclaredParameter>* UMaterial::GetDeclaredParameters(EMaterialParameterType Type)
{
	switch (Type)
	{
	case EMaterialParameterType::Scalar:
		return &ScalarParameters;
	case EMaterialParameterType::Vector:
		return &VectorParameters;
	default:
		return nullptr;
	}
}

void UMaterial::GetAllParameterInfoOfType(EMaterialParameterType Type, TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const
{
	OutParameterInfo.Reset();
	OutParameterIds.Reset();
	if (const TArray<FDeclaredParameter>* Declared = GetDeclaredParameters(Type))
	{
		OutParameterInfo.Reserve(Declared->Num());
		OutParameterIds.Reserve(Declared->Num());
		for (const FDeclaredParameter& Parameter : *Declared)
		{
			OutParameterInfo.Add(Parameter.Info);
			OutParameterIds.Add(Parameter.Metadata.ExpressionGuid);
		}
	}
}

bool UMaterial::GetParameterValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult,
	EMaterialGetParameterValueFlags Flags) const
{
	// A material has no overrides: only its own declarations answer.
	if (!EnumHasAnyFlags(Flags, EMaterialGetParameterValueFlags::CheckNonOverrides))
	{
		return false;
	}
	const TArray<FDeclaredParameter>* Declared = GetDeclaredParameters(Type);
	if (!Declared)
	{
		return false;
	}
	const FDeclaredParameter* Found = Declared->FindByPredicate([&ParameterInfo](const FDeclaredParameter& Parameter) { return Parameter.Info == ParameterInfo; });
	if (!Found)
	{
		return false;
	}
	OutResult = Found->Metadata;
	return true;
}

// ---------------------------------------------------------------------------------------------
// UMaterialInstance

UMaterial* UMaterialInstance::GetMaterial()
{
	return const_cast<UMaterial*>(static_cast<const UMaterialInstance*>(this)->GetMaterial());
}

const UMaterial* UMaterialInstance::GetMaterial() const
{
	// Walked here rather than recursively so that a cycle made by assigning Parent directly ends.
	const UMaterialInterface* Current = Parent;
	for (int32 Depth = 0; Current && Depth < MaxParentChainLength; ++Depth)
	{
		const UMaterialInstance* Instance = Cast<UMaterialInstance>(Current);
		if (!Instance)
		{
			return Current->GetMaterial();
		}
		Current = Instance->Parent;
	}
	return nullptr;
}

void UMaterialInstance::GetAllParameterInfoOfType(EMaterialParameterType Type, TArray<FMaterialParameterInfo>& OutParameterInfo, TArray<FGuid>& OutParameterIds) const
{
	// Without layers of its own an instance has exactly its base material's parameters.
	if (const UMaterial* Material = GetMaterial())
	{
		Material->GetAllParameterInfoOfType(Type, OutParameterInfo, OutParameterIds);
		return;
	}
	OutParameterInfo.Reset();
	OutParameterIds.Reset();
}

bool UMaterialInstance::GetParameterOverrideValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult) const
{
	switch (Type)
	{
	case EMaterialParameterType::Scalar:
		if (const FScalarParameterValue* Value = FindOverride(ScalarParameterValues, ParameterInfo))
		{
			OutResult.Value = FMaterialParameterValue(Value->ParameterValue);
			OutResult.ExpressionGuid = Value->ExpressionGUID;
			return true;
		}
		return false;
	case EMaterialParameterType::Vector:
		if (const FVectorParameterValue* Value = FindOverride(VectorParameterValues, ParameterInfo))
		{
			OutResult.Value = FMaterialParameterValue(Value->ParameterValue);
			OutResult.ExpressionGuid = Value->ExpressionGUID;
			return true;
		}
		return false;
	default:
		return false;
	}
}

bool UMaterialInstance::GetParameterValue(EMaterialParameterType Type, const FMemoryImageMaterialParameterInfo& ParameterInfo, FMaterialParameterMetadata& OutResult,
	EMaterialGetParameterValueFlags Flags) const
{
	const UMaterialInstance* Instance = this;
	for (int32 Depth = 0; Depth < MaxParentChainLength; ++Depth)
	{
		if (EnumHasAnyFlags(Flags, EMaterialGetParameterValueFlags::CheckInstanceOverrides) && Instance->GetParameterOverrideValue(Type, ParameterInfo, OutResult))
		{
			return true;
		}
		// Parents are asked with their overrides allowed: only the asking instance's own are skipped.
		EnumAddFlags(Flags, EMaterialGetParameterValueFlags::CheckInstanceOverrides);
		const UMaterialInterface* Next = Instance->Parent;
		if (!Next)
		{
			return false;
		}
		Instance = Cast<UMaterialInstance>(Next);
		if (!Instance)
		{
			return Next->GetParameterValue(Type, ParameterInfo, OutResult, Flags);
		}
	}
	return false;
}

bool UMaterialInstance::IsChildOf(const UMaterialInterface* ParentMaterialInterface) const
{
	const UMaterialInterface* Current = Parent;
	for (int32 Depth = 0; Current && Depth < MaxParentChainLength; ++Depth)
	{
		if (Current == ParentMaterialInterface)
		{
			return true;
		}
		const UMaterialInstance* Instance = Cast<UMaterialInstance>(Current);
		Current = Instance ? Instance->Parent.Get() : nullptr;
	}
	return false;
}

void UMaterialInstance::SetParentInternal(UMaterialInterface* NewParent, bool RecacheShaders)
{
	(void)RecacheShaders;
	if (Parent == NewParent)
	{
		return;
	}
	const UMaterialInstance* ParentAsInstance = Cast<UMaterialInstance>(NewParent);
	if (NewParent == this || (ParentAsInstance && ParentAsInstance->IsChildOf(this)))
	{
		UE_LOG(LogMaterial, Warning, TEXT("%s is not a valid parent for %s as it is already a child of this material instance."), *NewParent->GetFullName(), *GetFullName());
		return;
	}
	Parent = NewParent;
}

namespace
{
	/** Adds or updates an override (whether or not the parent declares the parameter); true when it changed. */
	template<typename ParameterValueType, typename ValueType>
	bool SetParameterOverride(TArray<ParameterValueType>& Overrides, const FMaterialParameterInfo& ParameterInfo, const ValueType& Value)
	{
		ParameterValueType* Override = Overrides.FindByPredicate([&ParameterInfo](const ParameterValueType& Candidate) { return Candidate.ParameterInfo == ParameterInfo; });
		if (!Override)
		{
			Override = &Overrides[Overrides.AddDefaulted()];
			Override->ParameterInfo = ParameterInfo;
			Override->ExpressionGUID.Invalidate();
			Override->ParameterValue = Value;
			return true;
		}
		// Unchanged values are not handed on again.
		if (Override->ParameterValue != Value)
		{
			Override->ParameterValue = Value;
			return true;
		}
		return false;
	}
}

void UMaterialInstance::SetScalarParameterValueInternal(const FMaterialParameterInfo& ParameterInfo, float Value)
{
	if (SetParameterOverride(ScalarParameterValues, ParameterInfo, Value))
	{
		++HostParameterUpdateCount;
	}
}

void UMaterialInstance::SetVectorParameterValueInternal(const FMaterialParameterInfo& ParameterInfo, FLinearColor Value)
{
	if (SetParameterOverride(VectorParameterValues, ParameterInfo, Value))
	{
		++HostParameterUpdateCount;
	}
}

bool UMaterialInstance::SetScalarParameterByIndexInternal(int32 ParameterIndex, float Value)
{
	if (!ScalarParameterValues.IsValidIndex(ParameterIndex))
	{
		return false;
	}
	ScalarParameterValues[ParameterIndex].ParameterValue = Value;
	++HostParameterUpdateCount;
	return true;
}

bool UMaterialInstance::SetVectorParameterByIndexInternal(int32 ParameterIndex, const FLinearColor& Value)
{
	if (!VectorParameterValues.IsValidIndex(ParameterIndex))
	{
		return false;
	}
	VectorParameterValues[ParameterIndex].ParameterValue = Value;
	++HostParameterUpdateCount;
	return true;
}

void UMaterialInstance::ClearParameterValuesInternal()
{
	ScalarParameterValues.Empty();
	VectorParameterValues.Empty();
	// The engine re-initialises the instance's render resources here.
	++HostParameterUpdateCount;
}
