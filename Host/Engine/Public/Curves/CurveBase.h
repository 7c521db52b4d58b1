// The base of curve assets.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Curves/RichCurve.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "CurveBase.generated.h"

/**
 * Host departures: the engine's UCurveBase also implements FCurveOwnerInterface (the curve editor's
 * view of the asset); the host keeps only what game code calls. The engine marks the UFUNCTIONs of
 * these MinimalAPI classes ENGINE_API; the host builds one library that exports everything, and its
 * header tool does not take an API macro in a UFUNCTION declaration, so they go without.
 */
UCLASS(Abstract, MinimalAPI)
class UCurveBase : public UObject
{
	GENERATED_BODY()

public:
	/** Earliest and latest key time over all the asset's curves (0, 0 without keys). */
	UFUNCTION(BlueprintCallable, Category="Math|Curves")
	void GetTimeRange(float& MinTime, float& MaxTime) const;

	/** Smallest and largest key value over all the asset's curves (0, 0 without keys). */
	UFUNCTION(BlueprintCallable, Category="Math|Curves")
	void GetValueRange(float& MinValue, float& MaxValue) const;

	/** Removes every key of every curve. */
	ENGINE_API void ResetCurve();

	/** The asset's curves (the engine reaches them through FCurveOwnerInterface::GetCurves). */
	ENGINE_API virtual TArray<FRichCurve*> GetRichCurves();
	ENGINE_API TArray<const FRichCurve*> GetRichCurvesConst() const;
};
