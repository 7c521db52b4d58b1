// TOptional: a value that may be unset.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <optional>
#include <type_traits>
#include <utility>

struct FNullOpt
{
	explicit constexpr FNullOpt(int) {}
};
inline constexpr FNullOpt NullOpt{0};

template <typename OptionalType>
struct TOptional
{
	using ElementType = OptionalType;

	constexpr TOptional() = default;
	constexpr TOptional(FNullOpt) {}
	constexpr TOptional(const OptionalType& InValue) : Value(InValue) {}
	constexpr TOptional(OptionalType&& InValue) : Value(std::move(InValue)) {}
	template <typename... ArgTypes>
	explicit constexpr TOptional(EInPlace, ArgTypes&&... Args) : Value(std::in_place, std::forward<ArgTypes>(Args)...)
	{
	}

	TOptional& operator=(const OptionalType& InValue)
	{
		Value = InValue;
		return *this;
	}
	TOptional& operator=(OptionalType&& InValue)
	{
		Value = std::move(InValue);
		return *this;
	}
	TOptional& operator=(FNullOpt)
	{
		Value.reset();
		return *this;
	}

	template <typename... ArgsType>
	OptionalType& Emplace(ArgsType&&... Args)
	{
		return Value.emplace(std::forward<ArgsType>(Args)...);
	}
	void Reset() { Value.reset(); }

	constexpr bool IsSet() const { return Value.has_value(); }
	constexpr explicit operator bool() const { return Value.has_value(); }

	// Fatal when unset.
	OptionalType& GetValue()
	{
		UE_CORE_CHECKF(IsSet(), "It is an error to call GetValue() on an unset TOptional. Please either check IsSet() or use Get(DefaultValue) instead.");
		return *Value;
	}
	const OptionalType& GetValue() const { return const_cast<TOptional*>(this)->GetValue(); }
	OptionalType* operator->() { return &GetValue(); }
	const OptionalType* operator->() const { return &GetValue(); }
	OptionalType& operator*() { return GetValue(); }
	const OptionalType& operator*() const { return GetValue(); }

	// The value, or DefaultValue when unset (a reference to one of them).
	const OptionalType& Get(const OptionalType& DefaultValue) const { return IsSet() ? *Value : DefaultValue; }
	OptionalType* GetPtrOrNull() { return IsSet() ? &*Value : nullptr; }
	const OptionalType* GetPtrOrNull() const { return IsSet() ? &*Value : nullptr; }

	friend bool operator==(const TOptional& Lhs, const TOptional& Rhs)
	{
		if (Lhs.IsSet() != Rhs.IsSet())
		{
			return false;
		}
		return !Lhs.IsSet() || *Lhs.Value == *Rhs.Value;
	}
	friend uint32 GetTypeHash(const TOptional& Optional) { return Optional.IsSet() ? GetTypeHash(*Optional.Value) : 0; }

private:
	std::optional<OptionalType> Value;
};

template <typename T>
TOptional<std::decay_t<T>> MakeOptional(T&& Value)
{
	return TOptional<std::decay_t<T>>(std::forward<T>(Value));
}
