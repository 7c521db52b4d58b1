#pragma once

#include "UObject/Object.h"
#include "UnknownClass.generated.h"

class UNotReflected;

UCLASS()
class ULM_PointsAtUnknown : public UObject
{
	GENERATED_BODY()

	UPROPERTY()
	TObjectPtr<UObject> Fine;

	UPROPERTY()
	TArray<TObjectPtr<UNotReflected>> Broken;
};
