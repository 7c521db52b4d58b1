// FMath: scalar math as the engine defines it (same formulas, tolerances and approximations).
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/NumericLimits.h"

#include <cmath>
#include <cstdlib>
#include <type_traits>

#undef PI
#define UE_PI (3.1415926535897932f)
#define UE_SMALL_NUMBER (1.e-8f)
#define UE_KINDA_SMALL_NUMBER (1.e-4f)
#define UE_BIG_NUMBER (3.4e+38f)
#define UE_EULERS_NUMBER (2.71828182845904523536f)
#define UE_GOLDEN_RATIO (1.6180339887498948482045868343656381f)
#define UE_FLOAT_NON_FRACTIONAL (8388608.f)

#define UE_DOUBLE_PI (3.141592653589793238462643383279502884197169399)
#define UE_DOUBLE_SMALL_NUMBER (1.e-8)
#define UE_DOUBLE_KINDA_SMALL_NUMBER (1.e-4)
#define UE_DOUBLE_BIG_NUMBER (3.4e+38)
#define UE_DOUBLE_EULERS_NUMBER (2.7182818284590452353602874713527)
#define UE_DOUBLE_GOLDEN_RATIO (1.6180339887498948482045868343656381)
#define UE_DOUBLE_NON_FRACTIONAL (4503599627370496.0)

#define UE_MAX_FLT 3.402823466e+38F
#define UE_INV_PI (0.31830988618f)
#define UE_HALF_PI (1.57079632679f)
#define UE_TWO_PI (6.28318530717f)
#define UE_PI_SQUARED (9.86960440108f)
#define UE_DOUBLE_INV_PI (0.31830988618379067154)
#define UE_DOUBLE_HALF_PI (1.57079632679489661923)
#define UE_DOUBLE_TWO_PI (6.28318530717958647692)
#define UE_DOUBLE_PI_SQUARED (9.86960440108935861883)

#define UE_SQRT_2 (1.4142135623730950488016887242097f)
#define UE_SQRT_3 (1.7320508075688772935274463415059f)
#define UE_INV_SQRT_2 (0.70710678118654752440084436210485f)
#define UE_HALF_SQRT_2 (0.70710678118654752440084436210485f)
#define UE_DOUBLE_SQRT_2 (1.4142135623730950488016887242097)
#define UE_DOUBLE_INV_SQRT_2 (0.70710678118654752440084436210485)

#define UE_DELTA (0.00001f)
#define UE_DOUBLE_DELTA (0.00001)
#define UE_FLOAT_NORMAL_THRESH (0.0001f)
#define UE_DOUBLE_NORMAL_THRESH (0.0001)

#define UE_THRESH_POINT_ON_PLANE (0.10f)
#define UE_THRESH_POINT_ON_SIDE (0.20f)
#define UE_THRESH_POINTS_ARE_SAME (0.00002f)
#define UE_THRESH_POINTS_ARE_NEAR (0.015f)
#define UE_THRESH_NORMALS_ARE_SAME (0.00002f)
#define UE_THRESH_UVS_ARE_SAME (0.0009765625f)
#define UE_THRESH_VECTORS_ARE_NEAR (0.0004f)
#define UE_THRESH_SPLIT_POLY_WITH_PLANE (0.25f)
#define UE_THRESH_SPLIT_POLY_PRECISELY (0.01f)
#define UE_THRESH_ZERO_NORM_SQUARED (0.0001f)
#define UE_THRESH_NORMALS_ARE_PARALLEL (0.999845f)
#define UE_THRESH_NORMALS_ARE_ORTHOGONAL (0.017455f)
#define UE_THRESH_VECTOR_NORMALIZED (0.01f)
#define UE_THRESH_QUAT_NORMALIZED (0.01f)

// Legacy names, still defined by the engine.
#define PI UE_PI
#define SMALL_NUMBER UE_SMALL_NUMBER
#define KINDA_SMALL_NUMBER UE_KINDA_SMALL_NUMBER
#define BIG_NUMBER UE_BIG_NUMBER
#define EULERS_NUMBER UE_EULERS_NUMBER
#define DOUBLE_PI UE_DOUBLE_PI
#define DOUBLE_SMALL_NUMBER UE_DOUBLE_SMALL_NUMBER
#define DOUBLE_KINDA_SMALL_NUMBER UE_DOUBLE_KINDA_SMALL_NUMBER
#define INV_PI UE_INV_PI
#define HALF_PI UE_HALF_PI
#define TWO_PI UE_TWO_PI
#define DELTA UE_DELTA
#define THRESH_VECTOR_NORMALIZED UE_THRESH_VECTOR_NORMALIZED
#define THRESH_QUAT_NORMALIZED UE_THRESH_QUAT_NORMALIZED
#define THRESH_POINTS_ARE_SAME UE_THRESH_POINTS_ARE_SAME

// Types whose FMath::Lerp is not A + Alpha*(B-A) (rotators take the shortest path, quaternions slerp).
template <typename T>
struct TCustomLerp
{
	static constexpr bool Value = false;
};

