#pragma once

#include "UObject/Object.h"
#include "UnknownPropertyKeyword.generated.h"

UCLASS()
class ULM_BadPropertyKeyword : public UObject
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere,
		BlueprintReadWrit, Category = "Typo")
	float Value = 0.f;
};
