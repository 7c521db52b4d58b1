// FLinearColor (linear float RGBA) and FColor (8-bit sRGB-encoded BGRA).
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Math/Vector4.h"

#include <iosfwd>

enum class EGammaSpace : uint8
{
	Linear,
	Pow22,
	sRGB,
	Invalid
};

struct FLinearColor
{
	float R;
	float G;
	float B;
	float A;

	// sRGB byte -> linear value: c <= 0.04045 ? c/12.92 : pow(c/1.055 + 0.0521327, 2.4), c = i/255.
	CORE_API static const float sRGBToLinearTable[256];

	// Leaves the channels uninitialised, as the engine does.
	FLinearColor() = default;
	explicit constexpr FLinearColor(EForceInit) : R(0), G(0), B(0), A(0) {}
	constexpr FLinearColor(float InR, float InG, float InB, float InA = 1.0f) : R(InR), G(InG), B(InB), A(InA) {}
	// RGB decoded from sRGB through sRGBToLinearTable, A = A/255. (Not constexpr here, unlike the
	// engine: the table lives in Color.cpp.)
	FLinearColor(const FColor& Color);
	FLinearColor(const FVector3f& Vector) : R(Vector.X), G(Vector.Y), B(Vector.Z), A(1.0f) {}
	explicit FLinearColor(const FVector3d& Vector)
		: R(static_cast<float>(Vector.X)), G(static_cast<float>(Vector.Y)), B(static_cast<float>(Vector.Z)), A(1.0f)
	{
	}
	explicit FLinearColor(const FVector4f& Vector) : R(Vector.X), G(Vector.Y), B(Vector.Z), A(Vector.W) {}
	explicit FLinearColor(const FVector4d& Vector)
		: R(static_cast<float>(Vector.X)), G(static_cast<float>(Vector.Y)), B(static_cast<float>(Vector.Z)), A(static_cast<float>(Vector.W))
	{
	}

	static FLinearColor FromSRGBColor(const FColor& Color);
	CORE_API static FLinearColor FromPow22Color(const FColor& Color);

	float& Component(int32 Index)
	{
		UE_CORE_CHECKF(Index >= 0 && Index < 4, "Colour component %d out of range", Index);
		return Index == 0 ? R : (Index == 1 ? G : (Index == 2 ? B : A));
	}
	const float& Component(int32 Index) const { return const_cast<FLinearColor*>(this)->Component(Index); }

	// Arithmetic applies to all four channels, alpha included.
	constexpr FLinearColor operator+(const FLinearColor& C) const { return FLinearColor(R + C.R, G + C.G, B + C.B, A + C.A); }
	constexpr FLinearColor operator-(const FLinearColor& C) const { return FLinearColor(R - C.R, G - C.G, B - C.B, A - C.A); }
	constexpr FLinearColor operator*(const FLinearColor& C) const { return FLinearColor(R * C.R, G * C.G, B * C.B, A * C.A); }
	constexpr FLinearColor operator/(const FLinearColor& C) const { return FLinearColor(R / C.R, G / C.G, B / C.B, A / C.A); }
	constexpr FLinearColor operator*(float Scalar) const { return FLinearColor(R * Scalar, G * Scalar, B * Scalar, A * Scalar); }
	friend constexpr FLinearColor operator*(float Scalar, const FLinearColor& Color) { return Color * Scalar; }
	constexpr FLinearColor operator/(float Scalar) const
	{
		const float InvScalar = 1.0f / Scalar;
		return FLinearColor(R * InvScalar, G * InvScalar, B * InvScalar, A * InvScalar);
	}
	FLinearColor& operator+=(const FLinearColor& C) { R += C.R; G += C.G; B += C.B; A += C.A; return *this; }
	FLinearColor& operator-=(const FLinearColor& C) { R -= C.R; G -= C.G; B -= C.B; A -= C.A; return *this; }
	FLinearColor& operator*=(const FLinearColor& C) { R *= C.R; G *= C.G; B *= C.B; A *= C.A; return *this; }
	FLinearColor& operator/=(const FLinearColor& C) { R /= C.R; G /= C.G; B /= C.B; A /= C.A; return *this; }
	FLinearColor& operator*=(float Scalar) { R *= Scalar; G *= Scalar; B *= Scalar; A *= Scalar; return *this; }
	FLinearColor& operator/=(float Scalar)
	{
		const float InvScalar = 1.0f / Scalar;
		R *= InvScalar;
		G *= InvScalar;
		B *= InvScalar;
		A *= InvScalar;
		return *this;
	}
	// Exact comparison; see Equals.
	constexpr bool operator==(const FLinearColor& C) const { return R == C.R && G == C.G && B == C.B && A == C.A; }