namespace UE::Core::Private
{
	// Arguments of different types where at least one is floating point resolve to their common
	// (wider) type, as the engine's "float ambiguity" overloads do.
	template <typename A, typename B>
	inline constexpr bool TIsMixedFloat_V = !std::is_same_v<A, B> && std::is_arithmetic_v<A> && std::is_arithmetic_v<B> &&
		(std::is_floating_point_v<A> || std::is_floating_point_v<B>);
}

struct FMath
{
	// Min / max / clamp -----------------------------------------------------------------------

	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Max(const T A, const T B) { return (B < A) ? A : B; }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Min(const T A, const T B) { return (A < B) ? A : B; }
	template <typename A, typename B>
		requires UE::Core::Private::TIsMixedFloat_V<A, B>
	[[nodiscard]] static constexpr FORCEINLINE auto Max(const A X, const B Y) -> decltype(X * Y)
	{
		using R = decltype(X * Y);
		return Max<R>(R(X), R(Y));
	}
	template <typename A, typename B>
		requires UE::Core::Private::TIsMixedFloat_V<A, B>
	[[nodiscard]] static constexpr FORCEINLINE auto Min(const A X, const B Y) -> decltype(X * Y)
	{
		using R = decltype(X * Y);
		return Min<R>(R(X), R(Y));
	}
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Max3(const T A, const T B, const T C) { return Max(Max(A, B), C); }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Min3(const T A, const T B, const T C) { return Min(Min(A, B), C); }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE int32 Max3Index(const T A, const T B, const T C)
	{
		return (A > B) ? ((A > C) ? 0 : 2) : ((B > C) ? 1 : 2);
	}
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE int32 Min3Index(const T A, const T B, const T C)
	{
		return (A < B) ? ((A < C) ? 0 : 2) : ((B < C) ? 1 : 2);
	}

	// NaN compares false both ways, so a NaN X yields MaxValue.
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Clamp(const T X, const T MinValue, const T MaxValue)
	{
		return (X < MinValue) ? MinValue : (X < MaxValue) ? X : MaxValue;
	}
	template <typename T1, typename T2, typename T3>
		requires(!(std::is_same_v<T1, T2> && std::is_same_v<T2, T3>) && std::is_arithmetic_v<T1> && std::is_arithmetic_v<T2> &&
			std::is_arithmetic_v<T3> && (std::is_floating_point_v<T1> || std::is_floating_point_v<T2> || std::is_floating_point_v<T3>))
	[[nodiscard]] static constexpr FORCEINLINE auto Clamp(const T1 X, const T2 MinValue, const T3 MaxValue) -> decltype(X * MinValue * MaxValue)
	{
		using R = decltype(X * MinValue * MaxValue);
		return Clamp<R>(R(X), R(MinValue), R(MaxValue));
	}
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Wrap(const T X, const T Min, const T Max)
	{
		const T Size = Max - Min;
		if (Size == 0)
		{
			return Max;
		}
		T EndVal = X;
		while (EndVal < Min)
		{
			EndVal += Size;
		}
		while (EndVal > Max)
		{
			EndVal -= Size;
		}
		return EndVal;
	}

	// Basic arithmetic ------------------------------------------------------------------------

	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Abs(const T A) { return (A < T(0)) ? -A : A; }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Sign(const T A) { return (A > T(0)) ? T(1) : ((A < T(0)) ? T(-1) : T(0)); }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Square(const T A) { return A * A; }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T Cube(const T A) { return A * A * A; }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE bool IsPowerOfTwo(T Value) { return (Value & (Value - 1)) == T(0); }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T DivideAndRoundUp(T Dividend, T Divisor) { return (Dividend + Divisor - 1) / Divisor; }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T DivideAndRoundDown(T Dividend, T Divisor) { return Dividend / Divisor; }

	// Float classification --------------------------------------------------------------------

	[[nodiscard]] static FORCEINLINE bool IsNaN(float A) { return std::isnan(A); }
	[[nodiscard]] static FORCEINLINE bool IsNaN(double A) { return std::isnan(A); }
	[[nodiscard]] static FORCEINLINE bool IsFinite(float A) { return std::isfinite(A); }
	[[nodiscard]] static FORCEINLINE bool IsFinite(double A) { return std::isfinite(A); }
	[[nodiscard]] static FORCEINLINE bool IsNegativeOrNegativeZero(float A) { return std::signbit(A); }
	[[nodiscard]] static FORCEINLINE bool IsNegativeOrNegativeZero(double A) { return std::signbit(A); }

	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyEqual(float A, float B, float ErrorTolerance = UE_SMALL_NUMBER)
	{
		return Abs<float>(A - B) <= ErrorTolerance;
	}
	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyEqual(double A, double B, double ErrorTolerance = UE_DOUBLE_SMALL_NUMBER)
	{
		return Abs<double>(A - B) <= ErrorTolerance;
	}
	template <typename T1, typename T2>
		requires UE::Core::Private::TIsMixedFloat_V<T1, T2>
	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyEqual(T1 A, T2 B)
	{
		using R = decltype(A * B);
		return IsNearlyEqual(R(A), R(B));
	}
	template <typename T1, typename T2, typename T3>
		requires(!(std::is_same_v<T1, T2> && std::is_same_v<T2, T3>) && std::is_arithmetic_v<T1> && std::is_arithmetic_v<T2> &&
			std::is_arithmetic_v<T3> && (std::is_floating_point_v<T1> || std::is_floating_point_v<T2> || std::is_floating_point_v<T3>))
	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyEqual(T1 A, T2 B, T3 ErrorTolerance)
	{
		using R = decltype(A * B * ErrorTolerance);
		return IsNearlyEqual(R(A), R(B), R(ErrorTolerance));
	}
	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyZero(float Value, float ErrorTolerance = UE_SMALL_NUMBER)
	{
		return Abs<float>(Value) <= ErrorTolerance;
	}
	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyZero(double Value, double ErrorTolerance = UE_DOUBLE_SMALL_NUMBER)
	{
		return Abs<double>(Value) <= ErrorTolerance;
	}
	template <typename T1, typename T2>
		requires UE::Core::Private::TIsMixedFloat_V<T1, T2>
	[[nodiscard]] static constexpr FORCEINLINE bool IsNearlyZero(T1 Value, T2 ErrorTolerance)
	{
		using R = decltype(Value * ErrorTolerance);
		return IsNearlyZero(R(Value), R(ErrorTolerance));
	}

