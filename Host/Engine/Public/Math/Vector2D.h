// TVector2: 2D vector (FVector2D = double, FVector2f = float).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/IntPoint.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Templates/TypeHash.h"

#include <type_traits>

namespace UE::Math
{
	template <typename T>
	struct TVector2
	{
		static_assert(std::is_floating_point_v<T>, "T must be floating point");
		using FReal = T;

		T X;
		T Y;

		static const TVector2 ZeroVector;
		static const TVector2 UnitVector;
		static const TVector2 Unit45Deg;

		// Leaves the components uninitialised, as the engine does.
		TVector2() = default;
		constexpr TVector2(T InX, T InY) : X(InX), Y(InY) {}
		explicit constexpr TVector2(T InF) : X(InF), Y(InF) {}
		explicit constexpr TVector2(EForceInit) : X(0), Y(0) {}
		explicit constexpr TVector2(ENoInit) {}
		template <typename IntType>
		explicit constexpr TVector2(TIntPoint<IntType> InPos) : X(static_cast<T>(InPos.X)), Y(static_cast<T>(InPos.Y))
		{
		}
		template <typename FArg>
			requires(!std::is_same_v<T, FArg>)
		explicit constexpr TVector2(const TVector2<FArg>& From) : X(static_cast<T>(From.X)), Y(static_cast<T>(From.Y))
		{
		}
		explicit TVector2(const TVector<T>& V); // Vector.h

