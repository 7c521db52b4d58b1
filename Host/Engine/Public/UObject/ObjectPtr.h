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

	friend bool operator==(const TObjectPtr& Lhs, const TObjectPtr& Rhs) { return Lhs.Object == Rhs.Object; }
	friend bool operator==(const TObjectPtr& Lhs, const T* Rhs) { return Lhs.Object == Rhs; }
	friend bool operator==(const T* Lhs, const TObjectPtr& Rhs) { return Lhs == Rhs.Object; }
	friend bool operator==(const TObjectPtr& Lhs, TYPE_OF_NULLPTR) { return Lhs.Object == nullptr; }
	friend bool operator!=(const TObjectPtr& Lhs, const TObjectPtr& Rhs) { return Lhs.Object != Rhs.Object; }
	friend bool operator!=(const TObjectPtr& Lhs, const T* Rhs) { return Lhs.Object != Rhs; }
	friend bool operator!=(const T* Lhs, const TObjectPtr& Rhs) { return Lhs != Rhs.Object; }
	friend bool operator!=(const TObjectPtr& Lhs, TYPE_OF_NULLPTR) { return Lhs.Object != nullptr; }
	friend uint32 GetTypeHash(const TObjectPtr& Ptr) { return (uint32)(reinterpret_cast<std::size_t>(Ptr.Object) >> 4); }

private:
	T* Object = nullptr;
};

static_assert(sizeof(TObjectPtr<int>) == sizeof(int*), "TObjectPtr must have the layout of a raw pointer");
