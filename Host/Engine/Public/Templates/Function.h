// TFunction (copyable), TUniqueFunction (move-only) and TFunctionRef (non-owning) callables.
#pragma once

#include "CoreTypes.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

template <typename FuncType>
class TFunction;
template <typename FuncType>
class TUniqueFunction;
template <typename FuncType>
class TFunctionRef;

namespace UE::Core::Private
{
	template <typename T>
	struct TIsTFunction : std::false_type
	{
	};
	template <typename F>
	struct TIsTFunction<TFunction<F>> : std::true_type
	{
	};
	template <typename F>
	struct TIsTFunction<TUniqueFunction<F>> : std::true_type
	{
	};
	template <typename F>
	struct TIsTFunction<TFunctionRef<F>> : std::true_type
	{
	};

	// Bound std::function/function-pointer-like objects that are null count as unbound.
	template <typename T>
	bool IsBoundCallable(const T& Callable)
	{
		if constexpr (std::is_pointer_v<T> || std::is_member_pointer_v<T>)
		{
			return Callable != nullptr;
		}
		else if constexpr (TIsTFunction<T>::value || std::is_constructible_v<bool, const T&>)
		{
			return static_cast<bool>(Callable);
		}
		else
		{
			return true;
		}
	}
}

// Copyable owning callable. Calling an unbound TFunction is fatal.
template <typename Ret, typename... ParamTypes>
class TFunction<Ret(ParamTypes...)>
{
public:
	TFunction() = default;
	TFunction(decltype(nullptr)) {}
	template <typename FunctorType>
		requires(!std::is_same_v<std::decay_t<FunctorType>, TFunction> && std::is_invocable_r_v<Ret, std::decay_t<FunctorType>&, ParamTypes...>)
	TFunction(FunctorType&& InFunc)
	{
		if (UE::Core::Private::IsBoundCallable(InFunc))
		{
			Func = std::forward<FunctorType>(InFunc);
		}
	}

	TFunction& operator=(decltype(nullptr))
	{
		Func = nullptr;
		return *this;
	}

	Ret operator()(ParamTypes... Params) const
	{
		UE_CORE_CHECKF(static_cast<bool>(Func), "Attempting to call an unbound TFunction!");
		return Func(std::forward<ParamTypes>(Params)...);
	}
	explicit operator bool() const { return static_cast<bool>(Func); }
	bool IsSet() const { return static_cast<bool>(Func); }
	void Reset() { Func = nullptr; }
	void CheckCallable() const { UE_CORE_CHECKF(static_cast<bool>(Func), "Attempting to call an unbound TFunction!"); }

	friend bool operator==(const TFunction& F, decltype(nullptr)) { return !F; }

private:
	std::function<Ret(ParamTypes...)> Func;
};

// Move-only owning callable (can hold move-only lambdas).
template <typename Ret, typename... ParamTypes>
class TUniqueFunction<Ret(ParamTypes...)>
{
	struct FHolderBase
	{
		virtual ~FHolderBase() = default;
		virtual Ret Call(ParamTypes&&... Params) = 0;
	};
	template <typename FunctorType>
	struct THolder final : FHolderBase
	{
		template <typename ArgType>
		explicit THolder(ArgType&& InFunctor) : Functor(std::forward<ArgType>(InFunctor))
		{
		}
		Ret Call(ParamTypes&&... Params) override
		{
			if constexpr (std::is_void_v<Ret>)
			{
				std::invoke(Functor, std::forward<ParamTypes>(Params)...);
			}
			else
			{
				return std::invoke(Functor, std::forward<ParamTypes>(Params)...);
			}
		}
		FunctorType Functor;
	};

public:
	TUniqueFunction() = default;
	TUniqueFunction(decltype(nullptr)) {}
	TUniqueFunction(TUniqueFunction&&) noexcept = default;
	TUniqueFunction& operator=(TUniqueFunction&&) noexcept = default;
	TUniqueFunction(const TUniqueFunction&) = delete;
	TUniqueFunction& operator=(const TUniqueFunction&) = delete;

	template <typename FunctorType>
		requires(!std::is_same_v<std::decay_t<FunctorType>, TUniqueFunction> &&
			std::is_invocable_r_v<Ret, std::decay_t<FunctorType>&, ParamTypes...>)
	TUniqueFunction(FunctorType&& InFunc)
	{
		if (UE::Core::Private::IsBoundCallable(InFunc))
		{
			Holder = std::make_unique<THolder<std::decay_t<FunctorType>>>(std::forward<FunctorType>(InFunc));
		}
	}

	TUniqueFunction& operator=(decltype(nullptr))
	{
		Holder.reset();
		return *this;
	}

	Ret operator()(ParamTypes... Params) const
	{
		UE_CORE_CHECKF(Holder != nullptr, "Attempting to call an unbound TUniqueFunction!");
		return Holder->Call(std::forward<ParamTypes>(Params)...);
	}
	explicit operator bool() const { return Holder != nullptr; }
	bool IsSet() const { return Holder != nullptr; }
	void Reset() { Holder.reset(); }
	void CheckCallable() const { UE_CORE_CHECKF(Holder != nullptr, "Attempting to call an unbound TUniqueFunction!"); }

	friend bool operator==(const TUniqueFunction& F, decltype(nullptr)) { return !F; }

private:
	std::unique_ptr<FHolderBase> Holder;
};

// Non-owning reference to a callable; must not outlive it. Never null, never allocates.
template <typename Ret, typename... ParamTypes>
class TFunctionRef<Ret(ParamTypes...)>
{
public:
	template <typename FunctorType>
		requires(!std::is_same_v<std::decay_t<FunctorType>, TFunctionRef> && std::is_invocable_r_v<Ret, FunctorType&, ParamTypes...>)
	TFunctionRef(FunctorType&& InFunc)
		: Ptr(const_cast<void*>(static_cast<const void*>(std::addressof(InFunc))))
		, Callable(&Invoke<std::remove_reference_t<FunctorType>>)
	{
		UE_CORE_CHECKF(UE::Core::Private::IsBoundCallable(InFunc), "Cannot bind a null/unbound callable to a TFunctionRef");
	}
	TFunctionRef(const TFunctionRef&) = default;
	TFunctionRef& operator=(const TFunctionRef&) = delete;

	Ret operator()(ParamTypes... Params) const { return Callable(Ptr, std::forward<ParamTypes>(Params)...); }

private:
	template <typename FunctorType>
	static Ret Invoke(void* Obj, ParamTypes&&... Params)
	{
		if constexpr (std::is_void_v<Ret>)
		{
			std::invoke(*static_cast<FunctorType*>(Obj), std::forward<ParamTypes>(Params)...);
		}
		else
		{
			return std::invoke(*static_cast<FunctorType*>(Obj), std::forward<ParamTypes>(Params)...);
		}
	}

	void* Ptr;
	Ret (*Callable)(void*, ParamTypes&&...);
};