		constexpr TVector2 operator+(const TVector2& V) const { return TVector2(X + V.X, Y + V.Y); }
		constexpr TVector2 operator-(const TVector2& V) const { return TVector2(X - V.X, Y - V.Y); }
		constexpr TVector2 operator*(const TVector2& V) const { return TVector2(X * V.X, Y * V.Y); }
		constexpr TVector2 operator/(const TVector2& V) const { return TVector2(X / V.X, Y / V.Y); }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector2 operator*(FArg Scale) const
		{
			return TVector2(X * static_cast<T>(Scale), Y * static_cast<T>(Scale));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector2 operator/(FArg Scale) const
		{
			const T RScale = T(1) / static_cast<T>(Scale);
			return TVector2(X * RScale, Y * RScale);
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector2 operator+(FArg A) const
		{
			return TVector2(X + static_cast<T>(A), Y + static_cast<T>(A));
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		constexpr TVector2 operator-(FArg A) const
		{
			return TVector2(X - static_cast<T>(A), Y - static_cast<T>(A));
		}
		constexpr TVector2 operator-() const { return TVector2(-X, -Y); }
		constexpr T operator|(const TVector2& V) const { return X * V.X + Y * V.Y; }
		constexpr T operator^(const TVector2& V) const { return X * V.Y - Y * V.X; }

		TVector2& operator+=(const TVector2& V) { X += V.X; Y += V.Y; return *this; }
		TVector2& operator-=(const TVector2& V) { X -= V.X; Y -= V.Y; return *this; }
		TVector2& operator*=(const TVector2& V) { X *= V.X; Y *= V.Y; return *this; }
		TVector2& operator/=(const TVector2& V) { X /= V.X; Y /= V.Y; return *this; }
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TVector2& operator*=(FArg Scale)
		{
			X *= static_cast<T>(Scale);
			Y *= static_cast<T>(Scale);
			return *this;
		}
		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		TVector2& operator/=(FArg V)
		{
			const T RV = T(1) / static_cast<T>(V);
			X *= RV;
			Y *= RV;
			return *this;
		}

		constexpr bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		bool operator<(const TVector2& Other) const { return X < Other.X && Y < Other.Y; }
		bool operator>(const TVector2& Other) const { return X > Other.X && Y > Other.Y; }
		bool operator<=(const TVector2& Other) const { return X <= Other.X && Y <= Other.Y; }
		bool operator>=(const TVector2& Other) const { return X >= Other.X && Y >= Other.Y; }

		T& operator[](int32 Index)
		{
			UE_CORE_CHECKF(Index >= 0 && Index < 2, "Vector2 index %d out of range", Index);
			return Index == 0 ? X : Y;
		}
		T operator[](int32 Index) const
		{
			UE_CORE_CHECKF(Index >= 0 && Index < 2, "Vector2 index %d out of range", Index);
			return Index == 0 ? X : Y;
		}
		T& Component(int32 Index) { return (*this)[Index]; }
		T Component(int32 Index) const { return (*this)[Index]; }

		static constexpr T DotProduct(const TVector2& A, const TVector2& B) { return A | B; }
		static constexpr T CrossProduct(const TVector2& A, const TVector2& B) { return A ^ B; }
		T Dot(const TVector2& V) const { return *this | V; }
		T Cross(const TVector2& V) const { return *this ^ V; }
		static T DistSquared(const TVector2& A, const TVector2& B) { return FMath::Square(B.X - A.X) + FMath::Square(B.Y - A.Y); }
		static T Distance(const TVector2& A, const TVector2& B) { return FMath::Sqrt(DistSquared(A, B)); }
		static TVector2 Max(const TVector2& A, const TVector2& B) { return TVector2(FMath::Max(A.X, B.X), FMath::Max(A.Y, B.Y)); }
		static TVector2 Min(const TVector2& A, const TVector2& B) { return TVector2(FMath::Min(A.X, B.X), FMath::Min(A.Y, B.Y)); }
		static TVector2 Clamp(const TVector2& V, const TVector2& MinValue, const TVector2& MaxValue)
		{
			return TVector2(FMath::Clamp(V.X, MinValue.X, MaxValue.X), FMath::Clamp(V.Y, MinValue.Y, MaxValue.Y));
		}

		bool Equals(const TVector2& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance;
		}
		void Set(T InX, T InY) { X = InX; Y = InY; }
		T GetMax() const { return FMath::Max(X, Y); }
		T GetAbsMax() const { return FMath::Max(FMath::Abs(X), FMath::Abs(Y)); }
		T GetMin() const { return FMath::Min(X, Y); }
		T GetAbsMin() const { return FMath::Min(FMath::Abs(X), FMath::Abs(Y)); }
		T Size() const { return FMath::Sqrt(X * X + Y * Y); }
		T Length() const { return Size(); }
		T SizeSquared() const { return X * X + Y * Y; }
		T SquaredLength() const { return SizeSquared(); }

		TVector2 GetRotated(T AngleDeg) const
		{
			T S, C;
			FMath::SinCos(&S, &C, FMath::DegreesToRadians(AngleDeg));
			return TVector2(C * X - S * Y, S * X + C * Y);
		}
		TVector2 GetSafeNormal(T Tolerance = UE_SMALL_NUMBER) const
		{
			const T SquareSum = X * X + Y * Y;
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				return TVector2(X * Scale, Y * Scale);
			}
			return TVector2(T(0), T(0));
		}
		bool Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = X * X + Y * Y;
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				X *= Scale;
				Y *= Scale;
				return true;
			}
			X = 0;
			Y = 0;
			return false;
		}
		void ToDirectionAndLength(TVector2& OutDir, T& OutLength) const
		{
			OutLength = Size();
			if (OutLength > UE_SMALL_NUMBER)
			{
				const T OneOverLength = T(1) / OutLength;
				OutDir = TVector2(X * OneOverLength, Y * OneOverLength);
			}
			else
			{
				OutDir = ZeroVector;
			}
		}
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance; }
		bool IsZero() const { return X == 0.f && Y == 0.f; }
		FIntPoint IntPoint() const { return FIntPoint(static_cast<int32>(FMath::RoundToInt(X)), static_cast<int32>(FMath::RoundToInt(Y))); }
		TVector2 RoundToVector() const { return TVector2(FMath::RoundToFloat(X), FMath::RoundToFloat(Y)); }
		TVector2 ClampAxes(T MinAxisVal, T MaxAxisVal) const
		{
			return TVector2(FMath::Clamp(X, MinAxisVal, MaxAxisVal), FMath::Clamp(Y, MinAxisVal, MaxAxisVal));
		}
		TVector2 GetSignVector() const { return TVector2(X >= 0 ? T(1) : T(-1), Y >= 0 ? T(1) : T(-1)); }
		TVector2 GetAbs() const { return TVector2(FMath::Abs(X), FMath::Abs(Y)); }
		TVector2 ComponentMin(const TVector2& Other) const { return Min(*this, Other); }
		TVector2 ComponentMax(const TVector2& Other) const { return Max(*this, Other); }
		bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y); }
		TVector<T> SphericalToUnitCartesian() const;

		FString ToString() const { return FString::Printf(u"X=%3.3f Y=%3.3f", X, Y); }

		template <typename FArg>
			requires std::is_arithmetic_v<FArg>
		friend constexpr TVector2 operator*(FArg Scale, const TVector2& V)
		{
			return V.operator*(Scale);
		}
		friend uint32 GetTypeHash(const TVector2& V) { return HashCombine(GetTypeHash(V.X), GetTypeHash(V.Y)); }
	};

	template <typename T>
	const TVector2<T> TVector2<T>::ZeroVector(0, 0);
	template <typename T>
	const TVector2<T> TVector2<T>::UnitVector(1, 1);
	template <typename T>
	const TVector2<T> TVector2<T>::Unit45Deg(T(UE_DOUBLE_INV_SQRT_2), T(UE_DOUBLE_INV_SQRT_2));

}

inline FVector2D FMath::Vector2DInterpTo(const FVector2D& Current, const FVector2D& Target, float DeltaTime, float InterpSpeed)
{
	if (InterpSpeed <= 0.f)
	{
		return Target;
	}
	const FVector2D Dist = Target - Current;
	if (Dist.SizeSquared() < UE_KINDA_SMALL_NUMBER)
	{
		return Target;
	}
	const FVector2D DeltaMove = Dist * FMath::Clamp<float>(DeltaTime * InterpSpeed, 0.f, 1.f);
	return Current + DeltaMove;
}

// Next in the chain of math headers (see the end of Vector.h).
#include "Math/Vector.h"
