// Log categories and the entry points UE_LOG expands to.
#include "Logging/LogMacros.h"

#include "Containers/UnrealString.h"
#include "CoreGlobals.h"
#include "Logging/HostLogFormat.h"
#include "Misc/OutputDeviceRedirector.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

using UE::Logging::Private::FFormattedMessage;

const TCHAR* ToString(ELogVerbosity::Type Verbosity)
{
	switch (Verbosity & ELogVerbosity::VerbosityMask)
	{
	case ELogVerbosity::NoLogging: return TEXT("NoLogging");
	case ELogVerbosity::Fatal: return TEXT("Fatal");
	case ELogVerbosity::Error: return TEXT("Error");
	case ELogVerbosity::Warning: return TEXT("Warning");
	case ELogVerbosity::Display: return TEXT("Display");
	case ELogVerbosity::Log: return TEXT("Log");
	case ELogVerbosity::Verbose: return TEXT("Verbose");
	case ELogVerbosity::VeryVerbose: return TEXT("VeryVerbose");
	default: return TEXT("UnknownVerbosity");
	}
}

ELogVerbosity::Type ParseLogVerbosityFromString(const FString& VerbosityString)
{
	auto EqualsIgnoreCase = [](const TCHAR* A, const TCHAR* B)
	{
		auto Lower = [](TCHAR C) { return C >= u'A' && C <= u'Z' ? (TCHAR)(C - u'A' + u'a') : C; };
		for (; *A && *B; ++A, ++B)
		{
			if (Lower(*A) != Lower(*B))
			{
				return false;
			}
		}
		return *A == *B;
	};
	const TCHAR* Text = *VerbosityString;
	for (uint8 Level = ELogVerbosity::NoLogging; Level < ELogVerbosity::NumVerbosity; ++Level)
	{
		if (EqualsIgnoreCase(Text, ToString((ELogVerbosity::Type)Level)))
		{
			return (ELogVerbosity::Type)Level;
		}
	}
	return EqualsIgnoreCase(Text, TEXT("All")) ? ELogVerbosity::All : ELogVerbosity::NoLogging;
}

FLogCategoryBase::FLogCategoryBase(const TCHAR* InCategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity)
	: FLogCategoryBase(FLogCategoryName(InCategoryName), InDefaultVerbosity, InCompileTimeVerbosity)
{
}

FLogCategoryBase::FLogCategoryBase(const FLogCategoryName& InCategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity)
	: Verbosity(ELogVerbosity::NoLogging)
	, DefaultVerbosity(InDefaultVerbosity)
	, CompileTimeVerbosity(InCompileTimeVerbosity)
	, CategoryName(InCategoryName)
{
	ResetFromDefault();
}

FLogCategoryBase::~FLogCategoryBase() = default;

void FLogCategoryBase::SetVerbosity(ELogVerbosity::Type NewVerbosity)
{
	const uint8 Requested = NewVerbosity & ELogVerbosity::VerbosityMask;
	Verbosity.store(std::min<uint8>(Requested, (uint8)CompileTimeVerbosity), std::memory_order_relaxed);
}

void FLogCategoryBase::ResetFromDefault()
{
	SetVerbosity((ELogVerbosity::Type)DefaultVerbosity);
}

namespace UE::Logging::Private
{
	void BasicLogImpl(const FLogCategoryBase& Category, ELogVerbosity::Type Verbosity, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
	{
		(void)File;
		(void)Line;
		va_list Args;
		va_start(Args, Format);
		FFormattedMessage Message(Format, Args);
		va_end(Args);
		FOutputDeviceRedirector::Get()->Serialize(*Message, Verbosity, Category.GetCategoryName());
	}

	[[noreturn]] static void FatalAbort(const TCHAR* Message, const FLogCategoryName& Category, const ANSICHAR* File, int32 Line)
	{
		FOutputDeviceRedirector* Log = FOutputDeviceRedirector::Get();
		Log->Serialize(Message, ELogVerbosity::Fatal, Category);
		std::fprintf(stderr, "Fatal error: [File:%s] [Line: %d]\n", File, (int)Line);
		Log->Flush();
		std::abort();
	}

	void BasicFatalLogImpl(const FLogCategoryName& Category, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
	{
		va_list Args;
		va_start(Args, Format);
		FFormattedMessage Message(Format, Args);
		va_end(Args);
		FatalAbort(*Message, Category, File, Line);
	}
}

void FMsg::LogfImpl(const ANSICHAR* File, int32 Line, const FLogCategoryName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Fmt, ...)
{
	va_list Args;
	va_start(Args, Fmt);
	FFormattedMessage Message(Fmt, Args);
	va_end(Args);
	if ((Verbosity & ELogVerbosity::VerbosityMask) == ELogVerbosity::Fatal)
	{
		UE::Logging::Private::FatalAbort(*Message, Category, File, Line);
	}
	FOutputDeviceRedirector::Get()->Serialize(*Message, Verbosity, Category);
}
