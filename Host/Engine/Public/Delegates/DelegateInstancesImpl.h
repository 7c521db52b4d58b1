// The kinds of delegate binding: static function, lambda, weak lambda, raw method, shared-pointer
// method, UObject method.
// Each stores its payload (extra arguments given at bind time, passed after the call's own).
#pragma once

#include "CoreTypes.h"
#include "Delegates/DelegateInstanceInterface.h"
#include "Misc/AssertionMacros.h"
#include "Templates/SharedPointer.h"
#include "UObject/WeakObjectPtr.h"

#include <tuple>
#include <type_traits>
#include <utility>

namespace UE::Delegates::Private
{
	/** Shared by every binding kind: the handle and the payload. */
	template <typename FuncType, typename UserPolicy, typename... VarTypes>
	class TCommonDelegateInstanceState : public IBaseDelegateInstance<FuncType, UserPolicy>
	{
	public:
		template <typename... InVarTypes>
		explicit TCommonDelegateInstanceState(InVarTypes&&... Vars)
			: Payload(std::forward<InVarTypes>(Vars)...)
			, Handle(FDelegateHandle::GenerateNewHandle)
		{
		}

		virtual FDelegateHandle GetHandle() const override { return Handle; }

	protected:
		// Mutable so that bindings whose targets take payload by reference behave as in the engine.
		mutable std::tuple<VarTypes...> Payload;
		FDelegateHandle Handle;
	};

	/** Calls Callable(Params..., Payload...). */
	template <typename RetType, typename CallableType, typename PayloadType, std::size_t... Indices, typename... ParamTypes>
	FORCEINLINE RetType InvokeWithPayload(CallableType&& Callable, PayloadType& Payload, std::index_sequence<Indices...>, ParamTypes&&... Params)
	{
		return std::forward<CallableType>(Callable)(std::forward<ParamTypes>(Params)..., std::get<Indices>(Payload)...);
	}
}

// ---------------------------------------------------------------------------------------------

template <typename FuncType, typename UserPolicy, typename... VarTypes>
class TBaseStaticDelegateInstance;