	// Every channel strictly within Tolerance.
	bool Equals(const FLinearColor& ColorB, float Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(R - ColorB.R) < Tolerance && FMath::Abs(G - ColorB.G) < Tolerance && FMath::Abs(B - ColorB.B) < Tolerance &&
			FMath::Abs(A - ColorB.A) < Tolerance;
	}
	FLinearColor GetClamped(float InMin = 0.0f, float InMax = 1.0f) const
	{
		return FLinearColor(FMath::Clamp(R, InMin, InMax), FMath::Clamp(G, InMin, InMax), FMath::Clamp(B, InMin, InMax), FMath::Clamp(A, InMin, InMax));
	}
	FLinearColor CopyWithNewOpacity(float NewOpacity) const
	{
		FLinearColor NewCopy = *this;
		NewCopy.A = NewOpacity;
		return NewCopy;
	}

	// NaN -> 0, then clamped to [0,1].
	static float Clamp01NansTo0(float InValue)
	{
		const float ClampedLo = (InValue > 0.0f) ? InValue : 0.0f;
		return (ClampedLo < 1.0f) ? ClampedLo : 1.0f;
	}

	// Table-driven sRGB encoding (not round(255*srgb(x)); they differ on a few inputs).
	CORE_API FColor ToFColorSRGB() const;
	FColor ToFColor(const bool bSRGB) const;
	// Each channel (uint8)(0.5 + Clamp01NansTo0(c)*255): no sRGB encoding.
	FColor QuantizeRound() const;
	FColor QuantizeFloor() const;

	// Hue (degrees) in R, saturation in G, value in B; alpha kept. (The 5.4 formulas; 5.8 adds
	// guards for negative input. Both agree for RGB >= 0.)
	CORE_API FLinearColor LinearRGBToHSV() const;
	CORE_API FLinearColor HSVToLinearRGB() const;
	// Blend in HSV along the shorter way round the hue circle; alpha blends linearly.
	CORE_API static FLinearColor LerpUsingHSV(const FLinearColor& From, const FLinearColor& To, const float Progress);
	CORE_API static FLinearColor MakeFromHSV8(uint8 H, uint8 S, uint8 V);
	CORE_API static FLinearColor MakeRandomColor();
	/**
	 * Linear Rec.709 colour of a black body at Temp Kelvin (clamped to 1000..15000), of luminance 1:
	 * the Planckian locus approximated in CIE 1960 UCS, then XYZ to RGB.
	 */
	CORE_API static FLinearColor MakeFromColorTemperature(float Temp);

	static float Dist(const FLinearColor& V1, const FLinearColor& V2)
	{
		return FMath::Sqrt(FMath::Square(V2.R - V1.R) + FMath::Square(V2.G - V1.G) + FMath::Square(V2.B - V1.B) + FMath::Square(V2.A - V1.A));
	}
	float ComputeLuminance() const { return R * 0.3f + G * 0.59f + B * 0.11f; }
	float GetLuminance() const { return R * 0.3f + G * 0.59f + B * 0.11f; }
	FLinearColor Desaturate(float Desaturation) const
	{
		const float Lum = ComputeLuminance();
		return FMath::Lerp(*this, FLinearColor(Lum, Lum, Lum, 0), Desaturation);
	}
	float GetMax() const { return FMath::Max(FMath::Max(FMath::Max(R, G), B), A); }
	float GetMin() const { return FMath::Min(FMath::Min(FMath::Min(R, G), B), A); }
	bool IsAlmostBlack() const { return FMath::Square(R) < UE_DELTA && FMath::Square(G) < UE_DELTA && FMath::Square(B) < UE_DELTA; }

	FString ToString() const { return FString::Printf(u"(R=%f,G=%f,B=%f,A=%f)", R, G, B, A); }

	friend uint32 GetTypeHash(const FLinearColor& C)
	{
		return HashCombine(HashCombine(GetTypeHash(C.R), GetTypeHash(C.G)), HashCombine(GetTypeHash(C.B), GetTypeHash(C.A)));
	}

	CORE_API static const FLinearColor White;
	CORE_API static const FLinearColor Gray;
	CORE_API static const FLinearColor Black;
	CORE_API static const FLinearColor Transparent;
	CORE_API static const FLinearColor Red;
	CORE_API static const FLinearColor Green;
	CORE_API static const FLinearColor Blue;
	CORE_API static const FLinearColor Yellow;
};

struct FColor
{
	// Memory order B, G, R, A: Bits reads as 0xAARRGGBB on little-endian machines.
	union
	{
		struct
		{
			uint8 B, G, R, A;
		};
		uint32 Bits;
	};

	// Leaves the channels uninitialised, as the engine does.
	FColor() = default;
	explicit constexpr FColor(EForceInit) : Bits(0) {}
	constexpr FColor(uint8 InR, uint8 InG, uint8 InB, uint8 InA = 255) : B(InB), G(InG), R(InR), A(InA) {}
	explicit constexpr FColor(uint32 InColor) : Bits(InColor) {}

	uint32& DWColor() { return Bits; }
	const uint32& DWColor() const { return Bits; }

	bool operator==(const FColor& C) const { return Bits == C.Bits; }
	FColor& operator+=(const FColor& C)
	{
		R = static_cast<uint8>(FMath::Min(static_cast<int32>(R) + static_cast<int32>(C.R), 255));
		G = static_cast<uint8>(FMath::Min(static_cast<int32>(G) + static_cast<int32>(C.G), 255));
		B = static_cast<uint8>(FMath::Min(static_cast<int32>(B) + static_cast<int32>(C.B), 255));
		A = static_cast<uint8>(FMath::Min(static_cast<int32>(A) + static_cast<int32>(C.A), 255));
		return *this;
	}

