// UE_LOG and the log category macros.
//
//   DECLARE_LOG_CATEGORY_EXTERN(LogLumarch, Log, All);   // header
//   DEFINE_LOG_CATEGORY(LogLumarch);                       // one .cpp
//   DEFINE_LOG_CATEGORY_STATIC(LogLocal, Log, All);        // a .cpp of its own
//   UE_LOG(LogLumarch, Warning, TEXT("Sun %s missing"), *Name);
//
// The format must be a TEXT() literal and is checked against the arguments when compiling. A line
// whose verbosity the category suppresses costs one comparison: nothing is formatted or allocated.
// A Fatal line is always logged and then stops the process.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogCategory.h"
#include "Logging/LogVerbosity.h"
#include "Misc/FormatStringSan.h"

#include <type_traits>

#ifndef COMPILED_IN_MINIMUM_VERBOSITY
#define COMPILED_IN_MINIMUM_VERBOSITY VeryVerbose
#endif

namespace UE::Logging::Private
{
	/** Formats the line and hands it to GLog. */
	CORE_API void VARARGS BasicLogImpl(const FLogCategoryBase& Category, ELogVerbosity::Type Verbosity, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...);
	/** Formats the line, hands it to GLog at Fatal, then aborts the process. */
	[[noreturn]] CORE_API void VARARGS BasicFatalLogImpl(const FLogCategoryName& Category, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...);

