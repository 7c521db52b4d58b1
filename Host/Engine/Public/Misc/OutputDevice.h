// An output device: where log lines go. GLog (Misc/OutputDeviceRedirector.h) fans every UE_LOG line
// and every ensure report out to the devices registered on it.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"
#include "Misc/FormatStringSan.h"

#include <type_traits>

class FName;
class FString;

class CORE_API FOutputDevice
{
public:
	FOutputDevice() = default;
	FOutputDevice(FOutputDevice&&) = default;
	FOutputDevice(const FOutputDevice&) = default;
	FOutputDevice& operator=(FOutputDevice&&) = default;
	FOutputDevice& operator=(const FOutputDevice&) = default;
	virtual ~FOutputDevice();

	/**
	 * Receives one line. V is the formatted message alone, without category or verbosity prefix and
	 * without a line terminator; Category is e.g. LogTemp.
	 */
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) = 0;
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category, const double Time);

	virtual void Flush() {}
	virtual void TearDown() {}
	virtual bool IsMemoryOnly() const { return false; }
	virtual bool CanBeUsedOnAnyThread() const { return false; }
	virtual bool CanBeUsedOnMultipleThreads() const { return false; }

	void SetSuppressEventTag(bool bInSuppressEventTag) { bSuppressEventTag = bInSuppressEventTag; }
	bool GetSuppressEventTag() const { return bSuppressEventTag; }
	void SetAutoEmitLineTerminator(bool bInAutoEmitLineTerminator) { bAutoEmitLineTerminator = bInAutoEmitLineTerminator; }
	bool GetAutoEmitLineTerminator() const { return bAutoEmitLineTerminator; }

	// Simple text: verbosity Log and category None unless given.
	void Log(const TCHAR* S);
	void Log(ELogVerbosity::Type Verbosity, const TCHAR* S);
	void Log(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Str);
	void Log(const FString& S);
	void Log(ELogVerbosity::Type Verbosity, const FString& S);
	void Log(const FName& Category, ELogVerbosity::Type Verbosity, const FString& S);

	/** printf-style line at verbosity Log. The format must be a TEXT() literal, as in the engine. */
	template <typename FmtType, typename... Types>
	void Logf(const FmtType& Fmt, Types... Args)
	{
		static_assert(UE::Core::Private::FormatStringSan::TIsTCharArray<FmtType>, "Formatting string must be a TCHAR array.");
		static_assert(((UE::Core::Private::FormatStringSan::ClassifyArg<Types>() != UE::Core::Private::FormatStringSan::EArgKind::Invalid) && ...),
			"Invalid argument(s) passed to FOutputDevice::Logf");
		LogfImpl(Fmt, UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}
	template <typename FmtType, typename... Types>
	void Logf(ELogVerbosity::Type Verbosity, const FmtType& Fmt, Types... Args)
	{
		static_assert(UE::Core::Private::FormatStringSan::TIsTCharArray<FmtType>, "Formatting string must be a TCHAR array.");
		static_assert(((UE::Core::Private::FormatStringSan::ClassifyArg<Types>() != UE::Core::Private::FormatStringSan::EArgKind::Invalid) && ...),
			"Invalid argument(s) passed to FOutputDevice::Logf");
		LogfImpl(Verbosity, Fmt, UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}
	template <typename FmtType, typename... Types>
	void CategorizedLogf(const FName& Category, ELogVerbosity::Type Verbosity, const FmtType& Fmt, Types... Args)
	{
		static_assert(UE::Core::Private::FormatStringSan::TIsTCharArray<FmtType>, "Formatting string must be a TCHAR array.");
		static_assert(((UE::Core::Private::FormatStringSan::ClassifyArg<Types>() != UE::Core::Private::FormatStringSan::EArgKind::Invalid) && ...),
			"Invalid argument(s) passed to FOutputDevice::CategorizedLogf");
		CategorizedLogfImpl(Category, Verbosity, Fmt, UE::Core::Private::FormatStringSan::ToVarArg(Args)...);
	}

protected:
	bool bSuppressEventTag = false;
	bool bAutoEmitLineTerminator = true;

private:
	void LogfImpl(const TCHAR* Fmt, ...);
	void LogfImpl(ELogVerbosity::Type Verbosity, const TCHAR* Fmt, ...);
	void CategorizedLogfImpl(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Fmt, ...);
};
