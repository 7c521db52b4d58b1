// Material instances made and changed at run time.
#include "Materials/MaterialInstanceDynamic.h"
#include "UObject/Package.h"
#include "UObject/UObjectArray.h"
#include "UObject/UObjectGlobals.h"

namespace
{
	/** Whether an object of this name already lives directly in Outer. */
	bool IsNameTakenIn(const UObject* Outer, FName Name)
	{
		FUObjectArray& Array = GUObjectArray;
		for (int32 Index = 0; Index < Array.GetObjectArrayNum(); ++Index)
		{
			const UObject* Object = (const UObject*)Array.IndexToObject(Index)->Object;
			if (Object && Object->GetOuter() == Outer && Object->GetFName() == Name)
			{
				return true;
			}
		}
		return false;
	}
}

UMaterialInstanceDynamic* UMaterialInstanceDynamic::Create(UMaterialInterface* ParentMaterial, UObject* InOuter, FName Name)
{
	UObject* Outer = InOuter ? InOuter : (UObject*)GetTransientPackage();
	if (Name.IsNone())
	{
		if (ParentMaterial)
		{
			Name = MakeUniqueObjectName(Outer, UMaterialInstanceDynamic::StaticClass(), FName(*(FString(TEXT("MID_")) + ParentMaterial->GetName())));
		}
	}
	else if (IsNameTakenIn(Outer, Name))
	{
		// A new object of a taken name and outer would replace the existing one; keep both instead.
		// (The engine looks for a MID of that name; the host's NewObject does not replace objects of
		// other classes either, so any object of that name counts.)
		Name = MakeUniqueObjectName(Outer, UMaterialInstanceDynamic::StaticClass(), Name);
	}
	UMaterialInstanceDynamic* MID = NewObject<UMaterialInstanceDynamic>(Outer, Name);
	MID->SetParentInternal(ParentMaterial, false);
	return MID;
}

void UMaterialInstanceDynamic::SetScalarParameterValue(FName ParameterName, float Value)
{
	SetScalarParameterValueInternal(FMaterialParameterInfo(ParameterName), Value);
}

void UMaterialInstanceDynamic::SetScalarParameterValueByInfo(const FMaterialParameterInfo& ParameterInfo, float Value)
{
	SetScalarParameterValueInternal(ParameterInfo, Value);
}

bool UMaterialInstanceDynamic::InitializeScalarParameterAndGetIndex(const FName& ParameterName, float Value, int32& OutParameterIndex)
{
	const FMaterialParameterInfo ParameterInfo(ParameterName);
	SetScalarParameterValueInternal(ParameterInfo, Value);
	OutParameterIndex = ScalarParameterValues.IndexOfByPredicate([&ParameterInfo](const FScalarParameterValue& Candidate) { return Candidate.ParameterInfo == ParameterInfo; });
	return OutParameterIndex != INDEX_NONE;
}

bool UMaterialInstanceDynamic::SetScalarParameterByIndex(int32 ParameterIndex, float Value)
{
	return SetScalarParameterByIndexInternal(ParameterIndex, Value);
}

float UMaterialInstanceDynamic::K2_GetScalarParameterValue(FName ParameterName)
{
	float Result = 0.f;
	Super::GetScalarParameterValue(FMaterialParameterInfo(ParameterName), Result);
	return Result;
}

void UMaterialInstanceDynamic::SetVectorParameterValue(FName ParameterName, FLinearColor Value)
{
	SetVectorParameterValueInternal(FMaterialParameterInfo(ParameterName), Value);
}

void UMaterialInstanceDynamic::SetVectorParameterValueByInfo(const FMaterialParameterInfo& ParameterInfo, FLinearColor Value)
{
	SetVectorParameterValueInternal(ParameterInfo, Value);
}

bool UMaterialInstanceDynamic::InitializeVectorParameterAndGetIndex(const FName& ParameterName, const FLinearColor& Value, int32& OutParameterIndex)
{
	const FMaterialParameterInfo ParameterInfo(ParameterName);
	SetVectorParameterValueInternal(ParameterInfo, Value);
	OutParameterIndex = VectorParameterValues.IndexOfByPredicate([&ParameterInfo](const FVectorParameterValue& Candidate) { return Candidate.ParameterInfo == ParameterInfo; });
	return OutParameterIndex != INDEX_NONE;
}

bool UMaterialInstanceDynamic::SetVectorParameterByIndex(int32 ParameterIndex, const FLinearColor& Value)
{
	return SetVectorParameterByIndexInternal(ParameterIndex, Value);
}

FLinearColor UMaterialInstanceDynamic::K2_GetVectorParameterValue(FName ParameterName)
{
	FLinearColor Result(0, 0, 0);
	Super::GetVectorParameterValue(FMaterialParameterInfo(ParameterName), Result);
	return Result;
}

void UMaterialInstanceDynamic::ClearParameterValues()
{
	ClearParameterValuesInternal();
}
