// Failure paths of check and ensure. Both report through GLog so that whatever output devices a
// program registered see them; neither prints a call stack (the engine's reports carry one).
#include "Misc/AssertionMacros.h"

#include "CoreGlobals.h"
#include "Logging/HostLogFormat.h"
#include "Misc/OutputDeviceRedirector.h"
#include "UObject/NameTypes.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

using UE::Logging::Private::FFormattedMessage;

namespace
{
	// The category both reports use, usable even before LogOutputDevice is constructed.
	FName OutputDeviceCategoryName()
	{
		static const FName Name(TEXT("LogOutputDevice"));
		return Name;
	}

	void SerializeFormatted(ELogVerbosity::Type Verbosity, const FName& Category, const TCHAR* Fmt, ...)
	{
		va_list Args;
		va_start(Args, Fmt);
		FFormattedMessage Message(Fmt, Args);
		va_end(Args);
		FOutputDeviceRedirector::Get()->Serialize(*Message, Verbosity, Category);
	}

	// "<Kind>: <expr> [File:<file>] [Line: <line>] \n<message>"
	void Report(const TCHAR* Kind, const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Message, ELogVerbosity::Type Verbosity)
	{
		SerializeFormatted(Verbosity, OutputDeviceCategoryName(), TEXT("%s: %hs [File:%hs] [Line: %d] \n%s"), Kind, Expr, File, (int)Line, Message);
	}
}

void FDebug::AssertFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	FFormattedMessage Message(Format ? Format : TEXT(""), Args);
	va_end(Args);
	Report(TEXT("Assertion failed"), Expr, File, Line, *Message, ELogVerbosity::Fatal);
	FOutputDeviceRedirector::Get()->Flush();
	std::abort();
}

namespace UE::Assert::Private
{
	void EnsureFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
	{
		va_list Args;
		va_start(Args, Format);
		FFormattedMessage Message(Format ? Format : TEXT(""), Args);
		va_end(Args);
		Report(TEXT("Ensure condition failed"), Expr, File, Line, *Message, ELogVerbosity::Error);
	}
}

namespace
{
	// Container and core-type preconditions fail through here once the log exists, so that their
	// reports reach the output devices like any other assertion.
	void HandleCoreCheckFailed(const char* Expr, const char* File, int Line, const char* Message)
	{
		FDebug::AssertFailed(Expr, File, Line, TEXT("%hs"), Message);
	}

	const bool bCoreCheckHandlerInstalled = (UE::Core::Private::SetCoreCheckFailedHandler(&HandleCoreCheckFailed), true);
}
