// TQuat: rotation quaternion (X, Y, Z, W).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/MathFwd.h"
#include "Math/Rotator.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TQuat
	{
		static_assert(std::is_floating_point_v<T>, "T must be floating point");
		using FReal = T;

		T X;
		T Y;
		T Z;
		T W;

		static const TQuat Identity;

		// Leaves the components uninitialised, as the engine does.
		TQuat() = default;
		// ForceInit gives the identity, ForceInitToZero all zeros.
		explicit constexpr TQuat(EForceInit ZeroOrNot) : X(0), Y(0), Z(0), W(ZeroOrNot == ForceInitToZero ? T(0) : T(1)) {}
		constexpr TQuat(T InX, T InY, T InZ, T InW) : X(InX), Y(InY), Z(InZ), W(InW) {}
		explicit TQuat(const TRotator<T>& R) { *this = R.Quaternion(); }
		// Rotation of AngleRad radians about the unit vector Axis.
		TQuat(TVector<T> Axis, T AngleRad)
		{
			const T HalfA = T(0.5) * AngleRad;
			T S, C;
			FMath::SinCos(&S, &C, HalfA);
			X = S * Axis.X;
			Y = S * Axis.Y;
			Z = S * Axis.Z;
			W = C;
		}
		template <typename FArg>
			requires(!std::is_same_v<T, FArg>)
		explicit constexpr TQuat(const TQuat<FArg>& From)
			: X(static_cast<T>(From.X)), Y(static_cast<T>(From.Y)), Z(static_cast<T>(From.Z)), W(static_cast<T>(From.W))
		{
		}

		constexpr TQuat operator+(const TQuat& Q) const { return TQuat(X + Q.X, Y + Q.Y, Z + Q.Z, W + Q.W); }
		constexpr TQuat operator-(const TQuat& Q) const { return TQuat(X - Q.X, Y - Q.Y, Z - Q.Z, W - Q.W); }
		constexpr TQuat operator-() const { return TQuat(-X, -Y, -Z, -W); }
		TQuat& operator+=(const TQuat& Q) { X += Q.X; Y += Q.Y; Z += Q.Z; W += Q.W; return *this; }
		TQuat& operator-=(const TQuat& Q) { X -= Q.X; Y -= Q.Y; Z -= Q.Z; W -= Q.W; return *this; }
		// A * B applies B first, then A.
		constexpr TQuat operator*(const TQuat& Q) const
		{
			return TQuat(W * Q.X + X * Q.W + Y * Q.Z - Z * Q.Y, W * Q.Y - X * Q.Z + Y * Q.W + Z * Q.X,
				W * Q.Z + X * Q.Y - Y * Q.X + Z * Q.W, W * Q.W - X * Q.X - Y * Q.Y - Z * Q.Z);
		}
		TQuat& operator*=(const TQuat& Q)
		{
			*this = *this * Q;
			return *this;
		}
		TVector<T> operator*(const TVector<T>& V) const { return RotateVector(V); }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TQuat operator*(FArg Scale) const
		{
			return TQuat(X * static_cast<T>(Scale), Y * static_cast<T>(Scale), Z * static_cast<T>(Scale), W * static_cast<T>(Scale));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TQuat operator/(FArg Scale) const
		{
			const T Recip = T(1) / static_cast<T>(Scale);
			return TQuat(X * Recip, Y * Recip, Z * Recip, W * Recip);
		}
		constexpr T operator|(const TQuat& Q) const { return X * Q.X + Y * Q.Y + Z * Q.Z + W * Q.W; }
		// Exact comparison; see Equals.
		constexpr bool operator==(const TQuat& Q) const { return X == Q.X && Y == Q.Y && Z == Q.Z && W == Q.W; }

		// Same rotation within Tolerance (Q and -Q are the same rotation).
		bool Equals(const TQuat& Q, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return (FMath::Abs(X - Q.X) <= Tolerance && FMath::Abs(Y - Q.Y) <= Tolerance && FMath::Abs(Z - Q.Z) <= Tolerance &&
					   FMath::Abs(W - Q.W) <= Tolerance) ||
				(FMath::Abs(X + Q.X) <= Tolerance && FMath::Abs(Y + Q.Y) <= Tolerance && FMath::Abs(Z + Q.Z) <= Tolerance &&
					FMath::Abs(W + Q.W) <= Tolerance);
		}
		bool IsIdentity(T Tolerance = UE_SMALL_NUMBER) const { return Equals(Identity, Tolerance); }

		void Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = X * X + Y * Y + Z * Z + W * W;
			if (SquareSum >= Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				X *= Scale;
				Y *= Scale;
				Z *= Scale;
				W *= Scale;
			}
			else
			{
				*this = Identity;
			}
		}
		TQuat GetNormalized(T Tolerance = UE_SMALL_NUMBER) const
		{
			TQuat Result(*this);
			Result.Normalize(Tolerance);
			return Result;
		}
		bool IsNormalized() const { return FMath::Abs(T(1) - SizeSquared()) < UE_THRESH_QUAT_NORMALIZED; }
		T Size() const { return FMath::Sqrt(X * X + Y * Y + Z * Z + W * W); }
		T SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
		T GetAngle() const { return T(2) * FMath::Acos(W); }
		TVector<T> GetRotationAxis() const
		{
			const T SquareSum = X * X + Y * Y + Z * Z;
			if (SquareSum < UE_SMALL_NUMBER)
			{
				return TVector<T>::XAxisVector;
			}
			const T Scale = FMath::InvSqrt(SquareSum);
			return TVector<T>(X * Scale, Y * Scale, Z * Scale);
		}
		void ToAxisAndAngle(TVector<T>& Axis, T& Angle) const
		{
			Angle = GetAngle();
			Axis = GetRotationAxis();
		}
		T AngularDistance(const TQuat& Q) const
		{
			const T InnerProd = X * Q.X + Y * Q.Y + Z * Q.Z + W * Q.W;
			return FMath::Acos((T(2) * InnerProd * InnerProd) - T(1));
		}

		// Assumes a unit quaternion.
		TQuat Inverse() const { return TQuat(-X, -Y, -Z, W); }
		TVector<T> RotateVector(TVector<T> V) const
		{
			// V' = V + 2w(Q x V) + (2Q x (Q x V))
			const TVector<T> Q(X, Y, Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + (TT * W) + TVector<T>::CrossProduct(Q, TT);
		}
		TVector<T> UnrotateVector(TVector<T> V) const
		{
			const TVector<T> Q(-X, -Y, -Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + (TT * W) + TVector<T>::CrossProduct(Q, TT);
		}
		TVector<T> GetAxisX() const { return RotateVector(TVector<T>(1, 0, 0)); }
		TVector<T> GetAxisY() const { return RotateVector(TVector<T>(0, 1, 0)); }
		TVector<T> GetAxisZ() const { return RotateVector(TVector<T>(0, 0, 1)); }
		TVector<T> GetForwardVector() const { return GetAxisX(); }
		TVector<T> GetRightVector() const { return GetAxisY(); }
		TVector<T> GetUpVector() const { return GetAxisZ(); }
		TVector<T> Vector() const { return GetAxisX(); }

		TRotator<T> Rotator() const
		{
			const T SingularityTest = Z * X - W * Y;
			const T YawY = T(2) * (W * Z + X * Y);
			const T YawX = (T(1) - T(2) * (FMath::Square(Y) + FMath::Square(Z)));
			const T SingularityThreshold = T(0.4999995f);
			const T RadToDeg = T(180.0) / T(UE_DOUBLE_PI);
			TRotator<T> RotatorFromQuat;
			if (SingularityTest < -SingularityThreshold)
			{
				RotatorFromQuat.Pitch = T(-90);
				RotatorFromQuat.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
				RotatorFromQuat.Roll = TRotator<T>::NormalizeAxis(-RotatorFromQuat.Yaw - (T(2) * FMath::Atan2(X, W) * RadToDeg));
			}
			else if (SingularityTest > SingularityThreshold)
			{
				RotatorFromQuat.Pitch = T(90);
				RotatorFromQuat.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
				RotatorFromQuat.Roll = TRotator<T>::NormalizeAxis(RotatorFromQuat.Yaw - (T(2) * FMath::Atan2(X, W) * RadToDeg));
			}
			else
			{
				RotatorFromQuat.Pitch = FMath::FastAsin(T(2) * SingularityTest) * RadToDeg;
				RotatorFromQuat.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
				RotatorFromQuat.Roll = FMath::Atan2(T(-2) * (W * X + Y * Z), (T(1) - T(2) * (FMath::Square(X) + FMath::Square(Y)))) * RadToDeg;
			}
			return RotatorFromQuat;
		}
		TVector<T> Euler() const { return Rotator().Euler(); }
		static TQuat MakeFromEuler(const TVector<T>& Euler) { return TRotator<T>::MakeFromEuler(Euler).Quaternion(); }
		static TQuat MakeFromRotator(const TRotator<T>& Rotator) { return Rotator.Quaternion(); }

		// Spherical interpolation along the shorter arc; result not normalised.
		static TQuat Slerp_NotNormalized(const TQuat& Quat1, const TQuat& Quat2, T Slerp)
		{
			const T RawCosom = Quat1.X * Quat2.X + Quat1.Y * Quat2.Y + Quat1.Z * Quat2.Z + Quat1.W * Quat2.W;
			const T Cosom = RawCosom >= T(0) ? RawCosom : -RawCosom;
			T Scale0, Scale1;
			if (Cosom < T(0.9999f))
			{
				const T Omega = FMath::Acos(Cosom);
				const T InvSin = T(1) / FMath::Sin(Omega);
				Scale0 = FMath::Sin((T(1) - Slerp) * Omega) * InvSin;
				Scale1 = FMath::Sin(Slerp * Omega) * InvSin;
			}
			else
			{
				Scale0 = T(1) - Slerp;
				Scale1 = Slerp;
			}
			Scale1 = RawCosom >= T(0) ? Scale1 : -Scale1;
			return TQuat(Scale0 * Quat1.X + Scale1 * Quat2.X, Scale0 * Quat1.Y + Scale1 * Quat2.Y, Scale0 * Quat1.Z + Scale1 * Quat2.Z,
				Scale0 * Quat1.W + Scale1 * Quat2.W);
		}
		static TQuat Slerp(const TQuat& Quat1, const TQuat& Quat2, T Slerp) { return Slerp_NotNormalized(Quat1, Quat2, Slerp).GetNormalized(); }
		// Linear blend along the shorter arc; not normalised.
		static TQuat FastLerp(const TQuat& A, const TQuat& B, const T Alpha)
		{
			const T DotResult = A | B;
			const T Bias = DotResult >= T(0) ? T(1) : T(-1);
			return (B * Alpha) + (A * (Bias * (T(1) - Alpha)));
		}

		// Rotation taking unit vector A onto unit vector B.
		static TQuat FindBetweenNormals(const TVector<T>& A, const TVector<T>& B) { return FindBetweenHelper(A, B, T(1)); }
		static TQuat FindBetweenVectors(const TVector<T>& A, const TVector<T>& B)
		{
			return FindBetweenHelper(A, B, FMath::Sqrt(A.SizeSquared() * B.SizeSquared()));
		}
		static TQuat FindBetween(const TVector<T>& A, const TVector<T>& B) { return FindBetweenVectors(A, B); }

		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z) || !FMath::IsFinite(W); }
		FString ToString() const { return FString::Printf(u"X=%.9f Y=%.9f Z=%.9f W=%.9f", X, Y, Z, W); }

	private:
		static TQuat FindBetweenHelper(const TVector<T>& A, const TVector<T>& B, T NormAB)
		{
			T WValue = NormAB + TVector<T>::DotProduct(A, B);
			TQuat Result;
			if (WValue >= T(1e-6f) * NormAB)
			{
				Result = TQuat(A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X, WValue);
			}
			else
			{
				// Opposite directions: rotate half a turn about any axis orthogonal to A.
				WValue = T(0);
				const T AX = FMath::Abs(A.X), AY = FMath::Abs(A.Y), AZ = FMath::Abs(A.Z);
				const TVector<T> Basis = (AX > AY && AX > AZ) ? TVector<T>::YAxisVector : -TVector<T>::XAxisVector;
				Result = TQuat(A.Y * Basis.Z - A.Z * Basis.Y, A.Z * Basis.X - A.X * Basis.Z, A.X * Basis.Y - A.Y * Basis.X, WValue);
			}
			Result.Normalize();
			return Result;
		}
	};

	template <typename T>
	const TQuat<T> TQuat<T>::Identity(0, 0, 0, 1);

	template <typename T>
	TQuat<T> TRotator<T>::Quaternion() const
	{
		const T DegToRad = T(UE_DOUBLE_PI) / T(180.0);
		const T RadsDividedBy2 = DegToRad / T(2);
		T SP, SY, SR;
		T CP, CY, CR;
		const T PitchNoWinding = FMath::Fmod(Pitch, T(360.0));
		const T YawNoWinding = FMath::Fmod(Yaw, T(360.0));
		const T RollNoWinding = FMath::Fmod(Roll, T(360.0));
		FMath::SinCos(&SP, &CP, PitchNoWinding * RadsDividedBy2);
		FMath::SinCos(&SY, &CY, YawNoWinding * RadsDividedBy2);
		FMath::SinCos(&SR, &CR, RollNoWinding * RadsDividedBy2);
		TQuat<T> RotationQuat;
		RotationQuat.X = CR * SP * SY - SR * CP * CY;
		RotationQuat.Y = -CR * SP * CY - SR * CP * SY;
		RotationQuat.Z = CR * CP * SY - SR * SP * CY;
		RotationQuat.W = CR * CP * CY + SR * SP * SY;
		return RotationQuat;
	}

	template <typename T>
	TRotator<T>::TRotator(const TQuat<T>& Quat)
	{
		*this = Quat.Rotator();
	}

	template <typename T>
	TRotator<T> TRotator<T>::GetInverse() const
	{
		return Quaternion().Inverse().Rotator();
	}

	template <typename T>
	TVector<T> TRotator<T>::RotateVector(const TVector<T>& V) const
	{
		return Quaternion().RotateVector(V);
	}

	template <typename T>
	TVector<T> TRotator<T>::UnrotateVector(const TVector<T>& V) const
	{
		return Quaternion().UnrotateVector(V);
	}

	template <typename T>
	TQuat<T> TVector<T>::ToOrientationQuat() const
	{
		const T YawRad = FMath::Atan2(Y, X);
		const T PitchRad = FMath::Atan2(Z, FMath::Sqrt(X * X + Y * Y));
		T SP, SY, CP, CY;
		FMath::SinCos(&SP, &CP, PitchRad * T(0.5));
		FMath::SinCos(&SY, &CY, YawRad * T(0.5));
		return TQuat<T>(SP * SY, -SP * CY, CP * SY, CP * CY);
	}
}

// Quaternions interpolate spherically.
template <typename T>
struct TCustomLerp<UE::Math::TQuat<T>>
{
	static constexpr bool Value = true;
	template <typename U>
	static UE::Math::TQuat<T> Lerp(const UE::Math::TQuat<T>& A, const UE::Math::TQuat<T>& B, const U& Alpha)
	{
		return UE::Math::TQuat<T>::Slerp(A, B, static_cast<T>(Alpha));
	}
};

// Next in the chain of math headers (see the end of Vector.h).
#include "Math/Vector4.h"
