#pragma once

#include "UObject/Object.h"
#include "UnknownEnumKeyword.generated.h"

UENUM(BlueprintType, Scripted)
enum class ELM_BadEnum : uint8
{
	A,
	B
};
