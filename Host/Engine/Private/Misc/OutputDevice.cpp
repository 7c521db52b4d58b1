#include "Misc/OutputDevice.h"

#include "Containers/UnrealString.h"
#include "Logging/HostLogFormat.h"
#include "UObject/NameTypes.h"

#include <cstdarg>

using UE::Logging::Private::FFormattedMessage;

FOutputDevice::~FOutputDevice() = default;

void FOutputDevice::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category, const double Time)
{
	(void)Time;
	Serialize(V, Verbosity, Category);
}

void FOutputDevice::Log(const TCHAR* S)
{
	Serialize(S, ELogVerbosity::Log, NAME_None);
}

void FOutputDevice::Log(ELogVerbosity::Type Verbosity, const TCHAR* S)
{
	Serialize(S, Verbosity, NAME_None);
}

void FOutputDevice::Log(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Str)
{
	Serialize(Str, Verbosity, Category);
}

void FOutputDevice::Log(const FString& S)
{
	Serialize(*S, ELogVerbosity::Log, NAME_None);
}

void FOutputDevice::Log(ELogVerbosity::Type Verbosity, const FString& S)
{
	Serialize(*S, Verbosity, NAME_None);
}

void FOutputDevice::Log(const FName& Category, ELogVerbosity::Type Verbosity, const FString& S)
{
	Serialize(*S, Verbosity, Category);
}

void FOutputDevice::LogfImpl(const TCHAR* Fmt, ...)
{
	va_list Args;
	va_start(Args, Fmt);
	FFormattedMessage Message(Fmt, Args);
	va_end(Args);
	Serialize(*Message, ELogVerbosity::Log, NAME_None);
}

void FOutputDevice::LogfImpl(ELogVerbosity::Type Verbosity, const TCHAR* Fmt, ...)
{
	va_list Args;
	va_start(Args, Fmt);
	FFormattedMessage Message(Fmt, Args);
	va_end(Args);
	Serialize(*Message, Verbosity, NAME_None);
}

void FOutputDevice::CategorizedLogfImpl(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Fmt, ...)
{
	va_list Args;
	va_start(Args, Fmt);
	FFormattedMessage Message(Fmt, Args);
	va_end(Args);
	Serialize(*Message, Verbosity, Category);
}
