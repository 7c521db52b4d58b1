// check / verify (fatal) and ensure (reported, non-fatal) as in the engine's development builds.
//
// check(expr), checkf(expr, TEXT(fmt), ...), checkNoEntry(), verify(expr), verifyf(...):
//   on failure log "Assertion failed: <expr> [File:<file>] [Line: <line>] \n<message>" at Fatal to
//   category LogOutputDevice, then abort. check is compiled out (not evaluated) when DO_CHECK is 0;
//   verify always evaluates. checkSlow and friends only exist when DO_GUARD_SLOW is 1 (Debug
//   builds); the host, like a Development build, leaves them out.
// ensure(expr), ensureMsgf(expr, TEXT(fmt), ...), ensureAlways, ensureAlwaysMsgf:
//   evaluate to expr. The first failure of each call site in a process is reported through GLog at
//   Error, category LogOutputDevice, as "Ensure condition failed: <expr> [File:<file>] [Line: <line>] \n<message>";
//   later failures at that site are silent. The ensureAlways forms report every failure.
//   Host departure: the engine follows the report with a call stack; the host does not.
//
// This header depends on CoreTypes.h only, so the lowest core headers may use it.
#pragma once

#include "CoreTypes.h"
#include "Misc/FormatStringSan.h"

#include <atomic>

#ifndef DO_CHECK
#define DO_CHECK 1
#endif
#ifndef DO_GUARD_SLOW
#define DO_GUARD_SLOW 0
#endif
#ifndef DO_ENSURE
#define DO_ENSURE 1
#endif

struct FDebug
{
	/** Logs the failed assertion at Fatal and aborts. Format is a TCHAR printf format. */
	[[noreturn]] CORE_API static void VARARGS AssertFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format = TEXT(""), ...);
};

namespace UE::Assert::Private
{
	/** Reports a failed ensure through GLog (Error, LogOutputDevice). */
	CORE_API void VARARGS EnsureFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...);

	template <typename... ArgTypes>
	[[noreturn]] FORCENOINLINE void AssertFailedf(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, const ArgTypes&... Args)
	{
		FDebug::AssertFailed(Expr, File, Line, Format, ::UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}

	template <typename... ArgTypes>
	FORCENOINLINE void ReportEnsure(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, const ArgTypes&... Args)
	{
		EnsureFailed(Expr, File, Line, Format, ::UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}
}

// ---------------------------------------------------------------------------------------------
// check / verify

#define UE_CHECK_IMPL(Expr) \
	do \
	{ \
		if (UNLIKELY(!(Expr))) \
		{ \
			::FDebug::AssertFailed(#Expr, __FILE__, __LINE__); \
		} \
	} while (false)

#define UE_CHECK_F_IMPL(Expr, Format, ...) \
	do \
	{ \
		UE_VALIDATE_FORMAT_STRING(Format __VA_OPT__(,) __VA_ARGS__); \
		if (UNLIKELY(!(Expr))) \
		{ \
			::UE::Assert::Private::AssertFailedf(#Expr, __FILE__, __LINE__, Format __VA_OPT__(,) __VA_ARGS__); \
		} \
	} while (false)

// Keeps the expression compiling (and its variables "used") without evaluating it.
#define UE_CHECK_DISABLED_IMPL(Expr) \
	do \
	{ \
		if constexpr (false) \
		{ \
			(void)(Expr); \
		} \
	} while (false)

#if DO_CHECK
	#define check(Expr) UE_CHECK_IMPL(Expr)
	#define checkf(Expr, Format, ...) UE_CHECK_F_IMPL(Expr, Format __VA_OPT__(,) __VA_ARGS__)
	#define verify(Expr) UE_CHECK_IMPL(Expr)
	#define verifyf(Expr, Format, ...) UE_CHECK_F_IMPL(Expr, Format __VA_OPT__(,) __VA_ARGS__)
	#define checkCode(Code) do { Code; } while (false)
	#define checkNoEntry() ::FDebug::AssertFailed("Enclosing block should never be called", __FILE__, __LINE__)
	#define checkNoReentry() \
		do \
		{ \
			static std::atomic<bool> bBeenHere{false}; \
			if (bBeenHere.exchange(true)) \
			{ \
				::FDebug::AssertFailed("Enclosing block was called more than once", __FILE__, __LINE__); \
			} \
		} while (false)
	#define unimplemented() ::FDebug::AssertFailed("Unimplemented function called", __FILE__, __LINE__)
#else
	#define check(Expr) UE_CHECK_DISABLED_IMPL(Expr)
	#define checkf(Expr, Format, ...) UE_CHECK_DISABLED_IMPL(Expr)
	#define verify(Expr) do { if (!(Expr)) {} } while (false)
	#define verifyf(Expr, Format, ...) do { if (!(Expr)) {} } while (false)
	#define checkCode(Code) do {} while (false)
	#define checkNoEntry() do {} while (false)
	#define checkNoReentry() do {} while (false)
	#define unimplemented() do {} while (false)
#endif

#if DO_GUARD_SLOW
	#define checkSlow(Expr) check(Expr)
	#define checkfSlow(Expr, Format, ...) checkf(Expr, Format __VA_OPT__(,) __VA_ARGS__)
	#define verifySlow(Expr) check(Expr)
#else
	#define checkSlow(Expr) UE_CHECK_DISABLED_IMPL(Expr)
	#define checkfSlow(Expr, Format, ...) UE_CHECK_DISABLED_IMPL(Expr)
	#define verifySlow(Expr) do { if (!(Expr)) {} } while (false)
#endif

// ---------------------------------------------------------------------------------------------
// ensure

#if DO_ENSURE
	// The lambda holds the per-site "already reported" flag: each expansion is its own lambda type,
	// hence its own static.
	#define UE_ENSURE_IMPL(Capture, bAlways, InExpression, ...) \
		(LIKELY(!!(InExpression)) || ([Capture]() -> bool \
		{ \
			UE_VALIDATE_FORMAT_STRING(__VA_ARGS__); \
			static std::atomic<bool> bExecuted{false}; \
			if ((bAlways) || !bExecuted.exchange(true, std::memory_order_relaxed)) \
			{ \
				::UE::Assert::Private::ReportEnsure(#InExpression, __FILE__, __LINE__, __VA_ARGS__); \
			} \
			return false; \
		}()))

	#define ensure(InExpression) UE_ENSURE_IMPL(, false, InExpression, TEXT(""))
	#define ensureMsgf(InExpression, InFormat, ...) UE_ENSURE_IMPL(&, false, InExpression, InFormat __VA_OPT__(,) __VA_ARGS__)
	#define ensureAlways(InExpression) UE_ENSURE_IMPL(, true, InExpression, TEXT(""))
	#define ensureAlwaysMsgf(InExpression, InFormat, ...) UE_ENSURE_IMPL(&, true, InExpression, InFormat __VA_OPT__(,) __VA_ARGS__)
#else
	#define ensure(InExpression) (!!(InExpression))
	#define ensureMsgf(InExpression, InFormat, ...) (!!(InExpression))
	#define ensureAlways(InExpression) (!!(InExpression))
	#define ensureAlwaysMsgf(InExpression, InFormat, ...) (!!(InExpression))
#endif
