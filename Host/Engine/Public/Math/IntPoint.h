// TIntPoint: a 2D integer point (FIntPoint = int32).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Templates/TypeHash.h"

namespace UE::Math
{
	template <typename InIntType>
	struct TIntPoint
	{
		using IntType = InIntType;
		IntType X;
		IntType Y;

		static const TIntPoint ZeroValue;
		static const TIntPoint NoneValue;

		TIntPoint() = default;
		constexpr TIntPoint(IntType InX, IntType InY) : X(InX), Y(InY) {}
		explicit constexpr TIntPoint(IntType InXY) : X(InXY), Y(InXY) {}
		explicit constexpr TIntPoint(EForceInit) : X(0), Y(0) {}
		template <typename OtherIntType>
		explicit constexpr TIntPoint(TIntPoint<OtherIntType> Other) : X(static_cast<IntType>(Other.X)), Y(static_cast<IntType>(Other.Y))
		{
		}

		IntType& operator[](int32 Index) { return Index == 0 ? X : Y; }
		IntType operator[](int32 Index) const { return Index == 0 ? X : Y; }
		constexpr bool operator==(const TIntPoint& Other) const { return X == Other.X && Y == Other.Y; }

		TIntPoint& operator*=(IntType Scale) { X *= Scale; Y *= Scale; return *this; }
		TIntPoint& operator/=(IntType Divisor) { X /= Divisor; Y /= Divisor; return *this; }
		TIntPoint& operator+=(const TIntPoint& Other) { X += Other.X; Y += Other.Y; return *this; }
		TIntPoint& operator-=(const TIntPoint& Other) { X -= Other.X; Y -= Other.Y; return *this; }
		TIntPoint& operator*=(const TIntPoint& Other) { X *= Other.X; Y *= Other.Y; return *this; }
		TIntPoint& operator/=(const TIntPoint& Other) { X /= Other.X; Y /= Other.Y; return *this; }
		constexpr TIntPoint operator*(IntType Scale) const { return TIntPoint(X * Scale, Y * Scale); }
		constexpr TIntPoint operator/(IntType Divisor) const { return TIntPoint(X / Divisor, Y / Divisor); }
		constexpr TIntPoint operator+(const TIntPoint& Other) const { return TIntPoint(X + Other.X, Y + Other.Y); }
		constexpr TIntPoint operator-(const TIntPoint& Other) const { return TIntPoint(X - Other.X, Y - Other.Y); }
		constexpr TIntPoint operator*(const TIntPoint& Other) const { return TIntPoint(X * Other.X, Y * Other.Y); }
		constexpr TIntPoint operator/(const TIntPoint& Other) const { return TIntPoint(X / Other.X, Y / Other.Y); }
		constexpr TIntPoint operator-() const { return TIntPoint(-X, -Y); }

		TIntPoint ComponentMin(const TIntPoint& Other) const { return TIntPoint(FMath::Min(X, Other.X), FMath::Min(Y, Other.Y)); }
		TIntPoint ComponentMax(const TIntPoint& Other) const { return TIntPoint(FMath::Max(X, Other.X), FMath::Max(Y, Other.Y)); }
		IntType GetMax() const { return FMath::Max(X, Y); }
		IntType GetMin() const { return FMath::Min(X, Y); }
		IntType Size() const { return static_cast<IntType>(FMath::Sqrt(static_cast<double>(X * X + Y * Y))); }
		IntType SizeSquared() const { return X * X + Y * Y; }
		static TIntPoint DivideAndRoundUp(TIntPoint Lhs, IntType Divisor)
		{
			return TIntPoint(FMath::DivideAndRoundUp(Lhs.X, Divisor), FMath::DivideAndRoundUp(Lhs.Y, Divisor));
		}
		static TIntPoint DivideAndRoundDown(TIntPoint Lhs, IntType Divisor) { return TIntPoint(Lhs.X / Divisor, Lhs.Y / Divisor); }

		FString ToString() const { return FString::Printf(u"X=%lld Y=%lld", static_cast<long long>(X), static_cast<long long>(Y)); }

		friend uint32 GetTypeHash(const TIntPoint& P) { return HashCombine(GetTypeHash(P.X), GetTypeHash(P.Y)); }
	};

	template <typename IntType>
	const TIntPoint<IntType> TIntPoint<IntType>::ZeroValue(0, 0);
	template <typename IntType>
	const TIntPoint<IntType> TIntPoint<IntType>::NoneValue(static_cast<IntType>(INDEX_NONE), static_cast<IntType>(INDEX_NONE));
}
