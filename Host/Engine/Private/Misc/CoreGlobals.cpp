#include "CoreGlobals.h"

#include "Logging/HostLogFormat.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"
#include "UObject/NameTypes.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

DEFINE_LOG_CATEGORY(LogTemp);
DEFINE_LOG_CATEGORY(LogOutputDevice);

namespace
{
	// GWarn: forwards to GLog unchanged.
	class FHostWarnDevice final : public FOutputDevice
	{
	public:
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			FOutputDeviceRedirector::Get()->Serialize(V, Verbosity, Category);
		}
	};

	// GError: whatever it is given is a fatal error.
	class FHostErrorDevice final : public FOutputDevice
	{
	public:
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			(void)Verbosity;
			FOutputDeviceRedirector* Log = FOutputDeviceRedirector::Get();
			Log->Serialize(V, ELogVerbosity::Fatal, Category);
			Log->Flush();
			std::abort();
		}
	};

	FHostWarnDevice GHostWarnDevice;
	FHostErrorDevice GHostErrorDevice;

	std::thread::id GameThreadId()
	{
		static const std::thread::id Id = std::this_thread::get_id();
		return Id;
	}

	// Pins the game thread to the thread running static initialisation, unless something asked earlier.
	const std::thread::id GGameThreadIdAtLoad = GameThreadId();
}

FOutputDeviceRedirector* GLog = FOutputDeviceRedirector::Get();
FOutputDevice* GWarn = &GHostWarnDevice;
FOutputDevice* GError = &GHostErrorDevice;
bool GIsEditor = true;
uint64 GFrameCounter = 0;

bool IsInGameThread()
{
	return std::this_thread::get_id() == GameThreadId();
}
