// GetTypeHash for built-in types and hash combining.
#pragma once

#include "CoreTypes.h"

#include <cstring>
#include <type_traits>

// Bob Jenkins' mix, as the engine uses to combine hashes (order dependent).
[[nodiscard]] inline constexpr uint32 HashCombine(uint32 A, uint32 C)
{
	uint32 B = 0x9e3779b9;
	A += B;
	A -= B; A -= C; A ^= (C >> 13);
	B -= C; B -= A; B ^= (A << 8);
	C -= A; C -= B; C ^= (B >> 13);
	A -= B; A -= C; A ^= (C >> 12);
	B -= C; B -= A; B ^= (A << 16);
	C -= A; C -= B; C ^= (B >> 5);
	A -= B; A -= C; A ^= (C >> 3);
	B -= C; B -= A; B ^= (A << 10);
	C -= A; C -= B; C ^= (B >> 15);
	return C;
}

[[nodiscard]] inline constexpr uint32 HashCombineFast(uint32 A, uint32 B)
{
	return A ^ (B + 0x9e3779b9 + (A << 6) + (A >> 2));
}

[[nodiscard]] inline uint32 PointerHash(const void* Key)
{
	// Allocations are at least 16-byte aligned: drop the always-zero bits before mixing.
	const UPTRINT PtrInt = reinterpret_cast<UPTRINT>(Key) >> 4;
	uint32 Hash = static_cast<uint32>(PtrInt) ^ static_cast<uint32>(static_cast<uint64>(PtrInt) >> 32);
	Hash ^= Hash >> 16;
	Hash *= 0x85ebca6bu;
	Hash ^= Hash >> 13;
	Hash *= 0xc2b2ae35u;
	Hash ^= Hash >> 16;
	return Hash;
}

[[nodiscard]] inline uint32 PointerHash(const void* Key, uint32 C)
{
	return HashCombine(PointerHash(Key), C);
}

template <typename ScalarType>
	requires(std::is_integral_v<ScalarType> || std::is_enum_v<ScalarType>)
[[nodiscard]] inline constexpr uint32 GetTypeHash(ScalarType Value)
{
	if constexpr (std::is_enum_v<ScalarType>)
	{
		return GetTypeHash(static_cast<std::underlying_type_t<ScalarType>>(Value));
	}
	else if constexpr (sizeof(ScalarType) <= 4)
	{
		return static_cast<uint32>(Value);
	}
	else
	{
		const uint64 V = static_cast<uint64>(Value);
		return static_cast<uint32>(V) + static_cast<uint32>(V >> 32) * 23;
	}
}

[[nodiscard]] inline uint32 GetTypeHash(float Value)
{
	uint32 Bits;
	std::memcpy(&Bits, &Value, sizeof(Bits));
	return Bits;
}

[[nodiscard]] inline uint32 GetTypeHash(double Value)
{
	uint64 Bits;
	std::memcpy(&Bits, &Value, sizeof(Bits));
	return GetTypeHash(Bits);
}

[[nodiscard]] inline uint32 GetTypeHash(const void* Value)
{
	return PointerHash(Value);
}

template <typename T>
[[nodiscard]] inline uint32 GetTypeHash(T* Value)
{
	return PointerHash(Value);
}