	template <typename... ArgTypes>
	FORCEINLINE void BasicLog(const FLogCategoryBase& Category, ELogVerbosity::Type Verbosity, const ANSICHAR* File, int32 Line, const TCHAR* Format, const ArgTypes&... Args)
	{
		BasicLogImpl(Category, Verbosity, File, Line, Format, ::UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}

	template <typename... ArgTypes>
	[[noreturn]] FORCENOINLINE void BasicFatalLog(const FLogCategoryBase& Category, const ANSICHAR* File, int32 Line, const TCHAR* Format, const ArgTypes&... Args)
	{
		BasicFatalLogImpl(Category.GetCategoryName(), File, Line, Format, ::UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}
}

/** Logging by category name and run-time verbosity, for code that has no category object. */
struct FMsg
{
	template <typename FmtType, typename... Types>
	static void Logf(const ANSICHAR* File, int32 Line, const FLogCategoryName& Category, ELogVerbosity::Type Verbosity, const FmtType& Fmt, Types... Args)
	{
		static_assert(UE::Core::Private::FormatStringSan::TIsTCharArray<FmtType>, "Formatting string must be a TCHAR array.");
		static_assert(((UE::Core::Private::FormatStringSan::ClassifyArg<Types>() != UE::Core::Private::FormatStringSan::EArgKind::Invalid) && ...),
			"Invalid argument(s) passed to FMsg::Logf");
		LogfImpl(File, Line, Category, Verbosity, Fmt, UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}

private:
	CORE_API static void VARARGS LogfImpl(const ANSICHAR* File, int32 Line, const FLogCategoryName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Fmt, ...);
};

// Picks ActiveBlock for Fatal and SuppressedBlock for every other verbosity, by token.
#define UE_LOG_EXPAND_IS_FATAL(Verbosity, ActiveBlock, SuppressedBlock) UE_LOG_EXPAND_IS_FATAL_##Verbosity(ActiveBlock, SuppressedBlock)
#define UE_LOG_EXPAND_IS_FATAL_Fatal(ActiveBlock, SuppressedBlock) ActiveBlock
#define UE_LOG_EXPAND_IS_FATAL_Error(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_Warning(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_Display(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_Log(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_Verbose(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_VeryVerbose(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_All(ActiveBlock, SuppressedBlock) SuppressedBlock
#define UE_LOG_EXPAND_IS_FATAL_SetColor(ActiveBlock, SuppressedBlock) SuppressedBlock

#define UE_PRIVATE_LOG(Condition, CategoryName, Verbosity, Format, ...) \
	do \
	{ \
		UE_VALIDATE_FORMAT_STRING(Format __VA_OPT__(,) __VA_ARGS__); \
		UE_LOG_EXPAND_IS_FATAL(Verbosity, \
			{ \
				if (Condition) \
				{ \
					::UE::Logging::Private::BasicFatalLog(CategoryName, __FILE__, __LINE__, Format __VA_OPT__(,) __VA_ARGS__); \
				} \
			}, \
			{ \
				if constexpr ((::ELogVerbosity::Verbosity & ::ELogVerbosity::VerbosityMask) <= ::ELogVerbosity::COMPILED_IN_MINIMUM_VERBOSITY \
					&& (::ELogVerbosity::Verbosity & ::ELogVerbosity::VerbosityMask) <= FLogCategory##CategoryName::CompileTimeVerbosity) \
				{ \
					if (!CategoryName.IsSuppressed(::ELogVerbosity::Verbosity) && (Condition)) \
					{ \
						::UE::Logging::Private::BasicLog(CategoryName, ::ELogVerbosity::Verbosity, __FILE__, __LINE__, Format __VA_OPT__(,) __VA_ARGS__); \
					} \
				} \
			}) \
	} while (false)

/**
 * Logs a formatted line to a category at a verbosity (Fatal, Error, Warning, Display, Log,
 * Verbose, VeryVerbose), unless the category's verbosity suppresses it.
 */
#define UE_LOG(CategoryName, Verbosity, Format, ...) UE_PRIVATE_LOG(true, CategoryName, Verbosity, Format __VA_OPT__(,) __VA_ARGS__)

/** UE_LOG when Condition holds; Condition is only evaluated if the line is not suppressed. */
#define UE_CLOG(Condition, CategoryName, Verbosity, Format, ...) UE_PRIVATE_LOG(Condition, CategoryName, Verbosity, Format __VA_OPT__(,) __VA_ARGS__)

/** Whether UE_LOG at this verbosity would log. */
#define UE_LOG_ACTIVE(CategoryName, Verbosity) \
	(UE_LOG_EXPAND_IS_FATAL(Verbosity, true, false) || !CategoryName.IsSuppressed(::ELogVerbosity::Verbosity))

#define UE_GET_LOG_VERBOSITY(CategoryName) CategoryName.GetVerbosity()
#define UE_SET_LOG_VERBOSITY(CategoryName, Verbosity) CategoryName.SetVerbosity(::ELogVerbosity::Verbosity)

/** Declares a category defined elsewhere with DEFINE_LOG_CATEGORY; prefix with the module's API macro to export it. */
#define DECLARE_LOG_CATEGORY_EXTERN(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	extern struct FLogCategory##CategoryName : public FLogCategory<::ELogVerbosity::DefaultVerbosity, ::ELogVerbosity::CompileTimeVerbosity> \
	{ \
		FORCEINLINE FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {} \
	} CategoryName;

#define DEFINE_LOG_CATEGORY(CategoryName) FLogCategory##CategoryName CategoryName;

/** A category private to one source file. */
#define DEFINE_LOG_CATEGORY_STATIC(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	static struct FLogCategory##CategoryName : public FLogCategory<::ELogVerbosity::DefaultVerbosity, ::ELogVerbosity::CompileTimeVerbosity> \
	{ \
		FORCEINLINE FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {} \
	} CategoryName;

/** A category that is a static member of a class; define it with DEFINE_LOG_CATEGORY_CLASS. */
#define DECLARE_LOG_CATEGORY_CLASS(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	DEFINE_LOG_CATEGORY_STATIC(CategoryName, DefaultVerbosity, CompileTimeVerbosity)
#define DEFINE_LOG_CATEGORY_CLASS(Class, CategoryName) Class::FLogCategory##CategoryName Class::CategoryName;

/** The category for quick, temporary logging. (The engine declares it in CoreGlobals.h, which includes this header.) */
CORE_API DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);
/** The category of ensure and assertion reports. */
CORE_API DECLARE_LOG_CATEGORY_EXTERN(LogOutputDevice, Log, All);
