// Log categories: a name and a run-time verbosity, declared with the macros in LogMacros.h.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

#include <atomic>

typedef FName FLogCategoryName;

struct FLogCategoryBase
{
	CORE_API FLogCategoryBase(const TCHAR* CategoryName, ELogVerbosity::Type DefaultVerbosity, ELogVerbosity::Type CompileTimeVerbosity);
	CORE_API FLogCategoryBase(const FLogCategoryName& CategoryName, ELogVerbosity::Type DefaultVerbosity, ELogVerbosity::Type CompileTimeVerbosity);
	CORE_API ~FLogCategoryBase();

	FLogCategoryBase(const FLogCategoryBase&) = delete;
	FLogCategoryBase& operator=(const FLogCategoryBase&) = delete;

	/** True when a line of this verbosity would not be logged (Fatal lines are logged regardless). */
	FORCEINLINE bool IsSuppressed(ELogVerbosity::Type VerbosityLevel) const
	{
		return !((VerbosityLevel & ELogVerbosity::VerbosityMask) <= Verbosity.load(std::memory_order_relaxed));
	}

	FORCEINLINE const FLogCategoryName& GetCategoryName() const { return CategoryName; }
	ELogVerbosity::Type GetVerbosity() const { return (ELogVerbosity::Type)Verbosity.load(std::memory_order_relaxed); }
	ELogVerbosity::Type GetCompileTimeVerbosity() const { return CompileTimeVerbosity; }

	/** Sets the run-time verbosity, clamped to the compile-time verbosity (flag bits are ignored). */
	CORE_API void SetVerbosity(ELogVerbosity::Type Verbosity);
	/** Back to the verbosity the category was declared with. */
	CORE_API void ResetFromDefault();

private:
	// Read by logging threads while the game thread may change it.
	std::atomic<uint8> Verbosity;
	const uint8 DefaultVerbosity;
	const ELogVerbosity::Type CompileTimeVerbosity;
	const FLogCategoryName CategoryName;
};

template <ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity>
struct FLogCategory : public FLogCategoryBase
{
	static_assert((InDefaultVerbosity & ELogVerbosity::VerbosityMask) < ELogVerbosity::NumVerbosity, "Bogus default verbosity.");
	static_assert(InCompileTimeVerbosity < ELogVerbosity::NumVerbosity, "Bogus compile time verbosity.");

	static constexpr ELogVerbosity::Type CompileTimeVerbosity = InCompileTimeVerbosity;

	FORCEINLINE FLogCategory(const TCHAR* InCategoryName)
		: FLogCategoryBase(InCategoryName, InDefaultVerbosity, CompileTimeVerbosity)
	{
	}
	FORCEINLINE FLogCategory(const FLogCategoryName& InCategoryName)
		: FLogCategoryBase(InCategoryName, InDefaultVerbosity, CompileTimeVerbosity)
	{
	}
};
