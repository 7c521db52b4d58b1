#pragma once

#include "UObject/Object.h"
#include "DisplayNameOutsideMeta.generated.h"

USTRUCT(BlueprintType)
struct FLM_BadDisplayName
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, DisplayName = "Pretty", Category = "X")
	float Value = 0.f;
};
