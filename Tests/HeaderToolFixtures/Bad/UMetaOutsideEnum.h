#pragma once

#include "UObject/Object.h"
#include "UMetaOutsideEnum.generated.h"

enum class ELM_PlainEnum : uint8
{
	A UMETA(DisplayName = "A"),
	B
};

UENUM()
enum class ELM_Reflected : uint8 { C };
