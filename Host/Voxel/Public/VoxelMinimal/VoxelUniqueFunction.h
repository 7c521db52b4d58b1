// A move-only callable.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Function.h"

template <typename FuncType>
class TVoxelUniqueFunction;

/** Host stand-in: the engine's move-only function with a const call. */
template <typename ReturnType, typename... ArgTypes>
class TVoxelUniqueFunction<ReturnType(ArgTypes...)>
{
public:
	TVoxelUniqueFunction() = default;
	template <typename FunctorType>
		requires(!std::is_same_v<std::decay_t<FunctorType>, TVoxelUniqueFunction>)
	TVoxelUniqueFunction(FunctorType&& Functor)
		: Function(std::forward<FunctorType>(Functor))
	{
	}
	TVoxelUniqueFunction(TVoxelUniqueFunction&&) = default;
	TVoxelUniqueFunction& operator=(TVoxelUniqueFunction&&) = default;
	TVoxelUniqueFunction(const TVoxelUniqueFunction&) = delete;
	TVoxelUniqueFunction& operator=(const TVoxelUniqueFunction&) = delete;

	ReturnType operator()(ArgTypes... Args) const { return Function(std::forward<ArgTypes>(Args)...); }
	explicit operator bool() const { return static_cast<bool>(Function); }

private:
	mutable TUniqueFunction<ReturnType(ArgTypes...)> Function;
};