	// Rounding ----------------------------------------------------------------------------------

	[[nodiscard]] static constexpr FORCEINLINE int32 TruncToInt32(float F) { return static_cast<int32>(F); }
	[[nodiscard]] static constexpr FORCEINLINE int32 TruncToInt32(double F) { return static_cast<int32>(F); }
	[[nodiscard]] static constexpr FORCEINLINE int64 TruncToInt64(double F) { return static_cast<int64>(F); }
	[[nodiscard]] static constexpr FORCEINLINE int32 TruncToInt(float F) { return TruncToInt32(F); }
	[[nodiscard]] static constexpr FORCEINLINE int64 TruncToInt(double F) { return TruncToInt64(F); }
	[[nodiscard]] static FORCEINLINE float TruncToFloat(float F) { return std::trunc(F); }
	[[nodiscard]] static FORCEINLINE double TruncToDouble(double F) { return std::trunc(F); }
	[[nodiscard]] static FORCEINLINE double TruncToFloat(double F) { return std::trunc(F); }

	[[nodiscard]] static FORCEINLINE int32 FloorToInt32(float F) { return static_cast<int32>(std::floor(F)); }
	[[nodiscard]] static FORCEINLINE int32 FloorToInt32(double F) { return static_cast<int32>(std::floor(F)); }
	[[nodiscard]] static FORCEINLINE int64 FloorToInt64(double F) { return static_cast<int64>(std::floor(F)); }
	[[nodiscard]] static FORCEINLINE int32 FloorToInt(float F) { return FloorToInt32(F); }
	[[nodiscard]] static FORCEINLINE int64 FloorToInt(double F) { return FloorToInt64(F); }
	[[nodiscard]] static FORCEINLINE float FloorToFloat(float F) { return std::floor(F); }
	[[nodiscard]] static FORCEINLINE double FloorToDouble(double F) { return std::floor(F); }
	[[nodiscard]] static FORCEINLINE double FloorToFloat(double F) { return std::floor(F); }

	[[nodiscard]] static FORCEINLINE int32 CeilToInt32(float F) { return static_cast<int32>(std::ceil(F)); }
	[[nodiscard]] static FORCEINLINE int32 CeilToInt32(double F) { return static_cast<int32>(std::ceil(F)); }
	[[nodiscard]] static FORCEINLINE int64 CeilToInt64(double F) { return static_cast<int64>(std::ceil(F)); }
	[[nodiscard]] static FORCEINLINE int32 CeilToInt(float F) { return CeilToInt32(F); }
	[[nodiscard]] static FORCEINLINE int64 CeilToInt(double F) { return CeilToInt64(F); }
	[[nodiscard]] static FORCEINLINE float CeilToFloat(float F) { return std::ceil(F); }
	[[nodiscard]] static FORCEINLINE double CeilToDouble(double F) { return std::ceil(F); }
	[[nodiscard]] static FORCEINLINE double CeilToFloat(double F) { return std::ceil(F); }

	// Halves round up (towards +infinity): RoundToInt(-2.5f) == -2.
	[[nodiscard]] static FORCEINLINE int32 RoundToInt32(float F) { return FloorToInt32(F + 0.5f); }
	[[nodiscard]] static FORCEINLINE int32 RoundToInt32(double F) { return FloorToInt32(F + 0.5); }
	[[nodiscard]] static FORCEINLINE int64 RoundToInt64(double F) { return FloorToInt64(F + 0.5); }
	[[nodiscard]] static FORCEINLINE int32 RoundToInt(float F) { return RoundToInt32(F); }
	[[nodiscard]] static FORCEINLINE int64 RoundToInt(double F) { return RoundToInt64(F); }
	[[nodiscard]] static FORCEINLINE float RoundToFloat(float F) { return FloorToFloat(F + 0.5f); }
	[[nodiscard]] static FORCEINLINE double RoundToDouble(double F) { return FloorToDouble(F + 0.5); }
	[[nodiscard]] static FORCEINLINE double RoundToFloat(double F) { return FloorToDouble(F + 0.5); }
	[[nodiscard]] static FORCEINLINE float RoundHalfToEven(float F) { return std::nearbyint(F); }
	[[nodiscard]] static FORCEINLINE double RoundHalfToEven(double F) { return std::nearbyint(F); }
	[[nodiscard]] static FORCEINLINE float RoundFromZero(float F) { return (F < 0.0f) ? FloorToFloat(F) : CeilToFloat(F); }
	[[nodiscard]] static FORCEINLINE double RoundFromZero(double F) { return (F < 0.0) ? FloorToDouble(F) : CeilToDouble(F); }
	[[nodiscard]] static FORCEINLINE float RoundToZero(float F) { return (F < 0.0f) ? CeilToFloat(F) : FloorToFloat(F); }
	[[nodiscard]] static FORCEINLINE double RoundToZero(double F) { return (F < 0.0) ? CeilToDouble(F) : FloorToDouble(F); }