	// Each channel * (1/255), with no sRGB decoding.
	FLinearColor ReinterpretAsLinear() const
	{
		return FLinearColor(R * (1.0f / 255.0f), G * (1.0f / 255.0f), B * (1.0f / 255.0f), A * (1.0f / 255.0f));
	}
	FColor WithAlpha(uint8 Alpha) const { return FColor(R, G, B, Alpha); }

	// "RRGGBBAA".
	FString ToHex() const { return FString::Printf(u"%02X%02X%02X%02X", R, G, B, A); }
	FString ToString() const { return FString::Printf(u"(R=%i,G=%i,B=%i,A=%i)", R, G, B, A); }
	// Accepts an optional '#', then RGB, RRGGBB or RRGGBBAA; anything else gives transparent black.
	CORE_API static FColor FromHex(const FString& HexString);
	CORE_API static FColor MakeRandomColor();
	CORE_API static FColor MakeRedToGreenColorFromScalar(float Scalar);

	uint32 ToPackedARGB() const { return (A << 24) | (R << 16) | (G << 8) | (B << 0); }
	uint32 ToPackedABGR() const { return (A << 24) | (B << 16) | (G << 8) | (R << 0); }
	uint32 ToPackedRGBA() const { return (R << 24) | (G << 16) | (B << 8) | (A << 0); }
	uint32 ToPackedBGRA() const { return (B << 24) | (G << 16) | (R << 8) | (A << 0); }

	friend uint32 GetTypeHash(const FColor& Color) { return Color.Bits; }

	CORE_API static const FColor White;
	CORE_API static const FColor Black;
	CORE_API static const FColor Transparent;
	CORE_API static const FColor Red;
	CORE_API static const FColor Green;
	CORE_API static const FColor Blue;
	CORE_API static const FColor Yellow;
	CORE_API static const FColor Cyan;
	CORE_API static const FColor Magenta;
	CORE_API static const FColor Orange;
	CORE_API static const FColor Purple;
	CORE_API static const FColor Turquoise;
	CORE_API static const FColor Silver;
	CORE_API static const FColor Emerald;

private:
	// No implicit linear -> byte conversion: say ToFColorSRGB() or QuantizeRound().
	explicit FColor(const FLinearColor& LinearColor);
};
static_assert(sizeof(FColor) == 4, "FColor is four bytes");

inline FLinearColor::FLinearColor(const FColor& Color)
	: R(sRGBToLinearTable[Color.R]), G(sRGBToLinearTable[Color.G]), B(sRGBToLinearTable[Color.B]), A(static_cast<float>(Color.A) * (1.0f / 255.0f))
{
}

inline FLinearColor FLinearColor::FromSRGBColor(const FColor& Color)
{
	return FLinearColor(Color);
}

inline FColor FLinearColor::ToFColor(const bool bSRGB) const
{
	return bSRGB ? ToFColorSRGB() : QuantizeRound();
}

inline FColor FLinearColor::QuantizeRound() const
{
	return FColor(static_cast<uint8>(0.5f + Clamp01NansTo0(R) * 255.f), static_cast<uint8>(0.5f + Clamp01NansTo0(G) * 255.f),
		static_cast<uint8>(0.5f + Clamp01NansTo0(B) * 255.f), static_cast<uint8>(0.5f + Clamp01NansTo0(A) * 255.f));
}

inline FColor FLinearColor::QuantizeFloor() const
{
	return FColor(static_cast<uint8>(Clamp01NansTo0(R) * 255.999f), static_cast<uint8>(Clamp01NansTo0(G) * 255.999f),
		static_cast<uint8>(Clamp01NansTo0(B) * 255.999f), static_cast<uint8>(Clamp01NansTo0(A) * 255.999f));
}

inline FLinearColor FMath::CInterpTo(const FLinearColor& Current, const FLinearColor& Target, float DeltaTime, float InterpSpeed)
{
	if (InterpSpeed <= 0.f)
	{
		return Target;
	}
	const float Distance = FLinearColor::Dist(Target, Current);
	if (Distance < UE_KINDA_SMALL_NUMBER)
	{
		return Target;
	}
	const FLinearColor DeltaMove = (Target - Current) * FMath::Clamp<float>(DeltaTime * InterpSpeed, 0.f, 1.f);
	return Current + DeltaMove;
}

namespace UE::Math
{
	template <typename T>
	TVector<T>::TVector(const FLinearColor& InColor) : X(InColor.R), Y(InColor.G), Z(InColor.B)
	{
	}

	template <typename T>
	TVector4<T>::TVector4(const FLinearColor& InColor) : X(InColor.R), Y(InColor.G), Z(InColor.B), W(InColor.A)
	{
	}
}

// Test-framework printing (host only).
CORE_API void PrintTo(const FLinearColor& Value, std::ostream* Os);
CORE_API void PrintTo(const FColor& Value, std::ostream* Os);
