// TObjectPtr<T>: the engine's object reference for members. Same layout as T*; it converts both ways.
#pragma once

#include "CoreTypes.h"
#include <type_traits>
#include <cstddef>

template<typename T>
struct TObjectPtr
{
public:
	using ElementType = T;

	TObjectPtr() = default;
	TObjectPtr(TYPE_OF_NULLPTR) {}
	TObjectPtr(T* InObject) : Object(InObject) {}
	template<typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TObjectPtr(const TObjectPtr<U>& Other) : Object(Other.Get()) {}

	TObjectPtr& operator=(T* InObject)
	{
		Object = InObject;
		return *this;
	}
	TObjectPtr& operator=(TYPE_OF_NULLPTR)
	{
		Object = nullptr;
		return *this;
	}
	template<typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TObjectPtr& operator=(const TObjectPtr<U>& Other)
	{
		Object = Other.Get();
		return *this;
	}

	T* Get() const { return Object; }
	operator T*() const { return Object; }
	template<typename U, typename = std::enable_if_t<std::is_convertible_v<T*, U*> && !std::is_same_v<T, U>>>
	explicit operator U*() const { return Object; }
	explicit operator bool() const { return Object != nullptr; }
	T* operator->() const { return Object; }
	T& operator*() const { return *Object; }

	// Comparisons take any related pointer exactly, so they never compete with the built-in ones
	// reached through the conversion to T* (C++20 also derives != and the reversed forms).
	template<typename U>
	friend bool operator==(const TObjectPtr& Lhs, U* Rhs)
	{
		return ComparePointers(Lhs.Object, Rhs);
	}
	template<typename U>
	friend bool operator==(const TObjectPtr& Lhs, const TObjectPtr<U>& Rhs)
	{
		return ComparePointers(Lhs.Object, Rhs.Get());
	}
	friend bool operator==(const TObjectPtr& Lhs, TYPE_OF_NULLPTR) { return Lhs.Object == nullptr; }
	friend uint32 GetTypeHash(const TObjectPtr& Ptr) { return (uint32)(reinterpret_cast<std::size_t>(Ptr.Object) >> 4); }

private:
	template<typename A, typename B>
	static bool ComparePointers(A* Left, B* Right)
	{
		if constexpr (std::is_convertible_v<B*, A*>)
		{
			return Left == static_cast<A*>(Right);
		}
		else
		{
			return static_cast<B*>(Left) == Right;
		}
	}

	T* Object = nullptr;
};

static_assert(sizeof(TObjectPtr<int>) == sizeof(int*), "TObjectPtr must have the layout of a raw pointer");