	// Fractional part in [0,1): Frac(-1.25f) == 0.75f.
	[[nodiscard]] static FORCEINLINE float Frac(float Value) { return Value - FloorToFloat(Value); }
	[[nodiscard]] static FORCEINLINE double Frac(double Value) { return Value - FloorToDouble(Value); }
	// Signed fractional part: Fractional(-1.25f) == -0.25f.
	[[nodiscard]] static FORCEINLINE float Fractional(float Value) { return Value - TruncToFloat(Value); }
	[[nodiscard]] static FORCEINLINE double Fractional(double Value) { return Value - TruncToDouble(Value); }
	[[nodiscard]] static FORCEINLINE float Modf(const float InValue, float* OutIntPart) { return std::modf(InValue, OutIntPart); }
	[[nodiscard]] static FORCEINLINE double Modf(const double InValue, double* OutIntPart) { return std::modf(InValue, OutIntPart); }

	// Remainder with the sign of X. A divisor with |Y| <= 1e-8 returns 0 (the engine also
	// reports this; core math cannot reach the log, so the host does not).
	[[nodiscard]] static FORCEINLINE float Fmod(float X, float Y)
	{
		if (Abs(Y) <= UE_SMALL_NUMBER)
		{
			return 0.0f;
		}
		return std::fmod(X, Y);
	}
	[[nodiscard]] static FORCEINLINE double Fmod(double X, double Y)
	{
		if (Abs(Y) <= UE_DOUBLE_SMALL_NUMBER)
		{
			return 0.0;
		}
		return std::fmod(X, Y);
	}
	template <typename T1, typename T2>
		requires UE::Core::Private::TIsMixedFloat_V<T1, T2>
	[[nodiscard]] static FORCEINLINE auto Fmod(T1 X, T2 Y) -> decltype(X * Y)
	{
		using R = decltype(X * Y);
		return Fmod(R(X), R(Y));
	}

	// Transcendentals -----------------------------------------------------------------------------

	[[nodiscard]] static FORCEINLINE float Sin(float Value) { return std::sin(Value); }
	[[nodiscard]] static FORCEINLINE double Sin(double Value) { return std::sin(Value); }
	[[nodiscard]] static FORCEINLINE float Cos(float Value) { return std::cos(Value); }
	[[nodiscard]] static FORCEINLINE double Cos(double Value) { return std::cos(Value); }
	[[nodiscard]] static FORCEINLINE float Tan(float Value) { return std::tan(Value); }
	[[nodiscard]] static FORCEINLINE double Tan(double Value) { return std::tan(Value); }
	// Inputs outside [-1,1] are clamped.
	[[nodiscard]] static FORCEINLINE float Asin(float Value) { return std::asin((Value < -1.f) ? -1.f : ((Value < 1.f) ? Value : 1.f)); }
	[[nodiscard]] static FORCEINLINE double Asin(double Value) { return std::asin((Value < -1.0) ? -1.0 : ((Value < 1.0) ? Value : 1.0)); }
	[[nodiscard]] static FORCEINLINE float Acos(float Value) { return std::acos((Value < -1.f) ? -1.f : ((Value < 1.f) ? Value : 1.f)); }
	[[nodiscard]] static FORCEINLINE double Acos(double Value) { return std::acos((Value < -1.0) ? -1.0 : ((Value < 1.0) ? Value : 1.0)); }
	[[nodiscard]] static FORCEINLINE float Atan(float Value) { return std::atan(Value); }
	[[nodiscard]] static FORCEINLINE double Atan(double Value) { return std::atan(Value); }

