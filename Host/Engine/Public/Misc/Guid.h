// FGuid: 128-bit globally unique identifier.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Templates/TypeHash.h"

enum class EGuidFormats
{
	// 00000000000000000000000000000000
	Digits,
	// 00000000000000000000000000000000 in lower case
	DigitsLower,
	// 00000000-0000-0000-0000-000000000000
	DigitsWithHyphens,
	DigitsWithHyphensLower,
	// {00000000-0000-0000-0000-000000000000}
	DigitsWithHyphensInBraces,
	// (00000000-0000-0000-0000-000000000000)
	DigitsWithHyphensInParentheses,
	// {0x00000000,0x0000,0x0000,{0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00}}
	HexValuesInBraces,
	// 00000000-00000000-00000000-00000000
	UniqueObjectGuid,
};

struct FGuid
{
	uint32 A;
	uint32 B;
	uint32 C;
	uint32 D;

	constexpr FGuid() : A(0), B(0), C(0), D(0) {}
	constexpr FGuid(uint32 InA, uint32 InB, uint32 InC, uint32 InD) : A(InA), B(InB), C(InC), D(InD) {}
	explicit FGuid(const FString& GuidString) : FGuid() { Parse(GuidString, *this); }

	// A random (version 4) GUID.
	CORE_API static FGuid NewGuid();

	bool IsValid() const { return (A | B | C | D) != 0; }
	void Invalidate() { A = B = C = D = 0; }

	friend bool operator==(const FGuid& X, const FGuid& Y) { return ((X.A ^ Y.A) | (X.B ^ Y.B) | (X.C ^ Y.C) | (X.D ^ Y.D)) == 0; }
	friend bool operator<(const FGuid& X, const FGuid& Y)
	{
		return ((X.A < Y.A) ? true : ((X.A > Y.A) ? false : ((X.B < Y.B) ? true : ((X.B > Y.B) ? false : ((X.C < Y.C) ? true : ((X.C > Y.C) ? false : ((X.D < Y.D) ? true : false)))))));
	}
	uint32& operator[](int32 Index)
	{
		UE_CORE_CHECKF(Index >= 0 && Index < 4, "Guid component %d out of range", Index);
		return Index == 0 ? A : (Index == 1 ? B : (Index == 2 ? C : D));
	}
	const uint32& operator[](int32 Index) const { return const_cast<FGuid*>(this)->operator[](Index); }

	CORE_API FString ToString(EGuidFormats Format = EGuidFormats::Digits) const;
	// Accepts every format ToString writes.
	CORE_API static bool Parse(const FString& GuidString, FGuid& OutGuid);
	CORE_API static bool ParseExact(const FString& GuidString, EGuidFormats Format, FGuid& OutGuid);

	friend uint32 GetTypeHash(const FGuid& Guid) { return HashCombine(HashCombine(Guid.A, Guid.B), HashCombine(Guid.C, Guid.D)); }
};

inline FString LexToString(const FGuid& Value) { return Value.ToString(); }
