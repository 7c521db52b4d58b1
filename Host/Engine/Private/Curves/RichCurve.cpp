// Evaluation follows the engine's FRichCurve: remap the time for cycling extrapolations, handle
// the ends, then find the segment with a binary search (the first key later than the time) and
// interpolate by the segment's first key.
#include "Curves/RichCurve.h"

#include <atomic>

FKeyHandle::FKeyHandle()
{
	static std::atomic<uint32> LastKeyHandleIndex{0};
	Index = ++LastKeyHandleIndex;
	if (Index == 0)
	{
		Index = ++LastKeyHandleIndex;
	}
}

// ---------------------------------------------------------------------------------------------
// FRealCurve: handles by key index.

void FRealCurve::EnsureAllIndicesHaveHandles() const
{
	const int32 NumKeys = GetNumKeys();
	while (KeyHandles.Num() < NumKeys)
	{
		KeyHandles.Add(FKeyHandle());
	}
	while (KeyHandles.Num() > NumKeys)
	{
		KeyHandles.RemoveAt(KeyHandles.Num() - 1);
	}
}

FKeyHandle FRealCurve::GetKeyHandle(int32 KeyIndex) const
{
	if (KeyIndex < 0 || KeyIndex >= GetNumKeys())
	{
		return FKeyHandle::Invalid();
	}
	EnsureAllIndicesHaveHandles();
	return KeyHandles[KeyIndex];
}

