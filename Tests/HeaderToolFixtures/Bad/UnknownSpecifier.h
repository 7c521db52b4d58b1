#pragma once

#include "UObject/Object.h"
#include "UnknownSpecifier.generated.h"

UCLASS()
class ULM_BadSpecifier : public UObject
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere,
		BlueprintReadWrit, Category = "Typo")
	float Value = 0.f;
};
