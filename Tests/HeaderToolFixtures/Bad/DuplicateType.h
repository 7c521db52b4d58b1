#pragma once

#include "UObject/Object.h"
#include "DuplicateType.generated.h"

/** Same name as a struct in LM_FixtureTypes.h. */
USTRUCT()
struct FLM_FixtureOverrides
{
	GENERATED_BODY()
};
