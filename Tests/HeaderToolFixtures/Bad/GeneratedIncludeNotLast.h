#pragma once

#include "UObject/Object.h"
#include "GeneratedIncludeNotLast.generated.h"
#include "Math/Vector.h"

USTRUCT()
struct FLM_IncludeOrder
{
	GENERATED_BODY()
};
