// TRotator: orientation as Pitch (about Y), Yaw (about Z), Roll (about X), in degrees.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Templates/TypeHash.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TRotator
	{
		static_assert(std::is_floating_point_v<T>, "T must be floating point");
		using FReal = T;

		T Pitch;
		T Yaw;
		T Roll;

		static const TRotator ZeroRotator;

		// Leaves the components uninitialised, as the engine does.
		TRotator() = default;
		explicit constexpr TRotator(T InF) : Pitch(InF), Yaw(InF), Roll(InF) {}
		constexpr TRotator(T InPitch, T InYaw, T InRoll) : Pitch(InPitch), Yaw(InYaw), Roll(InRoll) {}
		explicit constexpr TRotator(EForceInit) : Pitch(0), Yaw(0), Roll(0) {}
		explicit TRotator(const TQuat<T>& Quat); // Quat.h
		template <typename FArg>
			requires(!std::is_same_v<T, FArg>)
		explicit constexpr TRotator(const TRotator<FArg>& From)
			: Pitch(static_cast<T>(From.Pitch)), Yaw(static_cast<T>(From.Yaw)), Roll(static_cast<T>(From.Roll))
		{
		}

		constexpr TRotator operator+(const TRotator& R) const { return TRotator(Pitch + R.Pitch, Yaw + R.Yaw, Roll + R.Roll); }
		constexpr TRotator operator-(const TRotator& R) const { return TRotator(Pitch - R.Pitch, Yaw - R.Yaw, Roll - R.Roll); }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TRotator operator*(FArg Scale) const
		{
			return TRotator(Pitch * static_cast<T>(Scale), Yaw * static_cast<T>(Scale), Roll * static_cast<T>(Scale));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TRotator& operator*=(FArg Scale)
		{
			Pitch *= static_cast<T>(Scale);
			Yaw *= static_cast<T>(Scale);
			Roll *= static_cast<T>(Scale);
			return *this;
		}
		TRotator& operator+=(const TRotator& R) { Pitch += R.Pitch; Yaw += R.Yaw; Roll += R.Roll; return *this; }
		TRotator& operator-=(const TRotator& R) { Pitch -= R.Pitch; Yaw -= R.Yaw; Roll -= R.Roll; return *this; }
		// Exact comparison (no winding); see Equals.
		constexpr bool operator==(const TRotator& R) const { return Pitch == R.Pitch && Yaw == R.Yaw && Roll == R.Roll; }

		// Zero after normalising each axis to (-180,180].
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(NormalizeAxis(Pitch)) <= Tolerance && FMath::Abs(NormalizeAxis(Yaw)) <= Tolerance &&
				FMath::Abs(NormalizeAxis(Roll)) <= Tolerance;
		}
		bool IsZero() const { return ClampAxis(Pitch) == 0 && ClampAxis(Yaw) == 0 && ClampAxis(Roll) == 0; }
		// Same orientation per axis within Tolerance, modulo 360.
		bool Equals(const TRotator& R, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(NormalizeAxis(Pitch - R.Pitch)) <= Tolerance && FMath::Abs(NormalizeAxis(Yaw - R.Yaw)) <= Tolerance &&
				FMath::Abs(NormalizeAxis(Roll - R.Roll)) <= Tolerance;
		}
		TRotator& Add(T DeltaPitch, T DeltaYaw, T DeltaRoll)
		{
			Yaw += DeltaYaw;
			Pitch += DeltaPitch;
			Roll += DeltaRoll;
			return *this;
		}
		TRotator GetInverse() const;
		TRotator GridSnap(const TRotator& RotGrid) const
		{
			return TRotator(FMath::GridSnap(Pitch, RotGrid.Pitch), FMath::GridSnap(Yaw, RotGrid.Yaw), FMath::GridSnap(Roll, RotGrid.Roll));
		}

		// Unit direction this rotation points along (Roll does not matter).
		TVector<T> Vector() const
		{
			const T PitchNoWinding = FMath::Fmod(Pitch, T(360.0));
			const T YawNoWinding = FMath::Fmod(Yaw, T(360.0));
			T CP, SP, CY, SY;
			FMath::SinCos(&SP, &CP, FMath::DegreesToRadians(PitchNoWinding));
			FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(YawNoWinding));
			return TVector<T>(CP * CY, CP * SY, SP);
		}
		TQuat<T> Quaternion() const; // Quat.h
		// (Roll, Pitch, Yaw) - note the order.
		TVector<T> Euler() const { return TVector<T>(Roll, Pitch, Yaw); }
		TVector<T> RotateVector(const TVector<T>& V) const;
		TVector<T> UnrotateVector(const TVector<T>& V) const;

		// Each axis to [0,360).
		TRotator Clamp() const { return TRotator(ClampAxis(Pitch), ClampAxis(Yaw), ClampAxis(Roll)); }
		// Each axis to (-180,180].
		TRotator GetNormalized() const
		{
			TRotator Rot = *this;
			Rot.Normalize();
			return Rot;
		}
		TRotator GetDenormalized() const
		{
			TRotator Rot = *this;
			Rot.Pitch = ClampAxis(Rot.Pitch);
			Rot.Yaw = ClampAxis(Rot.Yaw);
			Rot.Roll = ClampAxis(Rot.Roll);
			return Rot;
		}
		void Normalize()
		{
			Pitch = NormalizeAxis(Pitch);
			Yaw = NormalizeAxis(Yaw);
			Roll = NormalizeAxis(Roll);
		}
		T GetComponentForAxis(int32 AxisIndex) const { return AxisIndex == 1 ? Roll : (AxisIndex == 2 ? Pitch : (AxisIndex == 3 ? Yaw : T(0))); }
		T GetManhattanDistance(const TRotator& Rotator) const
		{
			return FMath::Abs(Yaw - Rotator.Yaw) + FMath::Abs(Pitch - Rotator.Pitch) + FMath::Abs(Roll - Rotator.Roll);
		}
		TRotator GetEquivalentRotator() const { return TRotator(T(180) - Pitch, Yaw + T(180), Roll + T(180)); }
		void SetClosestToMe(TRotator& MakeClosest) const
		{
			TRotator OtherChoice = MakeClosest.GetEquivalentRotator();
			const T FirstDiff = GetManhattanDistance(MakeClosest);
			const T SecondDiff = GetManhattanDistance(OtherChoice);
			if (SecondDiff < FirstDiff)
			{
				MakeClosest = OtherChoice;
			}
		}
		bool ContainsNaN() const { return !FMath::IsFinite(Pitch) || !FMath::IsFinite(Yaw) || !FMath::IsFinite(Roll); }

		FString ToString() const { return FString::Printf(u"P=%f Y=%f R=%f", Pitch, Yaw, Roll); }
		FString ToCompactString() const { return FString::Printf(u"P=%.2f Y=%.2f R=%.2f", Pitch, Yaw, Roll); }

		// [0,360)
		static T ClampAxis(T Angle)
		{
			Angle = FMath::Fmod(Angle, T(360.0));
			if (Angle < T(0.0))
			{
				Angle += T(360.0);
			}
			return Angle;
		}
		// (-180,180]
		static T NormalizeAxis(T Angle)
		{
			Angle = ClampAxis(Angle);
			if (Angle > T(180.0))
			{
				Angle -= T(360.0);
			}
			return Angle;
		}
		static uint8 CompressAxisToByte(T Angle) { return static_cast<uint8>(FMath::RoundToInt(Angle * T(256.0) / T(360.0)) & 0xFF); }
		static T DecompressAxisFromByte(uint8 Angle) { return static_cast<T>(Angle * T(360.0) / T(256.0)); }
		static uint16 CompressAxisToShort(T Angle) { return static_cast<uint16>(FMath::RoundToInt(Angle * T(65536.0) / T(360.0)) & 0xFFFF); }
		static T DecompressAxisFromShort(uint16 Angle) { return static_cast<T>(Angle * T(360.0) / T(65536.0)); }
		// From (Roll, Pitch, Yaw), the layout of Euler().
		static TRotator MakeFromEuler(const TVector<T>& Euler) { return TRotator(Euler.Y, Euler.Z, Euler.X); }

		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		friend constexpr TRotator operator*(FArg Scale, const TRotator& V)
		{
			return V.operator*(Scale);
		}
		friend uint32 GetTypeHash(const TRotator& R)
		{
			return HashCombine(HashCombine(GetTypeHash(R.Pitch), GetTypeHash(R.Yaw)), GetTypeHash(R.Roll));
		}
	};

	template <typename T>
	const TRotator<T> TRotator<T>::ZeroRotator(0, 0, 0);


	template <typename T>
	TRotator<T> TVector<T>::ToOrientationRotator() const
	{
		TRotator<T> R;
		R.Yaw = FMath::RadiansToDegrees(FMath::Atan2(Y, X));
		R.Pitch = FMath::RadiansToDegrees(FMath::Atan2(Z, FMath::Sqrt(X * X + Y * Y)));
		R.Roll = 0;
		return R;
	}

	template <typename T>
	TRotator<T> TVector<T>::Rotation() const
	{
		return ToOrientationRotator();
	}
}