	// The engine's float Atan2 is a minimax polynomial (relative error below 2e-6 against the C
	// library); the double overload is the C library's.
	[[nodiscard]] static FORCEINLINE float Atan2(float Y, float X)
	{
		const float AbsX = Abs(X);
		const float AbsY = Abs(Y);
		const bool bYAbsBigger = (AbsY > AbsX);
		float T0 = bYAbsBigger ? AbsY : AbsX;
		float T1 = bYAbsBigger ? AbsX : AbsY;
		if (T0 == 0.f)
		{
			return 0.f;
		}
		float T3 = T1 / T0;
		const float T4 = T3 * T3;
		constexpr float C[7] = {+7.2128853633444123e-03f, -3.5059680836411644e-02f, +8.1675882859940430e-02f,
			-1.3374657325451267e-01f, +1.9856563505717162e-01f, -3.3324998579202170e-01f, +1.0f};
		T0 = C[0];
		T0 = T0 * T4 + C[1];
		T0 = T0 * T4 + C[2];
		T0 = T0 * T4 + C[3];
		T0 = T0 * T4 + C[4];
		T0 = T0 * T4 + C[5];
		T0 = T0 * T4 + C[6];
		T3 = T0 * T3;
		T3 = bYAbsBigger ? (0.5f * UE_PI) - T3 : T3;
		T3 = (X < 0.0f) ? UE_PI - T3 : T3;
		T3 = (Y < 0.0f) ? -T3 : T3;
		return T3;
	}
	[[nodiscard]] static FORCEINLINE double Atan2(double Y, double X) { return std::atan2(Y, X); }
	template <typename T1, typename T2>
		requires UE::Core::Private::TIsMixedFloat_V<T1, T2>
	[[nodiscard]] static FORCEINLINE auto Atan2(T1 Y, T2 X) -> decltype(Y * X)
	{
		using R = decltype(Y * X);
		return Atan2(R(Y), R(X));
	}

	// Float: the engine's 11th/10th-degree minimax polynomials after range reduction (not
	// bit-identical to sinf/cosf). Double: exact sin/cos.
	static FORCEINLINE void SinCos(float* ScalarSin, float* ScalarCos, float Value)
	{
		float Quotient = (UE_INV_PI * 0.5f) * Value;
		if (Value >= 0.0f)
		{
			Quotient = static_cast<float>(static_cast<int>(Quotient + 0.5f));
		}
		else
		{
			Quotient = static_cast<float>(static_cast<int>(Quotient - 0.5f));
		}
		float Y = Value - (2.0f * UE_PI) * Quotient;

		float SignValue;
		if (Y > UE_HALF_PI)
		{
			Y = UE_PI - Y;
			SignValue = -1.0f;
		}
		else if (Y < -UE_HALF_PI)
		{
			Y = -UE_PI - Y;
			SignValue = -1.0f;
		}
		else
		{
			SignValue = +1.0f;
		}

		const float Y2 = Y * Y;
		*ScalarSin = (((((-2.3889859e-08f * Y2 + 2.7525562e-06f) * Y2 - 0.00019840874f) * Y2 + 0.0083333310f) * Y2 - 0.16666667f) * Y2 + 1.0f) * Y;
		const float P = ((((-2.6051615e-07f * Y2 + 2.4760495e-05f) * Y2 - 0.0013888378f) * Y2 + 0.041666638f) * Y2 - 0.5f) * Y2 + 1.0f;
		*ScalarCos = SignValue * P;
	}
	static FORCEINLINE void SinCos(double* ScalarSin, double* ScalarCos, double Value)
	{
		*ScalarSin = std::sin(Value);
		*ScalarCos = std::cos(Value);
	}
	template <typename T, typename U>
		requires(!std::is_same_v<T, U> && std::is_floating_point_v<T> && std::is_arithmetic_v<U>)
	static FORCEINLINE void SinCos(T* ScalarSin, T* ScalarCos, U Value)
	{
		SinCos(ScalarSin, ScalarCos, static_cast<T>(Value));
	}

	// Abramowitz-Stegun 4.4.46 polynomial for asin (absolute error below 3e-7 rad).
	[[nodiscard]] static FORCEINLINE float FastAsin(float Value)
	{
		constexpr float FastAsinHalfPi = 1.5707963050f;
		const bool bNonNegative = (Value >= 0.0f);
		const float X = Abs(Value);
		float OneMinusX = 1.0f - X;
		if (OneMinusX < 0.0f)
		{
			OneMinusX = 0.0f;
		}
		const float Root = std::sqrt(OneMinusX);
		float Result = ((((((-0.0012624911f * X + 0.0066700901f) * X - 0.0170881256f) * X + 0.0308918810f) * X - 0.0501743046f) * X +
						 0.0889789874f) * X - 0.2145988016f) * X + FastAsinHalfPi;
		Result *= Root;
		return bNonNegative ? FastAsinHalfPi - Result : Result - FastAsinHalfPi;
	}
	[[nodiscard]] static FORCEINLINE double FastAsin(double Value)
	{
		constexpr double FastAsinHalfPi = 1.5707963050;
		const bool bNonNegative = (Value >= 0.0);
		const double X = Abs(Value);
		double OneMinusX = 1.0 - X;
		if (OneMinusX < 0.0)
		{
			OneMinusX = 0.0;
		}
		const double Root = std::sqrt(OneMinusX);
		double Result = ((((((-0.0012624911 * X + 0.0066700901) * X - 0.0170881256) * X + 0.0308918810) * X - 0.0501743046) * X +
						  0.0889789874) * X - 0.2145988016) * X + FastAsinHalfPi;
		Result *= Root;
		return bNonNegative ? FastAsinHalfPi - Result : Result - FastAsinHalfPi;
	}

