// One layer of exponential height fog: density at the fog height and how fast it thins above it.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "ExponentialHeightFogData.generated.h"

USTRUCT(BlueprintType)
struct FExponentialHeightFogData
{
	GENERATED_BODY()

	/** Global density factor for this fog. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0", UIMax = ".05"))
	float FogDensity = 0.02f;

	/**
	 * Height density factor, controls how the density increases as height decreases.
	 * Smaller values make the visible transition larger.
	 */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMin = "0.001", UIMax = "2"))
	float FogHeightFalloff = 0.2f;

	/** Height offset, relative to the actor position Z. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Interp, Category = "ExponentialHeightFogComponent", meta = (UIMax = "8192"))
	float FogHeightOffset = 0.0f;
};
