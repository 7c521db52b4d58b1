// TVector4: 4D vector (FVector4 = double, FVector4f = float).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Math/Vector2D.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TVector4
	{
		static_assert(std::is_floating_point_v<T>, "T must be floating point");
		using FReal = T;

		T X;
		T Y;
		T Z;
		T W;

		// Unlike the 2D/3D vectors, the default is (0,0,0,1), as in the engine.
		constexpr TVector4(T InX = 0, T InY = 0, T InZ = 0, T InW = 1) : X(InX), Y(InY), Z(InZ), W(InW) {}
		explicit constexpr TVector4(const TVector<T>& InVector, T InW = 1) : X(InVector.X), Y(InVector.Y), Z(InVector.Z), W(InW) {}
		explicit constexpr TVector4(const TVector2<T>& InXY, const TVector2<T>& InZW) : X(InXY.X), Y(InXY.Y), Z(InZW.X), W(InZW.Y) {}
		explicit TVector4(const FLinearColor& InColor); // Color.h
		explicit constexpr TVector4(EForceInit) : X(0), Y(0), Z(0), W(0) {}
		explicit TVector4(ENoInit) {}
		template <typename FArg>
			requires(!std::is_same_v<T, FArg>)
		explicit constexpr TVector4(const TVector4<FArg>& From)
			: X(static_cast<T>(From.X)), Y(static_cast<T>(From.Y)), Z(static_cast<T>(From.Z)), W(static_cast<T>(From.W))
		{
		}

		T& operator[](int32 Index)
		{
			UE_CORE_CHECKF(Index >= 0 && Index < 4, "Vector4 index %d out of range", Index);
			return Index == 0 ? X : (Index == 1 ? Y : (Index == 2 ? Z : W));
		}
		T operator[](int32 Index) const
		{
			UE_CORE_CHECKF(Index >= 0 && Index < 4, "Vector4 index %d out of range", Index);
			return Index == 0 ? X : (Index == 1 ? Y : (Index == 2 ? Z : W));
		}
		T& Component(int32 Index) { return (*this)[Index]; }
		T Component(int32 Index) const { return (*this)[Index]; }

		constexpr TVector4 operator-() const { return TVector4(-X, -Y, -Z, -W); }
		constexpr TVector4 operator+(const TVector4& V) const { return TVector4(X + V.X, Y + V.Y, Z + V.Z, W + V.W); }
		constexpr TVector4 operator-(const TVector4& V) const { return TVector4(X - V.X, Y - V.Y, Z - V.Z, W - V.W); }
		constexpr TVector4 operator*(const TVector4& V) const { return TVector4(X * V.X, Y * V.Y, Z * V.Z, W * V.W); }
		constexpr TVector4 operator/(const TVector4& V) const { return TVector4(X / V.X, Y / V.Y, Z / V.Z, W / V.W); }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector4 operator*(FArg Scale) const
		{
			const T S = static_cast<T>(Scale);
			return TVector4(X * S, Y * S, Z * S, W * S);
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector4 operator/(FArg Scale) const
		{
			const T Recip = T(1) / static_cast<T>(Scale);
			return TVector4(X * Recip, Y * Recip, Z * Recip, W * Recip);
		}
		TVector4& operator+=(const TVector4& V) { X += V.X; Y += V.Y; Z += V.Z; W += V.W; return *this; }
		TVector4& operator-=(const TVector4& V) { X -= V.X; Y -= V.Y; Z -= V.Z; W -= V.W; return *this; }
		TVector4& operator*=(const TVector4& V) { X *= V.X; Y *= V.Y; Z *= V.Z; W *= V.W; return *this; }
		TVector4& operator/=(const TVector4& V) { X /= V.X; Y /= V.Y; Z /= V.Z; W /= V.W; return *this; }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TVector4& operator*=(FArg Scale)
		{
			*this = *this * Scale;
			return *this;
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TVector4& operator/=(FArg Scale)
		{
			*this = *this / Scale;
			return *this;
		}
		// Cross product of the XYZ parts; W = 0.
		constexpr TVector4 operator^(const TVector4& V) const { return TVector4(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X, 0); }
		constexpr bool operator==(const TVector4& V) const { return X == V.X && Y == V.Y && Z == V.Z && W == V.W; }

		bool Equals(const TVector4& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance && FMath::Abs(Z - V.Z) <= Tolerance &&
				FMath::Abs(W - V.W) <= Tolerance;
		}
		bool IsNearlyZero3(T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance && FMath::Abs(Z) <= Tolerance;
		}
		void Set(T InX, T InY, T InZ, T InW) { X = InX; Y = InY; Z = InZ; W = InW; }
		T Size3() const { return FMath::Sqrt(X * X + Y * Y + Z * Z); }
		T SizeSquared3() const { return X * X + Y * Y + Z * Z; }
		T Size() const { return FMath::Sqrt(X * X + Y * Y + Z * Z + W * W); }
		T SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
		TVector4 GetSafeNormal(T Tolerance = UE_SMALL_NUMBER) const
		{
			const T SquareSum = X * X + Y * Y + Z * Z;
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				return TVector4(X * Scale, Y * Scale, Z * Scale, 0);
			}
			return TVector4(0, 0, 0, 0);
		}
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z) || !FMath::IsFinite(W); }
		FString ToString() const { return FString::Printf(u"X=%3.3f Y=%3.3f Z=%3.3f W=%3.3f", X, Y, Z, W); }

		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		friend constexpr TVector4 operator*(FArg Scale, const TVector4& V)
		{
			return V.operator*(Scale);
		}
		friend constexpr T Dot3(const TVector4& V1, const TVector4& V2) { return V1.X * V2.X + V1.Y * V2.Y + V1.Z * V2.Z; }
		friend constexpr T Dot4(const TVector4& V1, const TVector4& V2) { return V1.X * V2.X + V1.Y * V2.Y + V1.Z * V2.Z + V1.W * V2.W; }
	};


	template <typename T>
	TVector<T>::TVector(const TVector4<T>& V) : X(V.X), Y(V.Y), Z(V.Z)
	{
	}
}

// Next in the chain of math headers (see the end of Vector.h).
#include "Math/Color.h"
