#pragma once

#include "UObject/Object.h"
#include "UnclosedClass.generated.h"

UCLASS()
class ULM_Unclosed : public UObject
{
	GENERATED_BODY()

	void Tick()
	{
		if (true)
		{
	}
};
