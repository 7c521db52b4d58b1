#pragma once

#include "UObject/Object.h"
#include "PropertyOutsideType.generated.h"

UENUM()
enum class ELM_Fine : uint8 { A, B };

struct FLM_NotReflected
{
	int32 Plain = 0;

	UPROPERTY()
	int32 Reflected = 0;
};
