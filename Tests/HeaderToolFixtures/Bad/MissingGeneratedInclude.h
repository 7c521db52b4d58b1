#pragma once

#include "UObject/Object.h"

// The generated header is never included.
USTRUCT()
struct FLM_NoGenerated
{
	GENERATED_BODY()
};