	[[nodiscard]] static FORCEINLINE float Sqrt(float Value) { return std::sqrt(Value); }
	[[nodiscard]] static FORCEINLINE double Sqrt(double Value) { return std::sqrt(Value); }
	[[nodiscard]] static FORCEINLINE float InvSqrt(float F) { return 1.0f / std::sqrt(F); }
	[[nodiscard]] static FORCEINLINE double InvSqrt(double F) { return 1.0 / std::sqrt(F); }
	[[nodiscard]] static FORCEINLINE float InvSqrtEst(float F) { return InvSqrt(F); }
	[[nodiscard]] static FORCEINLINE double InvSqrtEst(double F) { return InvSqrt(F); }
	[[nodiscard]] static FORCEINLINE float Pow(float A, float B) { return std::pow(A, B); }
	[[nodiscard]] static FORCEINLINE double Pow(double A, double B) { return std::pow(A, B); }
	template <typename T1, typename T2>
		requires UE::Core::Private::TIsMixedFloat_V<T1, T2>
	[[nodiscard]] static FORCEINLINE auto Pow(T1 A, T2 B) -> decltype(A * B)
	{
		using R = decltype(A * B);
		return Pow(R(A), R(B));
	}
	[[nodiscard]] static FORCEINLINE float Exp(float Value) { return std::exp(Value); }
	[[nodiscard]] static FORCEINLINE double Exp(double Value) { return std::exp(Value); }
	[[nodiscard]] static FORCEINLINE float Exp2(float Value) { return std::exp2(Value); }
	[[nodiscard]] static FORCEINLINE double Exp2(double Value) { return std::exp2(Value); }
	[[nodiscard]] static FORCEINLINE float Loge(float Value) { return std::log(Value); }
	[[nodiscard]] static FORCEINLINE double Loge(double Value) { return std::log(Value); }
	[[nodiscard]] static FORCEINLINE float LogX(float Base, float Value) { return Loge(Value) / Loge(Base); }
	[[nodiscard]] static FORCEINLINE double LogX(double Base, double Value) { return Loge(Value) / Loge(Base); }
	[[nodiscard]] static FORCEINLINE float Log2(float Value) { return Loge(Value) * 1.4426950f; }
	[[nodiscard]] static FORCEINLINE double Log2(double Value) { return Loge(Value) * 1.4426950408889634; }

	// Angles --------------------------------------------------------------------------------------

	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE auto RadiansToDegrees(T const& RadVal) -> decltype(RadVal * (180.f / UE_PI))
	{
		return RadVal * (180.f / UE_PI);
	}
	[[nodiscard]] static constexpr FORCEINLINE float RadiansToDegrees(float const& RadVal) { return RadVal * (180.f / UE_PI); }
	[[nodiscard]] static constexpr FORCEINLINE double RadiansToDegrees(double const& RadVal) { return RadVal * (180.0 / UE_DOUBLE_PI); }
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE auto DegreesToRadians(T const& DegVal) -> decltype(DegVal * (UE_PI / 180.f))
	{
		return DegVal * (UE_PI / 180.f);
	}
	[[nodiscard]] static constexpr FORCEINLINE float DegreesToRadians(float const& DegVal) { return DegVal * (UE_PI / 180.f); }
	[[nodiscard]] static constexpr FORCEINLINE double DegreesToRadians(double const& DegVal) { return DegVal * (UE_DOUBLE_PI / 180.0); }

	// To [-180,180].
	template <typename T>
	[[nodiscard]] static constexpr T UnwindDegrees(T A)
	{
		while (A > T(180))
		{
			A -= T(360);
		}
		while (A < T(-180))
		{
			A += T(360);
		}
		return A;
	}
	template <typename T>
	[[nodiscard]] static constexpr T UnwindRadians(T A)
	{
		while (A > T(UE_DOUBLE_PI))
		{
			A -= T(UE_DOUBLE_TWO_PI);
		}
		while (A < T(-UE_DOUBLE_PI))
		{
			A += T(UE_DOUBLE_TWO_PI);
		}
		return A;
	}
	template <typename T>
	[[nodiscard]] static T FindDeltaAngleDegrees(T A1, T A2)
	{
		T Delta = A2 - A1;
		if (Delta > T(180))
		{
			Delta = Delta - T(360);
		}
		else if (Delta < T(-180))
		{
			Delta = Delta + T(360);
		}
		return Delta;
	}
	template <typename T>
	[[nodiscard]] static T ClampAngle(T AngleDegrees, T MinAngleDegrees, T MaxAngleDegrees)
	{
		const T MaxDelta = ClampAxis(MaxAngleDegrees - MinAngleDegrees) * T(0.5);
		const T RangeCenter = ClampAxis(MinAngleDegrees + MaxDelta);
		const T DeltaFromCenter = NormalizeAxis(AngleDegrees - RangeCenter);
		if (DeltaFromCenter > MaxDelta)
		{
			return NormalizeAxis(RangeCenter + MaxDelta);
		}
		if (DeltaFromCenter < -MaxDelta)
		{
			return NormalizeAxis(RangeCenter - MaxDelta);
		}
		return NormalizeAxis(AngleDegrees);
	}
	template <typename T>
	[[nodiscard]] static T ClampAxis(T Angle)
	{
		Angle = Fmod(Angle, T(360));
		if (Angle < T(0))
		{
			Angle += T(360);
		}
		return Angle;
	}
	template <typename T>
	[[nodiscard]] static T NormalizeAxis(T Angle)
	{
		Angle = ClampAxis(Angle);
		if (Angle > T(180))
		{
			Angle -= T(360);
		}
		return Angle;
	}

