#pragma once

#include "UObject/Object.h"
#include "MissingGeneratedBody.generated.h"

UCLASS()
class ULM_NoBody : public UObject
{
public:
	UPROPERTY()
	float Value = 0.f;
};
