#pragma once

#include "UObject/Object.h"
#include "NestedArray.generated.h"

USTRUCT()
struct FLM_Grid
{
	GENERATED_BODY()

	UPROPERTY()
	TArray<TArray<int32>> Cells;
};
