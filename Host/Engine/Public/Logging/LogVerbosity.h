// Log verbosity levels, in the engine's order: a category logs a line when the line's level is at
// or below the category's verbosity.
#pragma once

#include "CoreTypes.h"

namespace ELogVerbosity
{
	enum Type : uint8
	{
		/** Not used for lines; a category set to it logs nothing. */
		NoLogging = 0,
		/** Always logged, then the process stops. */
		Fatal,
		Error,
		Warning,
		Display,
		Log,
		Verbose,
		VeryVerbose,

		All = VeryVerbose,
		NumVerbosity,
		VerbosityMask = 0xf,
		SetColor = 0x40,
		BreakOnLog = 0x80
	};
}

static_assert(ELogVerbosity::NumVerbosity - 1 < ELogVerbosity::VerbosityMask, "Bad verbosity mask.");

/** "NoLogging", "Fatal", ... "VeryVerbose" (the flag bits are ignored); "UnknownVerbosity" otherwise. */
CORE_API const TCHAR* ToString(ELogVerbosity::Type Verbosity);

class FString;

/** Case-insensitive inverse of ToString; NoLogging when the text names no level. */
CORE_API ELogVerbosity::Type ParseLogVerbosityFromString(const FString& VerbosityString);
