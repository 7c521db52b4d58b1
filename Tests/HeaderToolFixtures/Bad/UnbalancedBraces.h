#pragma once

#include "UObject/Object.h"
#include "UnbalancedBraces.generated.h"

namespace LM_Helpers
{
	inline int32 Twice(int32 X)
	{
		return X * 2;
	}
	}
}

UENUM()
enum class ELM_AfterBraces : uint8 { A };
