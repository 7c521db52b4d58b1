// A float curve asset.
#pragma once

#include "CoreTypes.h"
#include "Curves/CurveBase.h"
#include "Curves/RichCurve.h"
#include "UObject/ObjectMacros.h"
#include "CurveFloat.generated.h"

UCLASS(BlueprintType, MinimalAPI)
class UCurveFloat : public UCurveBase
{
	GENERATED_BODY()

public:
	/**
	 * Keyed float curve data. Host departure: a UPROPERTY in the engine; FRichCurve is not
	 * reflected by our header tool, so here it is a plain member.
	 */
	FRichCurve FloatCurve;

	/** Flag to represent event curve */
	UPROPERTY()
	bool bIsEventCurve = false;

	/** Evaluate this float curve at the specified time */
	UFUNCTION(BlueprintCallable, Category="Math|Curves")
	float GetFloatValue(float InTime) const;

	ENGINE_API virtual TArray<FRichCurve*> GetRichCurves() override;

	bool operator==(const UCurveFloat& Curve) const { return FloatCurve == Curve.FloatCurve; }
};
