#pragma once

#include "UObject/Object.h"
#include "UnterminatedString.generated.h"

USTRUCT()
struct FLM_BadString
{
	GENERATED_BODY()

	UPROPERTY(meta = (ToolTip = "never closed))
	float Value = 0.f;
};