	// Interpolation -------------------------------------------------------------------------------

	// Alpha is not clamped.
	template <typename T, typename U>
	[[nodiscard]] static constexpr FORCEINLINE T Lerp(const T& A, const T& B, const U& Alpha)
	{
		if constexpr (TCustomLerp<T>::Value)
		{
			return TCustomLerp<T>::Lerp(A, B, Alpha);
		}
		else
		{
			return static_cast<T>(A + Alpha * (B - A));
		}
	}
	template <typename T1, typename T2, typename T3>
		requires(!std::is_same_v<T1, T2>)
	[[nodiscard]] static constexpr FORCEINLINE auto Lerp(const T1& A, const T2& B, const T3& Alpha) -> decltype(A * B)
	{
		using ABType = decltype(A * B);
		return Lerp(ABType(A), ABType(B), Alpha);
	}
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T LerpStable(const T& A, const T& B, double Alpha)
	{
		return static_cast<T>((A * (1.0 - Alpha)) + (B * Alpha));
	}
	template <typename T>
	[[nodiscard]] static constexpr FORCEINLINE T LerpStable(const T& A, const T& B, float Alpha)
	{
		return static_cast<T>((A * (1.0f - Alpha)) + (B * Alpha));
	}
	template <typename T, typename U>
	[[nodiscard]] static constexpr FORCEINLINE T BiLerp(const T& P00, const T& P10, const T& P01, const T& P11, const U& FracX, const U& FracY)
	{
		return Lerp(Lerp(P00, P10, FracX), Lerp(P01, P11, FracX), FracY);
	}

	template <typename T>
	[[nodiscard]] static constexpr T GetRangePct(T MinValue, T MaxValue, T Value)
	{
		const T Divisor = MaxValue - MinValue;
		if (IsNearlyZero(Divisor))
		{
			return (Value >= MaxValue) ? T(1) : T(0);
		}
		return (Value - MinValue) / Divisor;
	}
	template <typename T, typename U>
		requires(!std::is_same_v<T, U> && std::is_arithmetic_v<U>)
	[[nodiscard]] static constexpr T GetRangePct(const UE::Math::TVector2<T>& Range, U Value)
	{
		return GetRangePct(Range.X, Range.Y, static_cast<T>(Value));
	}
	template <typename T>
	[[nodiscard]] static constexpr T GetRangePct(const UE::Math::TVector2<T>& Range, T Value)
	{
		return GetRangePct(Range.X, Range.Y, Value);
	}
	template <typename T, typename U>
	[[nodiscard]] static constexpr T GetRangeValue(const UE::Math::TVector2<T>& Range, U Pct)
	{
		return Lerp<T>(Range.X, Range.Y, static_cast<T>(Pct));
	}
	template <typename T, typename U>
		requires std::is_arithmetic_v<U>
	[[nodiscard]] static constexpr T GetMappedRangeValueClamped(const UE::Math::TVector2<T>& InputRange,
		const UE::Math::TVector2<T>& OutputRange, const U Value)
	{
		const T ClampedPct = Clamp<T>(GetRangePct(InputRange, static_cast<T>(Value)), T(0), T(1));
		return GetRangeValue(OutputRange, ClampedPct);
	}
	template <typename T, typename U>
		requires std::is_arithmetic_v<U>
	[[nodiscard]] static constexpr T GetMappedRangeValueUnclamped(const UE::Math::TVector2<T>& InputRange,
		const UE::Math::TVector2<T>& OutputRange, const U Value)
	{
		return GetRangeValue(OutputRange, GetRangePct(InputRange, static_cast<T>(Value)));
	}

	// Moves towards Target by a fraction DeltaTime*InterpSpeed (clamped to [0,1]) of the distance.
	template <typename T1, typename T2 = T1, typename T3 = T2, typename T4 = T3>
	[[nodiscard]] static auto FInterpTo(T1 Current, T2 Target, T3 DeltaTime, T4 InterpSpeed)
	{
		using RetType = decltype(T1() * T2() * T3() * T4());
		if (InterpSpeed <= 0.f)
		{
			return static_cast<RetType>(Target);
		}
		const RetType Dist = Target - Current;
		if (FMath::Square(Dist) < UE_SMALL_NUMBER)
		{
			return static_cast<RetType>(Target);
		}
		const RetType DeltaMove = Dist * FMath::Clamp<RetType>(DeltaTime * InterpSpeed, 0.f, 1.f);
		return Current + DeltaMove;
	}
	// Moves towards Target at a constant speed.
	template <typename T1, typename T2 = T1, typename T3 = T2, typename T4 = T3>
	[[nodiscard]] static auto FInterpConstantTo(T1 Current, T2 Target, T3 DeltaTime, T4 InterpSpeed)
	{
		using RetType = decltype(T1() * T2() * T3() * T4());
		const RetType Dist = Target - Current;
		if (FMath::Square(Dist) < UE_SMALL_NUMBER)
		{
			return static_cast<RetType>(Target);
		}
		const RetType Step = InterpSpeed * DeltaTime;
		return static_cast<RetType>(Current + FMath::Clamp<RetType>(Dist, -Step, Step));
	}

