// Shared by the engine's float curves: interpolation and extrapolation modes, the default value,
// and the handles of keys.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/EnumAsByte.h"
#include "Curves/KeyHandle.h"
#include "Math/NumericLimits.h"

/**
 * How the value moves from a key to the next. Host departure: the engine declares these enums with
 * UENUM (reflected, with display names); here they are plain enums with the same values.
 */
enum ERichCurveInterpMode : int
{
	/** A straight line to the next key. */
	RCIM_Linear,
	/** The key's value until the next key. */
	RCIM_Constant,
	/** A cubic Bezier through the keys' tangents. */
	RCIM_Cubic,
	RCIM_None
};

enum ERichCurveTangentMode : int
{
	/** Tangents computed from the neighbouring keys. */
	RCTM_Auto,
	/** Tangents set by the user, arrive and leave equal. */
	RCTM_User,
	/** Tangents set by the user, arrive and leave independent. */
	RCTM_Break,
	RCTM_None,
	/** Auto tangents that avoid overshoot; the host computes them as RCTM_Auto. */
	RCTM_SmartAuto
};

enum ERichCurveTangentWeightMode : int
{
	RCTWM_WeightedNone,
	RCTWM_WeightedArrive,
	RCTWM_WeightedLeave,
	RCTWM_WeightedBoth
};

/** What the curve does before its first key and after its last. */
enum ERichCurveExtrapolation : int
{
	/** Repeat the curve. */
	RCCE_Cycle,
	/** Repeat the curve, each repetition offset by the difference of the end values. */
	RCCE_CycleWithOffset,
	/** Repeat the curve, every other repetition mirrored in time. */
	RCCE_Oscillate,
	/** Continue the slope of the end segment. */
	RCCE_Linear,
	/** Hold the end key's value. */
	RCCE_Constant,
	RCCE_None
};

/** Keys addressed by handle, a default value and the extrapolation modes. */
struct FRealCurve
{
	FRealCurve() = default;
	virtual ~FRealCurve() = default;
	FRealCurve(const FRealCurve&) = default;
	FRealCurve& operator=(const FRealCurve&) = default;

	/** Returned by Eval when the curve has no keys; MAX_flt means "unset" (Eval's InDefaultValue is used). */
	float DefaultValue = MAX_flt;

	TEnumAsByte<ERichCurveExtrapolation> PreInfinityExtrap = RCCE_Constant;
	TEnumAsByte<ERichCurveExtrapolation> PostInfinityExtrap = RCCE_Constant;

	void SetDefaultValue(float InDefaultValue) { DefaultValue = InDefaultValue; }
	float GetDefaultValue() const { return DefaultValue; }
	void ClearDefaultValue() { DefaultValue = MAX_flt; }

	virtual int32 GetNumKeys() const = 0;
	virtual float Eval(float InTime, float InDefaultValue = 0.0f) const = 0;

	/** The handle of the key at KeyIndex (invalid for a bad index). */
	ENGINE_API FKeyHandle GetKeyHandle(int32 KeyIndex) const;
	/** The index of the key a handle names, or INDEX_NONE. */
	ENGINE_API int32 GetIndexSafe(FKeyHandle KeyHandle) const;
	bool IsKeyHandleValid(FKeyHandle KeyHandle) const { return GetIndexSafe(KeyHandle) != INDEX_NONE; }

protected:
	/** Gives every key index a handle (keys may be added to the public array directly). */
	ENGINE_API void EnsureAllIndicesHaveHandles() const;
	/** Keeps handles with their keys when a key is inserted at or removed from Index. */
	ENGINE_API void OnKeyInserted(int32 Index, FKeyHandle Handle);
	ENGINE_API void OnKeyRemoved(int32 Index);
	void ResetKeyHandles() { KeyHandles.Empty(); }

private:
	// Handle of each key, by key index.
	mutable TArray<FKeyHandle> KeyHandles;
};
