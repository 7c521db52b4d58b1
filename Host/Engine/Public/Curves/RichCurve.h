// FRichCurve: the engine's keyed float curve (linear, constant and cubic segments).
//
// Host departures: FRichCurve and FRichCurveKey are not USTRUCTs here (our header tool does not
// reflect them), and weighted tangents (TangentWeightMode other than RCTWM_WeightedNone) are
// evaluated as unweighted ones.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/EnumAsByte.h"
#include "Curves/KeyHandle.h"
#include "Curves/RealCurve.h"
#include "Math/UnrealMathUtility.h"
#include "Misc/AssertionMacros.h"

struct FRichCurveKey
{
	TEnumAsByte<ERichCurveInterpMode> InterpMode = RCIM_Linear;
	TEnumAsByte<ERichCurveTangentMode> TangentMode = RCTM_Auto;
	TEnumAsByte<ERichCurveTangentWeightMode> TangentWeightMode = RCTWM_WeightedNone;
	float Time = 0.f;
	float Value = 0.f;
	/** Slope (value per second) with which the curve arrives at the key. */
	float ArriveTangent = 0.f;
	float ArriveTangentWeight = 0.f;
	/** Slope (value per second) with which the curve leaves the key. */
	float LeaveTangent = 0.f;
	float LeaveTangentWeight = 0.f;

	FRichCurveKey() = default;
	FRichCurveKey(float InTime, float InValue)
		: Time(InTime)
		, Value(InValue)
	{
	}
	FRichCurveKey(float InTime, float InValue, float InArriveTangent, const float InLeaveTangent, ERichCurveInterpMode InInterpMode)
		: InterpMode(InInterpMode)
		, Time(InTime)
		, Value(InValue)
		, ArriveTangent(InArriveTangent)
		, LeaveTangent(InLeaveTangent)
	{
	}

	ENGINE_API bool operator==(const FRichCurveKey& Other) const;
	bool operator!=(const FRichCurveKey& Other) const { return !(*this == Other); }
};

struct FRichCurve : public FRealCurve
{
	/** Sorted by time. */
	TArray<FRichCurveKey> Keys;

	FRichCurve() = default;

	virtual int32 GetNumKeys() const final { return Keys.Num(); }
	bool HasAnyData() const { return DefaultValue != MAX_flt || Keys.Num() > 0; }

	const TArray<FRichCurveKey>& GetConstRefOfKeys() const { return Keys; }
	TArray<FRichCurveKey> GetCopyOfKeys() const { return Keys; }
	FRichCurveKey GetFirstKey() const;
	FRichCurveKey GetLastKey() const;

	/** The key a handle names; the handle must be valid. */
	ENGINE_API FRichCurveKey& GetKey(FKeyHandle KeyHandle);
	ENGINE_API const FRichCurveKey& GetKey(FKeyHandle KeyHandle) const;

	/**
	 * Inserts a key, keeping the keys sorted by time (a key at the time of an existing one goes
	 * before it). bUnwindRotation: treat values as degrees and pick the winding nearest the
	 * previous key's value.
	 */
	ENGINE_API FKeyHandle AddKey(float InTime, float InValue, const bool bUnwindRotation = false, FKeyHandle KeyHandle = FKeyHandle());

	/** Replaces all keys. */
	ENGINE_API void SetKeys(const TArray<FRichCurveKey>& InKeys);

	ENGINE_API void DeleteKey(FKeyHandle KeyHandle);

	/** Sets the value of a key within KeyTimeTolerance of InTime, or adds a key. */
	ENGINE_API FKeyHandle UpdateOrAddKey(float InTime, float InValue, const bool bUnwindRotation = false, float KeyTimeTolerance = UE_KINDA_SMALL_NUMBER);

	/** The key within KeyTimeTolerance of KeyTime, or an invalid handle. */
	ENGINE_API FKeyHandle FindKey(float KeyTime, float KeyTimeTolerance = UE_KINDA_SMALL_NUMBER) const;
	bool KeyExistsAtTime(float KeyTime, float KeyTimeTolerance = UE_KINDA_SMALL_NUMBER) const { return FindKey(KeyTime, KeyTimeTolerance).IsValid(); }

	ENGINE_API void SetKeyValue(FKeyHandle KeyHandle, float NewValue, bool bAutoSetTangents = true);
	ENGINE_API float GetKeyValue(FKeyHandle KeyHandle) const;
	ENGINE_API float GetKeyTime(FKeyHandle KeyHandle) const;

	/** Sets how the segment after the key interpolates; by default recomputes auto tangents. */
	ENGINE_API void SetKeyInterpMode(FKeyHandle KeyHandle, ERichCurveInterpMode NewInterpMode, bool bAutoSetTangents = true);
	ENGINE_API void SetKeyTangentMode(FKeyHandle KeyHandle, ERichCurveTangentMode NewTangentMode, bool bAutoSetTangents = true);
	ENGINE_API ERichCurveInterpMode GetKeyInterpMode(FKeyHandle KeyHandle) const;
	ENGINE_API ERichCurveTangentMode GetKeyTangentMode(FKeyHandle KeyHandle) const;

	/**
	 * Recomputes the tangents of cubic keys in RCTM_Auto (and RCTM_SmartAuto) mode from their
	 * neighbours: (1 - Tension) * (NextValue - PrevValue) / (NextTime - PrevTime); end keys get 0.
	 */
	ENGINE_API void AutoSetTangents(float Tension = 0.f);

	/** First and last key times (0, 0 without keys). */
	ENGINE_API void GetTimeRange(float& MinTime, float& MaxTime) const;
	/** Smallest and largest key values (0, 0 without keys). */
	ENGINE_API void GetValueRange(float& MinValue, float& MaxValue) const;

	/** Removes every key (the default value and extrapolation stay). */
	ENGINE_API void Reset();

	/**
	 * The value at InTime:
	 * - no keys: DefaultValue, or InDefaultValue when DefaultValue is unset (MAX_flt);
	 * - before the first / after the last key: per Pre/PostInfinityExtrap - Constant holds the end
	 *   key's value, Linear continues the end segment's slope (between the two end keys' values),
	 *   Cycle / CycleWithOffset / Oscillate map the time back into the keyed range first;
	 * - between keys: by the earlier key's InterpMode - Linear lerps, Constant holds, Cubic is the
	 *   Bezier P0, P0 + LeaveTangent*dt/3, P1 - ArriveTangent*dt/3, P1 (dt = time between the keys).
	 */
	ENGINE_API virtual float Eval(float InTime, float InDefaultValue = 0.0f) const override;

	/** Maps a time outside the keyed range into it for the cycling extrapolations, with the value offset of CycleWithOffset. */
	ENGINE_API void RemapTimeValue(float& InTime, float& CycleValueOffset) const;

	ENGINE_API bool operator==(const FRichCurve& Curve) const;
	bool operator!=(const FRichCurve& Curve) const { return !(*this == Curve); }
};

inline FRichCurveKey FRichCurve::GetFirstKey() const
{
	check(Keys.Num() > 0);
	return Keys[0];
}

inline FRichCurveKey FRichCurve::GetLastKey() const
{
	check(Keys.Num() > 0);
	return Keys[Keys.Num() - 1];
}