// Rotators interpolate along the shortest path per axis.
template <typename T>
struct TCustomLerp<UE::Math::TRotator<T>>
{
	static constexpr bool Value = true;
	template <typename U>
	static UE::Math::TRotator<T> Lerp(const UE::Math::TRotator<T>& A, const UE::Math::TRotator<T>& B, const U& Alpha)
	{
		return A + (B - A).GetNormalized() * Alpha;
	}
};

inline FRotator FMath::RInterpTo(const FRotator& Current, const FRotator& Target, float DeltaTime, float InterpSpeed)
{
	if (DeltaTime == 0.f || Current == Target)
	{
		return Current;
	}
	if (InterpSpeed <= 0.f)
	{
		return Target;
	}
	const float DeltaInterpSpeed = InterpSpeed * DeltaTime;
	const FRotator Delta = (Target - Current).GetNormalized();
	if (Delta.IsNearlyZero())
	{
		return Target;
	}
	const FRotator DeltaMove = Delta * FMath::Clamp<float>(DeltaInterpSpeed, 0.f, 1.f);
	return (Current + DeltaMove).GetNormalized();
}

inline FRotator FMath::RInterpConstantTo(const FRotator& Current, const FRotator& Target, float DeltaTime, float InterpSpeed)
{
	if (DeltaTime == 0.f || Current == Target)
	{
		return Current;
	}
	if (InterpSpeed <= 0.f)
	{
		return Target;
	}
	const double DeltaInterpSpeed = InterpSpeed * DeltaTime;
	const FRotator DeltaMove = (Target - Current).GetNormalized();
	FRotator Result = Current;
	Result.Pitch += FMath::Clamp(DeltaMove.Pitch, -DeltaInterpSpeed, DeltaInterpSpeed);
	Result.Yaw += FMath::Clamp(DeltaMove.Yaw, -DeltaInterpSpeed, DeltaInterpSpeed);
	Result.Roll += FMath::Clamp(DeltaMove.Roll, -DeltaInterpSpeed, DeltaInterpSpeed);
	return Result.GetNormalized();
}

// Next in the chain of math headers (see the end of Vector.h).
#include "Math/Quat.h"
