// Core template helpers: MoveTemp, Forward, Swap, TLess/TGreater, guards.
#pragma once

#include "CoreTypes.h"

#include <type_traits>
#include <utility>

// MoveTemp refuses rvalues and const objects, where a move would silently be a copy or a no-op.
template <typename T>
FORCEINLINE constexpr std::remove_reference_t<T>&& MoveTemp(T&& Obj) noexcept
{
	using CastType = std::remove_reference_t<T>;
	static_assert(std::is_lvalue_reference_v<T>, "MoveTemp called on an rvalue");
	static_assert(!std::is_const_v<CastType>, "MoveTemp called on a const object");
	return static_cast<CastType&&>(Obj);
}

template <typename T>
FORCEINLINE constexpr std::remove_reference_t<T>&& MoveTempIfPossible(T&& Obj) noexcept
{
	return static_cast<std::remove_reference_t<T>&&>(Obj);
}

template <typename T>
FORCEINLINE constexpr T&& Forward(std::remove_reference_t<T>& Obj) noexcept
{
	return static_cast<T&&>(Obj);
}

template <typename T>
FORCEINLINE constexpr T&& Forward(std::remove_reference_t<T>&& Obj) noexcept
{
	return static_cast<T&&>(Obj);
}

template <typename T>
FORCEINLINE constexpr T CopyTemp(const T& Val)
{
	return Val;
}

template <typename T>
FORCEINLINE constexpr void Swap(T& A, T& B) noexcept(std::is_nothrow_move_constructible_v<T> && std::is_nothrow_move_assignable_v<T>)
{
	T Temp = static_cast<T&&>(A);
	A = static_cast<T&&>(B);
	B = static_cast<T&&>(Temp);
}

template <typename T, typename U = T>
FORCEINLINE constexpr T Exchange(T& Value, U&& NewValue)
{
	T Old = static_cast<T&&>(Value);
	Value = static_cast<U&&>(NewValue);
	return Old;
}

template <typename T>
FORCEINLINE constexpr const T& AsConst(T& Ref) noexcept
{
	return Ref;
}

template <typename T, size_t N>
char (&UEArrayCountHelper(const T (&)[N]))[N + 1];

#define UE_ARRAY_COUNT(Array) (sizeof(UEArrayCountHelper(Array)) - 1)
#define ARRAY_COUNT(Array) UE_ARRAY_COUNT(Array)

// Binary predicates; TLess<> / TGreater<> are transparent. (The engine has these in
// Templates/Less.h and Templates/Greater.h, both reached through CoreMinimal.h.)
template <typename T = void>
struct TLess
{
	FORCEINLINE constexpr bool operator()(const T& A, const T& B) const { return A < B; }
};
template <>
struct TLess<void>
{
	template <typename T, typename U>
	FORCEINLINE constexpr bool operator()(T&& A, U&& B) const { return static_cast<T&&>(A) < static_cast<U&&>(B); }
};
template <typename T = void>
struct TGreater
{
	FORCEINLINE constexpr bool operator()(const T& A, const T& B) const { return B < A; }
};
template <>
struct TGreater<void>
{
	template <typename T, typename U>
	FORCEINLINE constexpr bool operator()(T&& A, U&& B) const { return static_cast<U&&>(B) < static_cast<T&&>(A); }
};

// Predicate adapter used by container sorts: pointer elements are compared through the pointee.
template <typename T, typename PredicateType>
struct TDereferenceWrapper
{
	const PredicateType& Predicate;
	explicit TDereferenceWrapper(const PredicateType& InPredicate) : Predicate(InPredicate) {}
	FORCEINLINE bool operator()(const T& A, const T& B) const { return Predicate(A, B); }
};
template <typename T, typename PredicateType>
struct TDereferenceWrapper<T*, PredicateType>
{
	const PredicateType& Predicate;
	explicit TDereferenceWrapper(const PredicateType& InPredicate) : Predicate(InPredicate) {}
	FORCEINLINE bool operator()(T* A, T* B) const { return Predicate(*A, *B); }
};

class FNoncopyable
{
protected:
	FNoncopyable() = default;
	~FNoncopyable() = default;

public:
	FNoncopyable(const FNoncopyable&) = delete;
	FNoncopyable& operator=(const FNoncopyable&) = delete;
};

// Restores a variable's value when the scope ends.
template <typename RefType, typename AssignedType = RefType>
struct TGuardValue : private FNoncopyable
{
	TGuardValue(RefType& ReferenceValue, const AssignedType& NewValue)
		: RefValue(ReferenceValue), OldValue(ReferenceValue)
	{
		RefValue = NewValue;
	}
	~TGuardValue() { RefValue = OldValue; }
	const AssignedType& GetOriginalValue() const { return OldValue; }

private:
	RefType& RefValue;
	AssignedType OldValue;
};

template <typename T>
struct TKeyValuePair
{
	T Key;
	T Value;
};