int32 FRealCurve::GetIndexSafe(FKeyHandle KeyHandle) const
{
	if (!KeyHandle.IsValid())
	{
		return INDEX_NONE;
	}
	EnsureAllIndicesHaveHandles();
	for (int32 Index = 0; Index < KeyHandles.Num(); ++Index)
	{
		if (KeyHandles[Index] == KeyHandle)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

void FRealCurve::OnKeyInserted(int32 Index, FKeyHandle Handle)
{
	// Called after the key was inserted: the handles of the other keys are for NumKeys - 1 keys.
	while (KeyHandles.Num() < GetNumKeys() - 1)
	{
		KeyHandles.Add(FKeyHandle());
	}
	KeyHandles.Insert(Handle, Index);
}

void FRealCurve::OnKeyRemoved(int32 Index)
{
	// Called after the key was removed: the handles are still those of NumKeys + 1 keys.
	while (KeyHandles.Num() < GetNumKeys() + 1)
	{
		KeyHandles.Add(FKeyHandle());
	}
	if (Index >= 0 && Index < KeyHandles.Num())
	{
		KeyHandles.RemoveAt(Index);
	}
}

// ---------------------------------------------------------------------------------------------

bool FRichCurveKey::operator==(const FRichCurveKey& Other) const
{
	return Time == Other.Time && Value == Other.Value && InterpMode == Other.InterpMode && TangentMode == Other.TangentMode
		&& TangentWeightMode == Other.TangentWeightMode
		&& (InterpMode != RCIM_Cubic
			|| (ArriveTangent == Other.ArriveTangent && LeaveTangent == Other.LeaveTangent
				&& ArriveTangentWeight == Other.ArriveTangentWeight && LeaveTangentWeight == Other.LeaveTangentWeight));
}

FRichCurveKey& FRichCurve::GetKey(FKeyHandle KeyHandle)
{
	const int32 Index = GetIndexSafe(KeyHandle);
	checkf(Index != INDEX_NONE, TEXT("The key handle names no key of this curve."));
	return Keys[Index];
}

const FRichCurveKey& FRichCurve::GetKey(FKeyHandle KeyHandle) const
{
	const int32 Index = GetIndexSafe(KeyHandle);
	checkf(Index != INDEX_NONE, TEXT("The key handle names no key of this curve."));
	return Keys[Index];
}

FKeyHandle FRichCurve::AddKey(float InTime, float InValue, const bool bUnwindRotation, FKeyHandle NewHandle)
{
	int32 Index = 0;
	while (Index < Keys.Num() && Keys[Index].Time < InTime)
	{
		++Index;
	}
	Keys.Insert(FRichCurveKey(InTime, InValue), Index);

	// Rotations: pick the winding of the new value nearest the previous key's.
	if (Index > 0 && bUnwindRotation)
	{
		const float OldValue = Keys[Index - 1].Value;
		float NewValue = Keys[Index].Value;
		while (NewValue - OldValue > 180.0f)
		{
			NewValue -= 360.0f;
		}
		while (NewValue - OldValue < -180.0f)
		{
			NewValue += 360.0f;
		}
		Keys[Index].Value = NewValue;
	}

	OnKeyInserted(Index, NewHandle);
	return NewHandle;
}

void FRichCurve::SetKeys(const TArray<FRichCurveKey>& InKeys)
{
	Reset();
	for (const FRichCurveKey& Key : InKeys)
	{
		Keys.Add(Key);
	}
	EnsureAllIndicesHaveHandles();
}

void FRichCurve::DeleteKey(FKeyHandle KeyHandle)
{
	const int32 Index = GetIndexSafe(KeyHandle);
	if (Index == INDEX_NONE)
	{
		return;
	}
	Keys.RemoveAt(Index);
	OnKeyRemoved(Index);
	AutoSetTangents();
}

FKeyHandle FRichCurve::UpdateOrAddKey(float InTime, float InValue, const bool bUnwindRotation, float KeyTimeTolerance)
{
	for (int32 KeyIndex = 0; KeyIndex < Keys.Num(); ++KeyIndex)
	{
		const float KeyTime = Keys[KeyIndex].Time;
		if (FMath::IsNearlyEqual(KeyTime, InTime, KeyTimeTolerance))
		{
			Keys[KeyIndex].Value = InValue;
			return GetKeyHandle(KeyIndex);
		}
		if (KeyTime > InTime)
		{
			// Keys are sorted: no later key can match.
			break;
		}
	}
	return AddKey(InTime, InValue, bUnwindRotation);
}

FKeyHandle FRichCurve::FindKey(float KeyTime, float KeyTimeTolerance) const
{
	int32 Start = 0;
	int32 End = Keys.Num() - 1;
	while (Start <= End)
	{
		const int32 TestPos = Start + (End - Start) / 2;
		const float TestKeyTime = Keys[TestPos].Time;
		if (FMath::IsNearlyEqual(TestKeyTime, KeyTime, KeyTimeTolerance))
		{
			return GetKeyHandle(TestPos);
		}
		if (TestKeyTime < KeyTime)
		{
			Start = TestPos + 1;
		}
		else
		{
			End = TestPos - 1;
		}
	}
	return FKeyHandle::Invalid();
}

void FRichCurve::SetKeyValue(FKeyHandle KeyHandle, float NewValue, bool bAutoSetTangents)
{
	if (!IsKeyHandleValid(KeyHandle))
	{
		return;
	}
	GetKey(KeyHandle).Value = NewValue;
	if (bAutoSetTangents)
	{
		AutoSetTangents();
	}
}

float FRichCurve::GetKeyValue(FKeyHandle KeyHandle) const
{
	return IsKeyHandleValid(KeyHandle) ? GetKey(KeyHandle).Value : 0.f;
}

float FRichCurve::GetKeyTime(FKeyHandle KeyHandle) const
{
	return IsKeyHandleValid(KeyHandle) ? GetKey(KeyHandle).Time : 0.f;
}

void FRichCurve::SetKeyInterpMode(FKeyHandle KeyHandle, ERichCurveInterpMode NewInterpMode, bool bAutoSetTangents)
{
	if (!IsKeyHandleValid(KeyHandle))
	{
		return;
	}
	GetKey(KeyHandle).InterpMode = NewInterpMode;
	if (bAutoSetTangents)
	{
		AutoSetTangents();
	}
}

void FRichCurve::SetKeyTangentMode(FKeyHandle KeyHandle, ERichCurveTangentMode NewTangentMode, bool bAutoSetTangents)
{
	if (!IsKeyHandleValid(KeyHandle))
	{
		return;
	}
	GetKey(KeyHandle).TangentMode = NewTangentMode;
	if (bAutoSetTangents)
	{
		AutoSetTangents();
	}
}

ERichCurveInterpMode FRichCurve::GetKeyInterpMode(FKeyHandle KeyHandle) const
{
	return IsKeyHandleValid(KeyHandle) ? GetKey(KeyHandle).InterpMode.GetValue() : RCIM_Linear;
}

ERichCurveTangentMode FRichCurve::GetKeyTangentMode(FKeyHandle KeyHandle) const
{
	return IsKeyHandleValid(KeyHandle) ? GetKey(KeyHandle).TangentMode.GetValue() : RCTM_Auto;
}

void FRichCurve::AutoSetTangents(float Tension)
{
	const int32 NumKeys = Keys.Num();
	for (int32 KeyIndex = 0; KeyIndex < NumKeys; ++KeyIndex)
	{
		FRichCurveKey& Key = Keys[KeyIndex];
		const bool bAuto = Key.TangentMode == RCTM_Auto || Key.TangentMode == RCTM_SmartAuto;
		float ArriveTangent = Key.ArriveTangent;
		float LeaveTangent = Key.LeaveTangent;

		if (KeyIndex == 0)
		{
			// The first key (or the only one): nothing arrives before it to shape the tangent.
			if (KeyIndex < NumKeys - 1)
			{
				if (bAuto)
				{
					LeaveTangent = 0.f;
				}
			}
			else
			{
				LeaveTangent = 0.f;
			}
		}
		else if (KeyIndex < NumKeys - 1)
		{
			const FRichCurveKey& PrevKey = Keys[KeyIndex - 1];
			const FRichCurveKey& NextKey = Keys[KeyIndex + 1];
			if (Key.InterpMode == RCIM_Cubic && bAuto)
			{
				const float TimeSpan = FMath::Max(UE_KINDA_SMALL_NUMBER, NextKey.Time - PrevKey.Time);
				ArriveTangent = (1.f - Tension) * ((Key.Value - PrevKey.Value) + (NextKey.Value - Key.Value)) / TimeSpan;
				LeaveTangent = ArriveTangent;
			}
			else if (PrevKey.InterpMode == RCIM_Constant || Key.InterpMode == RCIM_Constant)
			{
				if (PrevKey.InterpMode != RCIM_Cubic)
				{
					ArriveTangent = 0.f;
				}
				LeaveTangent = 0.f;
			}
		}
		else
		{
			// The last key: flat arrival when its own tangent is automatic.
			if (Key.InterpMode == RCIM_Cubic && bAuto)
			{
				ArriveTangent = 0.f;
			}
		}

		Key.ArriveTangent = ArriveTangent;
		Key.LeaveTangent = LeaveTangent;
	}
}

void FRichCurve::GetTimeRange(float& MinTime, float& MaxTime) const
{
	if (Keys.Num() == 0)
	{
		MinTime = 0.f;
		MaxTime = 0.f;
		return;
	}
	MinTime = Keys[0].Time;
	MaxTime = Keys[Keys.Num() - 1].Time;
}

void FRichCurve::GetValueRange(float& MinValue, float& MaxValue) const
{
	if (Keys.Num() == 0)
	{
		MinValue = 0.f;
		MaxValue = 0.f;
		return;
	}
	MinValue = MaxValue = Keys[0].Value;
	for (const FRichCurveKey& Key : Keys)
	{
		MinValue = FMath::Min(MinValue, Key.Value);
		MaxValue = FMath::Max(MaxValue, Key.Value);
	}
}

void FRichCurve::Reset()
{
	Keys.Empty();
	ResetKeyHandles();
}

namespace
{
	// Maps InTime into [MinTime, MaxTime] and counts the whole cycles crossed.
	void CycleTime(float MinTime, float MaxTime, float& InTime, int& CycleCount)
	{
		const float InitTime = InTime;
		const float Duration = MaxTime - MinTime;
		if (InTime > MaxTime)
		{
			CycleCount = FMath::FloorToInt((MaxTime - InTime) / Duration);
			InTime = InTime + Duration * CycleCount;
		}
		else if (InTime < MinTime)
		{
			CycleCount = FMath::FloorToInt((InTime - MinTime) / Duration);
			InTime = InTime - Duration * CycleCount;
		}

		// A time exactly a whole number of cycles away lands on the end it came from.
		if (InTime == MaxTime && InitTime < MinTime)
		{
			InTime = MinTime;
		}
		if (InTime == MinTime && InitTime > MaxTime)
		{
			InTime = MaxTime;
		}
		CycleCount = FMath::Abs(CycleCount);
	}

	float BezierInterp(float P0, float P1, float P2, float P3, float Alpha)
	{
		const float P01 = FMath::Lerp(P0, P1, Alpha);
		const float P12 = FMath::Lerp(P1, P2, Alpha);
		const float P23 = FMath::Lerp(P2, P3, Alpha);
		const float P012 = FMath::Lerp(P01, P12, Alpha);
		const float P123 = FMath::Lerp(P12, P23, Alpha);
		return FMath::Lerp(P012, P123, Alpha);
	}

	float EvalForTwoKeys(const FRichCurveKey& Key1, const FRichCurveKey& Key2, const float InTime)
	{
		const float Diff = Key2.Time - Key1.Time;
		if (Diff > 0.f && Key1.InterpMode != RCIM_Constant)
		{
			const float Alpha = (InTime - Key1.Time) / Diff;
			const float P0 = Key1.Value;
			const float P3 = Key2.Value;
			if (Key1.InterpMode == RCIM_Linear)
			{
				return FMath::Lerp(P0, P3, Alpha);
			}
			const float OneThird = 1.0f / 3.0f;
			const float P1 = P0 + (Key1.LeaveTangent * Diff * OneThird);
			const float P2 = P3 - (Key2.ArriveTangent * Diff * OneThird);
			return BezierInterp(P0, P1, P2, P3, Alpha);
		}
		return Key1.Value;
	}
}

void FRichCurve::RemapTimeValue(float& InTime, float& CycleValueOffset) const
{
	const int32 NumKeys = Keys.Num();
	if (NumKeys < 2)
	{
		return;
	}
	const float MinTime = Keys[0].Time;
	const float MaxTime = Keys[NumKeys - 1].Time;
	if (!(MaxTime > MinTime))
	{
		// All keys at one time: nothing to cycle over (the engine would divide by zero).
		return;
	}

	if (InTime <= MinTime)
	{
		if (PreInfinityExtrap != RCCE_Linear && PreInfinityExtrap != RCCE_Constant)
		{
			int CycleCount = 0;
			CycleTime(MinTime, MaxTime, InTime, CycleCount);
			if (PreInfinityExtrap == RCCE_CycleWithOffset)
			{
				CycleValueOffset = (Keys[0].Value - Keys[NumKeys - 1].Value) * CycleCount;
			}
			else if (PreInfinityExtrap == RCCE_Oscillate && CycleCount % 2 == 1)
			{
				InTime = MinTime + (MaxTime - InTime);
			}
		}
	}
	else if (InTime >= MaxTime)
	{
		if (PostInfinityExtrap != RCCE_Linear && PostInfinityExtrap != RCCE_Constant)
		{
			int CycleCount = 0;
			CycleTime(MinTime, MaxTime, InTime, CycleCount);
			if (PostInfinityExtrap == RCCE_CycleWithOffset)
			{
				CycleValueOffset = (Keys[NumKeys - 1].Value - Keys[0].Value) * CycleCount;
			}
			else if (PostInfinityExtrap == RCCE_Oscillate && CycleCount % 2 == 1)
			{
				InTime = MinTime + (MaxTime - InTime);
			}
		}
	}
}

float FRichCurve::Eval(float InTime, float InDefaultValue) const
{
	float CycleValueOffset = 0.f;
	RemapTimeValue(InTime, CycleValueOffset);

	const int32 NumKeys = Keys.Num();
	float InterpVal = DefaultValue == MAX_flt ? InDefaultValue : DefaultValue;

	if (NumKeys == 0)
	{
		// No keys: the default.
	}
	else if (NumKeys < 2 || InTime <= Keys[0].Time)
	{
		if (PreInfinityExtrap == RCCE_Linear && NumKeys > 1)
		{
			const float DT = Keys[1].Time - Keys[0].Time;
			if (FMath::IsNearlyZero(DT))
			{
				InterpVal = Keys[0].Value;
			}
			else
			{
				const float Slope = (Keys[1].Value - Keys[0].Value) / DT;
				InterpVal = Slope * (InTime - Keys[0].Time) + Keys[0].Value;
			}
		}
		else
		{
			// Constant, or a cycling mode that already mapped the time onto the first key.
			InterpVal = Keys[0].Value;
		}
	}
	else if (InTime < Keys[NumKeys - 1].Time)
	{
		// The first key later than InTime closes the segment.
		int32 First = 1;
		int32 Count = NumKeys - 1 - First;
		while (Count > 0)
		{
			const int32 Step = Count / 2;
			const int32 Middle = First + Step;
			if (InTime >= Keys[Middle].Time)
			{
				First = Middle + 1;
				Count -= Step + 1;
			}
			else
			{
				Count = Step;
			}
		}
		InterpVal = EvalForTwoKeys(Keys[First - 1], Keys[First], InTime);
	}
	else
	{
		if (PostInfinityExtrap == RCCE_Linear)
		{
			const float DT = Keys[NumKeys - 2].Time - Keys[NumKeys - 1].Time;
			if (FMath::IsNearlyZero(DT))
			{
				InterpVal = Keys[NumKeys - 1].Value;
			}
			else
			{
				const float Slope = (Keys[NumKeys - 2].Value - Keys[NumKeys - 1].Value) / DT;
				InterpVal = Slope * (InTime - Keys[NumKeys - 1].Time) + Keys[NumKeys - 1].Value;
			}
		}
		else
		{
			InterpVal = Keys[NumKeys - 1].Value;
		}
	}

	return InterpVal + CycleValueOffset;
}

bool FRichCurve::operator==(const FRichCurve& Curve) const
{
	if (Keys.Num() != Curve.Keys.Num() || PreInfinityExtrap != Curve.PreInfinityExtrap || PostInfinityExtrap != Curve.PostInfinityExtrap
		|| DefaultValue != Curve.DefaultValue)
	{
		return false;
	}
	for (int32 Index = 0; Index < Keys.Num(); ++Index)
	{
		if (Keys[Index] != Curve.Keys[Index])
		{
			return false;
		}
	}
	return true;
}