template <typename RetType, typename... ParamTypes, typename UserPolicy, typename... VarTypes>
class TBaseStaticDelegateInstance<RetType(ParamTypes...), UserPolicy, VarTypes...>
	: public UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>
{
	using Super = UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>;

public:
	using FFuncPtr = RetType (*)(ParamTypes..., VarTypes...);

	template <typename... InVarTypes>
	explicit TBaseStaticDelegateInstance(FFuncPtr InStaticFuncPtr, InVarTypes&&... Vars)
		: Super(std::forward<InVarTypes>(Vars)...)
		, StaticFuncPtr(InStaticFuncPtr)
	{
		check(StaticFuncPtr != nullptr);
	}

	virtual UObject* GetUObject() const override { return nullptr; }
	virtual const void* GetObjectForTimerManager() const override { return nullptr; }
	virtual bool HasSameObject(const void*) const override { return false; }
	virtual bool IsSafeToExecute() const override { return true; }
	virtual TBaseStaticDelegateInstance* Clone() const override { return new TBaseStaticDelegateInstance(*this); }

	virtual RetType Execute(ParamTypes... Params) const override
	{
		return UE::Delegates::Private::InvokeWithPayload<RetType>(StaticFuncPtr, this->Payload, std::index_sequence_for<VarTypes...>{}, std::forward<ParamTypes>(Params)...);
	}
	virtual bool ExecuteIfSafe(ParamTypes... Params) const override
	{
		(void)Execute(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	FFuncPtr StaticFuncPtr;
};

// ---------------------------------------------------------------------------------------------

template <typename FuncType, typename UserPolicy, typename FunctorType, typename... VarTypes>
class TBaseFunctorDelegateInstance;

template <typename RetType, typename... ParamTypes, typename UserPolicy, typename FunctorType, typename... VarTypes>
class TBaseFunctorDelegateInstance<RetType(ParamTypes...), UserPolicy, FunctorType, VarTypes...>
	: public UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>
{
	using Super = UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>;

public:
	template <typename InFunctorType, typename... InVarTypes>
	explicit TBaseFunctorDelegateInstance(InFunctorType&& InFunctor, InVarTypes&&... Vars)
		: Super(std::forward<InVarTypes>(Vars)...)
		, Functor(std::forward<InFunctorType>(InFunctor))
	{
	}

	virtual UObject* GetUObject() const override { return nullptr; }
	virtual const void* GetObjectForTimerManager() const override { return nullptr; }
	virtual bool HasSameObject(const void*) const override { return false; }
	virtual bool IsSafeToExecute() const override { return true; }
	virtual TBaseFunctorDelegateInstance* Clone() const override { return new TBaseFunctorDelegateInstance(*this); }

	virtual RetType Execute(ParamTypes... Params) const override
	{
		return UE::Delegates::Private::InvokeWithPayload<RetType>(Functor, this->Payload, std::index_sequence_for<VarTypes...>{}, std::forward<ParamTypes>(Params)...);
	}
	virtual bool ExecuteIfSafe(ParamTypes... Params) const override
	{
		(void)Execute(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	// Mutable: lambdas declared `mutable` may change their captures on each call.
	mutable std::remove_const_t<FunctorType> Functor;
};

// ---------------------------------------------------------------------------------------------

/** A lambda that runs only while a UObject lives (weak on it). */
template <typename UserClass, typename FuncType, typename UserPolicy, typename FunctorType, typename... VarTypes>
class TWeakBaseFunctorDelegateInstance;

template <typename UserClass, typename RetType, typename... ParamTypes, typename UserPolicy, typename FunctorType, typename... VarTypes>
class TWeakBaseFunctorDelegateInstance<UserClass, RetType(ParamTypes...), UserPolicy, FunctorType, VarTypes...>
	: public UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>
{
	using Super = UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>;

public:
	template <typename InFunctorType, typename... InVarTypes>
	explicit TWeakBaseFunctorDelegateInstance(UserClass* InContextObject, InFunctorType&& InFunctor, InVarTypes&&... Vars)
		: Super(std::forward<InVarTypes>(Vars)...)
		, ContextObject(InContextObject)
		, Functor(std::forward<InFunctorType>(InFunctor))
	{
	}

	virtual UObject* GetUObject() const override { return ContextObject.Get(); }
	virtual const void* GetObjectForTimerManager() const override { return ContextObject.Get(); }
	virtual bool HasSameObject(const void* InUserObject) const override { return ContextObject.Get() == InUserObject; }
	virtual bool IsSafeToExecute() const override { return ContextObject.IsValid(); }
	virtual TWeakBaseFunctorDelegateInstance* Clone() const override { return new TWeakBaseFunctorDelegateInstance(*this); }

	virtual RetType Execute(ParamTypes... Params) const override
	{
		return UE::Delegates::Private::InvokeWithPayload<RetType>(Functor, this->Payload, std::index_sequence_for<VarTypes...>{}, std::forward<ParamTypes>(Params)...);
	}
	virtual bool ExecuteIfSafe(ParamTypes... Params) const override
	{
		if (!ContextObject.IsValid())
		{
			return false;
		}
		(void)Execute(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	FWeakObjectPtr ContextObject;
	mutable std::remove_const_t<FunctorType> Functor;
};

// ---------------------------------------------------------------------------------------------

/** A member function of a plain C++ object; the object must outlive the binding. */
template <bool bConst, class UserClass, typename FuncType, typename UserPolicy, typename... VarTypes>
class TBaseRawMethodDelegateInstance;

template <bool bConst, class UserClass, typename RetType, typename... ParamTypes, typename UserPolicy, typename... VarTypes>
class TBaseRawMethodDelegateInstance<bConst, UserClass, RetType(ParamTypes...), UserPolicy, VarTypes...>
	: public UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>
{
	using Super = UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>;

public:
	using FMethodPtr = typename TMemFunPtrType<bConst, UserClass, RetType(ParamTypes..., VarTypes...)>::Type;

	template <typename... InVarTypes>
	explicit TBaseRawMethodDelegateInstance(UserClass* InUserObject, FMethodPtr InMethodPtr, InVarTypes&&... Vars)
		: Super(std::forward<InVarTypes>(Vars)...)
		, UserObject(InUserObject)
		, MethodPtr(InMethodPtr)
	{
		// A raw binding can never become valid later, so a null object is a programming error.
		check(InUserObject != nullptr && MethodPtr != nullptr);
	}

	virtual UObject* GetUObject() const override { return nullptr; }
	virtual const void* GetObjectForTimerManager() const override { return UserObject; }
	virtual bool HasSameObject(const void* InUserObject) const override { return UserObject == InUserObject; }
	virtual bool IsSafeToExecute() const override { return true; }
	virtual TBaseRawMethodDelegateInstance* Clone() const override { return new TBaseRawMethodDelegateInstance(*this); }

	virtual RetType Execute(ParamTypes... Params) const override
	{
		using FMutableUserClass = std::remove_const_t<UserClass>;
		FMutableUserClass* Object = const_cast<FMutableUserClass*>(UserObject);
		return UE::Delegates::Private::InvokeWithPayload<RetType>(
			[Object, Method = MethodPtr](auto&&... Args) -> RetType { return (Object->*Method)(std::forward<decltype(Args)>(Args)...); },
			this->Payload, std::index_sequence_for<VarTypes...>{}, std::forward<ParamTypes>(Params)...);
	}
	virtual bool ExecuteIfSafe(ParamTypes... Params) const override
	{
		(void)Execute(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	UserClass* UserObject;
	FMethodPtr MethodPtr;
};

// ---------------------------------------------------------------------------------------------

/**
 * A member function of a UObject, weak on the object: the binding is not safe to execute (and a
 * multicast delegate skips, then drops it) once the object is destroyed or marked as garbage.
 */
template <bool bConst, class UserClass, typename FuncType, typename UserPolicy, typename... VarTypes>
class TBaseUObjectMethodDelegateInstance;

template <bool bConst, class UserClass, typename RetType, typename... ParamTypes, typename UserPolicy, typename... VarTypes>
class TBaseUObjectMethodDelegateInstance<bConst, UserClass, RetType(ParamTypes...), UserPolicy, VarTypes...>
	: public UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>
{
	using Super = UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>;

public:
	using FMethodPtr = typename TMemFunPtrType<bConst, UserClass, RetType(ParamTypes..., VarTypes...)>::Type;

	template <typename... InVarTypes>
	explicit TBaseUObjectMethodDelegateInstance(UserClass* InUserObject, FMethodPtr InMethodPtr, InVarTypes&&... Vars)
		: Super(std::forward<InVarTypes>(Vars)...)
		, UserObject(InUserObject)
		, RawUserObject(InUserObject)
		, MethodPtr(InMethodPtr)
	{
		check(MethodPtr != nullptr);
	}

	virtual UObject* GetUObject() const override { return UserObject.Get(); }
	virtual const void* GetObjectForTimerManager() const override { return UserObject.Get(); }
	virtual bool HasSameObject(const void* InUserObject) const override { return UserObject.Get() == InUserObject; }
	virtual bool IsSafeToExecute() const override { return UserObject.IsValid(); }
	virtual TBaseUObjectMethodDelegateInstance* Clone() const override { return new TBaseUObjectMethodDelegateInstance(*this); }

	/**
	 * Host departure: executing a binding whose object is gone is a checked failure here; the
	 * engine only checks in Debug builds and otherwise calls through a null pointer.
	 */
	virtual RetType Execute(ParamTypes... Params) const override
	{
		checkf(UserObject.IsValid(), TEXT("Executing a delegate bound to an object that was destroyed or marked as garbage."));
		return Call(std::forward<ParamTypes>(Params)...);
	}
	virtual bool ExecuteIfSafe(ParamTypes... Params) const override
	{
		if (!UserObject.IsValid())
		{
			return false;
		}
		(void)Call(std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	RetType Call(ParamTypes... Params) const
	{
		using FMutableUserClass = std::remove_const_t<UserClass>;
		FMutableUserClass* Object = const_cast<FMutableUserClass*>(RawUserObject);
		return UE::Delegates::Private::InvokeWithPayload<RetType>(
			[Object, Method = MethodPtr](auto&&... Args) -> RetType { return (Object->*Method)(std::forward<decltype(Args)>(Args)...); },
			this->Payload, std::index_sequence_for<VarTypes...>{}, std::forward<ParamTypes>(Params)...);
	}

	// The weak pointer decides whether the object lives; the raw pointer keeps its static type.
	FWeakObjectPtr UserObject;
	UserClass* RawUserObject;
	FMethodPtr MethodPtr;
};

// ---------------------------------------------------------------------------------------------

/** A member function of an object owned by shared pointers, weak on the object. */
template <bool bConst, class UserClass, ESPMode SPMode, typename FuncType, typename UserPolicy, typename... VarTypes>
class TBaseSPMethodDelegateInstance;

template <bool bConst, class UserClass, ESPMode SPMode, typename RetType, typename... ParamTypes, typename UserPolicy, typename... VarTypes>
class TBaseSPMethodDelegateInstance<bConst, UserClass, SPMode, RetType(ParamTypes...), UserPolicy, VarTypes...>
	: public UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>
{
	using Super = UE::Delegates::Private::TCommonDelegateInstanceState<RetType(ParamTypes...), UserPolicy, VarTypes...>;

public:
	using FMethodPtr = typename TMemFunPtrType<bConst, UserClass, RetType(ParamTypes..., VarTypes...)>::Type;

	template <typename... InVarTypes>
	explicit TBaseSPMethodDelegateInstance(const TSharedRef<UserClass, SPMode>& InUserObject, FMethodPtr InMethodPtr, InVarTypes&&... Vars)
		: Super(std::forward<InVarTypes>(Vars)...)
		, UserObject(InUserObject)
		, MethodPtr(InMethodPtr)
	{
		check(MethodPtr != nullptr);
	}

	virtual UObject* GetUObject() const override { return nullptr; }
	virtual const void* GetObjectForTimerManager() const override { return UserObject.Pin().Get(); }
	virtual bool HasSameObject(const void* InUserObject) const override { return UserObject.HasSameObject(InUserObject); }
	virtual bool IsSafeToExecute() const override { return UserObject.IsValid(); }
	virtual TBaseSPMethodDelegateInstance* Clone() const override { return new TBaseSPMethodDelegateInstance(*this); }

	virtual RetType Execute(ParamTypes... Params) const override
	{
		const TSharedPtr<UserClass, SPMode> Pinned = UserObject.Pin();
		checkf(Pinned.IsValid(), TEXT("Executing a delegate bound to a shared object that was destroyed."));
		return Call(Pinned.Get(), std::forward<ParamTypes>(Params)...);
	}
	virtual bool ExecuteIfSafe(ParamTypes... Params) const override
	{
		// Pinned for the duration of the call, so the object cannot die under it.
		const TSharedPtr<UserClass, SPMode> Pinned = UserObject.Pin();
		if (!Pinned.IsValid())
		{
			return false;
		}
		(void)Call(Pinned.Get(), std::forward<ParamTypes>(Params)...);
		return true;
	}

private:
	RetType Call(UserClass* Object, ParamTypes... Params) const
	{
		return UE::Delegates::Private::InvokeWithPayload<RetType>(
			[Object, Method = MethodPtr](auto&&... Args) -> RetType { return (Object->*Method)(std::forward<decltype(Args)>(Args)...); },
			this->Payload, std::index_sequence_for<VarTypes...>{}, std::forward<ParamTypes>(Params)...);
	}

	TWeakPtr<UserClass, SPMode> UserObject;
	FMethodPtr MethodPtr;
};