	// Defined with the types they take (Vector.h, Vector2D.h, Rotator.h, Color.h).
	[[nodiscard]] static FVector VInterpTo(const FVector& Current, const FVector& Target, float DeltaTime, float InterpSpeed);
	[[nodiscard]] static FVector VInterpConstantTo(const FVector& Current, const FVector& Target, float DeltaTime, float InterpSpeed);
	[[nodiscard]] static FVector2D Vector2DInterpTo(const FVector2D& Current, const FVector2D& Target, float DeltaTime, float InterpSpeed);
	[[nodiscard]] static FRotator RInterpTo(const FRotator& Current, const FRotator& Target, float DeltaTime, float InterpSpeed);
	[[nodiscard]] static FRotator RInterpConstantTo(const FRotator& Current, const FRotator& Target, float DeltaTime, float InterpSpeed);
	[[nodiscard]] static FLinearColor CInterpTo(const FLinearColor& Current, const FLinearColor& Target, float DeltaTime, float InterpSpeed);

	template <typename T>
	[[nodiscard]] static T InterpEaseIn(const T& A, const T& B, float Alpha, float Exp)
	{
		const float ModifiedAlpha = Pow(Alpha, Exp);
		return Lerp<T>(A, B, ModifiedAlpha);
	}
	template <typename T>
	[[nodiscard]] static T InterpEaseOut(const T& A, const T& B, float Alpha, float Exp)
	{
		const float ModifiedAlpha = 1.f - Pow(1.f - Alpha, Exp);
		return Lerp<T>(A, B, ModifiedAlpha);
	}
	template <typename T>
	[[nodiscard]] static T InterpEaseInOut(const T& A, const T& B, float Alpha, float Exp)
	{
		return Lerp<T>(A, B, (Alpha < 0.5f) ? InterpEaseIn(0.f, 1.f, Alpha * 2.f, Exp) * 0.5f
											: InterpEaseOut(0.f, 1.f, Alpha * 2.f - 1.f, Exp) * 0.5f + 0.5f);
	}
	template <typename T>
	[[nodiscard]] static T InterpSinIn(const T& A, const T& B, float Alpha)
	{
		const float ModifiedAlpha = -1.f * Cos(Alpha * UE_HALF_PI) + 1.f;
		return Lerp<T>(A, B, ModifiedAlpha);
	}
	template <typename T>
	[[nodiscard]] static T InterpSinOut(const T& A, const T& B, float Alpha)
	{
		const float ModifiedAlpha = Sin(Alpha * UE_HALF_PI);
		return Lerp<T>(A, B, ModifiedAlpha);
	}
	template <typename T>
	[[nodiscard]] static T InterpSinInOut(const T& A, const T& B, float Alpha)
	{
		return Lerp<T>(A, B, (Alpha < 0.5f) ? InterpSinIn(0.f, 1.f, Alpha * 2.f) * 0.5f : InterpSinOut(0.f, 1.f, Alpha * 2.f - 1.f) * 0.5f + 0.5f);
	}

	// Hermite 0..1 ramp of X between A and B.
	template <typename T>
	[[nodiscard]] static constexpr T SmoothStep(T A, T B, T X)
	{
		if (X < A)
		{
			return 0;
		}
		else if (X >= B)
		{
			return 1;
		}
		const T InterpFraction = (X - A) / (B - A);
		return InterpFraction * InterpFraction * (T(3) - T(2) * InterpFraction);
	}

	template <typename T>
	[[nodiscard]] static constexpr T GridSnap(T Location, T Grid)
	{
		return (Grid == T(0)) ? Location : (FloorToDouble((Location + T(0.5) * Grid) / Grid) * Grid);
	}

	// Random numbers (C library generator, as the engine's FMath::Rand) ------------------------------

	static FORCEINLINE int32 Rand() { return std::rand(); }
	static FORCEINLINE void RandInit(int32 Seed) { std::srand(static_cast<unsigned>(Seed)); }
	// [0,1)
	static FORCEINLINE float FRand()
	{
		constexpr int32 RandMax = 0x00ffffff < RAND_MAX ? 0x00ffffff : RAND_MAX;
		return static_cast<float>(Rand() & RandMax) / (static_cast<float>(RandMax) + 1.0f);
	}
	// [0, A)
	static FORCEINLINE int32 RandHelper(int32 A) { return A > 0 ? Min(TruncToInt(FRand() * static_cast<float>(A)), A - 1) : 0; }
	// [Min, Max]
	static FORCEINLINE int32 RandRange(int32 InMin, int32 InMax)
	{
		const int32 Range = (InMax - InMin) + 1;
		return InMin + RandHelper(Range);
	}
	static FORCEINLINE float RandRange(float InMin, float InMax) { return FRandRange(InMin, InMax); }
	static FORCEINLINE double RandRange(double InMin, double InMax) { return InMin + (InMax - InMin) * static_cast<double>(FRand()); }
	static FORCEINLINE float FRandRange(float InMin, float InMax) { return InMin + (InMax - InMin) * FRand(); }
	static FORCEINLINE bool RandBool() { return RandRange(0, 1) == 1; }
};
