#pragma once

#include "UObject/Object.h"
#include "UObject/Class.h"
#include "UObject/ObjectPtr.h"
#include <cstdlib>
#include <type_traits>

template<class From, class To>
using TCopyQualifiersFromTo_T = std::conditional_t<std::is_const_v<From>, const To, To>;

/** Null when Src is null or not of class To (garbage objects still cast, as in the engine). */
template<class To, class From>
TCopyQualifiersFromTo_T<From, To>* Cast(From* Src)
{
	return Src && ((const UObject*)Src)->IsA(std::remove_const_t<To>::StaticClass()) ? (TCopyQualifiersFromTo_T<From, To>*)Src : nullptr;
}

template<class To, class From>
To* Cast(const TObjectPtr<From>& Src)
{
	return Cast<To>(Src.Get());
}

template<class To, class From>
TCopyQualifiersFromTo_T<From, To>* CastChecked(From* Src)
{
	auto* Result = Cast<To>(Src);
	if (!Result)
	{
		std::abort();
	}
	return Result;
}

template<class To, class From>
To* CastChecked(const TObjectPtr<From>& Src)
{
	return CastChecked<To>(Src.Get());
}

template<class To, class From>
TCopyQualifiersFromTo_T<From, To>* ExactCast(From* Src)
{
	return Src && ((const UObject*)Src)->GetClass() == std::remove_const_t<To>::StaticClass() ? (TCopyQualifiersFromTo_T<From, To>*)Src : nullptr;
}
