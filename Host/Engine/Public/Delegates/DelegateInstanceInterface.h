// The signature-typed interface of a delegate binding, and the member-function-pointer type helper.
#pragma once

#include "CoreTypes.h"
#include "Delegates/IDelegateInstance.h"

/** TMemFunPtrType<bConst, Class, Ret(Args...)>::Type is `Ret (Class::*)(Args...)` (const when bConst). */
template <bool bConst, typename Class, typename FuncType>
struct TMemFunPtrType;

template <typename Class, typename RetType, typename... ArgTypes>
struct TMemFunPtrType<false, Class, RetType(ArgTypes...)>
{
	typedef RetType (Class::*Type)(ArgTypes...);
};

template <typename Class, typename RetType, typename... ArgTypes>
struct TMemFunPtrType<true, Class, RetType(ArgTypes...)>
{
	typedef RetType (Class::*Type)(ArgTypes...) const;
};

/** Policy slot kept for source compatibility with the engine's delegate templates. */
struct FDefaultDelegateUserPolicy
{
};

template <typename FuncType, typename UserPolicy = FDefaultDelegateUserPolicy>
class IBaseDelegateInstance;

template <typename RetType, typename... ParamTypes, typename UserPolicy>
class IBaseDelegateInstance<RetType(ParamTypes...), UserPolicy> : public IDelegateInstance
{
public:
	/** A copy of this binding with the same handle. */
	virtual IBaseDelegateInstance* Clone() const = 0;

	/** Calls the binding; the binding must be safe to execute. */
	virtual RetType Execute(ParamTypes... Params) const = 0;

	/** Calls the binding if it is safe to execute (the result of a non-void binding is discarded). */
	virtual bool ExecuteIfSafe(ParamTypes... Params) const = 0;
};
