#pragma once

#include "UObject/Object.h"
#include "UnsupportedType.generated.h"

USTRUCT()
struct FLM_BadType
{
	GENERATED_BODY()

	UPROPERTY()
	float Fine = 0.f;

	UPROPERTY(EditAnywhere)
	TMap<FName, float> Values;
};
