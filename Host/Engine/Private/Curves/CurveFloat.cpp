#include "Curves/CurveFloat.h"

void UCurveBase::GetTimeRange(float& MinTime, float& MaxTime) const
{
	bool bAny = false;
	MinTime = 0.f;
	MaxTime = 0.f;
	for (const FRichCurve* Curve : GetRichCurvesConst())
	{
		if (Curve->GetNumKeys() == 0)
		{
			continue;
		}
		float CurveMin = 0.f;
		float CurveMax = 0.f;
		Curve->GetTimeRange(CurveMin, CurveMax);
		MinTime = bAny ? FMath::Min(MinTime, CurveMin) : CurveMin;
		MaxTime = bAny ? FMath::Max(MaxTime, CurveMax) : CurveMax;
		bAny = true;
	}
}

void UCurveBase::GetValueRange(float& MinValue, float& MaxValue) const
{
	bool bAny = false;
	MinValue = 0.f;
	MaxValue = 0.f;
	for (const FRichCurve* Curve : GetRichCurvesConst())
	{
		if (Curve->GetNumKeys() == 0)
		{
			continue;
		}
		float CurveMin = 0.f;
		float CurveMax = 0.f;
		Curve->GetValueRange(CurveMin, CurveMax);
		MinValue = bAny ? FMath::Min(MinValue, CurveMin) : CurveMin;
		MaxValue = bAny ? FMath::Max(MaxValue, CurveMax) : CurveMax;
		bAny = true;
	}
}

void UCurveBase::ResetCurve()
{
	for (FRichCurve* Curve : GetRichCurves())
	{
		Curve->Reset();
	}
}

TArray<FRichCurve*> UCurveBase::GetRichCurves()
{
	return TArray<FRichCurve*>();
}

TArray<const FRichCurve*> UCurveBase::GetRichCurvesConst() const
{
	TArray<const FRichCurve*> Result;
	for (FRichCurve* Curve : const_cast<UCurveBase*>(this)->GetRichCurves())
	{
		Result.Add(Curve);
	}
	return Result;
}

float UCurveFloat::GetFloatValue(float InTime) const
{
	return FloatCurve.Eval(InTime);
}

TArray<FRichCurve*> UCurveFloat::GetRichCurves()
{
	TArray<FRichCurve*> Curves;
	Curves.Add(&FloatCurve);
	return Curves;
}
