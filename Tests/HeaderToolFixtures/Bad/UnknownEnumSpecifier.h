#pragma once

#include "UObject/Object.h"
#include "UnknownEnumSpecifier.generated.h"

UENUM(BlueprintType, Scripted)
enum class ELM_BadEnum : uint8
{
	A,
	B
};
