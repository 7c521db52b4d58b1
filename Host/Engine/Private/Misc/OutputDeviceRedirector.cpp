// GLog. Lines are delivered synchronously under one recursive lock: a device may log, add or remove
// devices from inside Serialize. Removal during delivery leaves a hole that is compacted once the
// outermost delivery ends, so iteration never allocates or shifts under a running loop.
#include "Misc/OutputDeviceRedirector.h"

#include "Containers/UnrealString.h"
#include "Logging/HostLogFormat.h"
#include "UObject/NameTypes.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

struct FOutputDeviceRedirector::FState
{
	std::recursive_mutex Mutex;
	std::vector<FOutputDevice*> Devices;
	int32 SerializeDepth = 0;
	bool bNeedsCompaction = false;
};

FOutputDeviceRedirector* FOutputDeviceRedirector::Get()
{
	// Never destroyed: lines may be logged while other statics are torn down.
	static FOutputDeviceRedirector* Instance = new FOutputDeviceRedirector(*new FState);
	return Instance;
}

void FOutputDeviceRedirector::AddOutputDevice(FOutputDevice* OutputDevice)
{
	if (!OutputDevice)
	{
		return;
	}
	std::lock_guard<std::recursive_mutex> Lock(State.Mutex);
	if (std::find(State.Devices.begin(), State.Devices.end(), OutputDevice) == State.Devices.end())
	{
		State.Devices.push_back(OutputDevice);
	}
}

void FOutputDeviceRedirector::RemoveOutputDevice(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::recursive_mutex> Lock(State.Mutex);
	auto It = std::find(State.Devices.begin(), State.Devices.end(), OutputDevice);
	if (It == State.Devices.end() || !OutputDevice)
	{
		return;
	}
	if (State.SerializeDepth > 0)
	{
		*It = nullptr;
		State.bNeedsCompaction = true;
	}
	else
	{
		State.Devices.erase(It);
	}
}

bool FOutputDeviceRedirector::IsRedirectingTo(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::recursive_mutex> Lock(State.Mutex);
	return OutputDevice && std::find(State.Devices.begin(), State.Devices.end(), OutputDevice) != State.Devices.end();
}

static void WriteLineToStderr(const TCHAR* Data, ELogVerbosity::Type Verbosity, const FName& Category)
{
	// "Category: Verbosity: message", the engine's console format (no verbosity for Log lines).
	std::string Line;
	if (!Category.IsNone())
	{
		UE::Logging::Private::AppendUtf8(Line, *Category.ToString());
		Line += ": ";
	}
	const ELogVerbosity::Type Level = (ELogVerbosity::Type)(Verbosity & ELogVerbosity::VerbosityMask);
	if (Level != ELogVerbosity::Log)
	{
		UE::Logging::Private::AppendUtf8(Line, ToString(Level));
		Line += ": ";
	}
	UE::Logging::Private::AppendUtf8(Line, Data ? Data : TEXT(""));
	Line += '\n';
	std::fwrite(Line.data(), 1, Line.size(), stderr);
}

void FOutputDeviceRedirector::Serialize(const TCHAR* Data, ELogVerbosity::Type Verbosity, const FName& Category)
{
	std::lock_guard<std::recursive_mutex> Lock(State.Mutex);

	const ELogVerbosity::Type Level = (ELogVerbosity::Type)(Verbosity & ELogVerbosity::VerbosityMask);
	const bool bHasDevices = std::any_of(State.Devices.begin(), State.Devices.end(), [](FOutputDevice* Device) { return Device != nullptr; });
	if (Level <= ELogVerbosity::Error || (!bHasDevices && Level <= ELogVerbosity::Warning))
	{
		WriteLineToStderr(Data, Verbosity, Category);
	}

	// Devices added while delivering get the next line, not this one.
	++State.SerializeDepth;
	const size_t Count = State.Devices.size();
	for (size_t Index = 0; Index < Count; ++Index)
	{
		if (FOutputDevice* Device = State.Devices[Index])
		{
			Device->Serialize(Data, Verbosity, Category);
		}
	}
	--State.SerializeDepth;

	if (State.SerializeDepth == 0 && State.bNeedsCompaction)
	{
		State.Devices.erase(std::remove(State.Devices.begin(), State.Devices.end(), nullptr), State.Devices.end());
		State.bNeedsCompaction = false;
	}
}

void FOutputDeviceRedirector::Serialize(const TCHAR* Data, ELogVerbosity::Type Verbosity, const FName& Category, const double Time)
{
	(void)Time;
	Serialize(Data, Verbosity, Category);
}

void FOutputDeviceRedirector::Flush()
{
	std::lock_guard<std::recursive_mutex> Lock(State.Mutex);
	for (FOutputDevice* Device : State.Devices)
	{
		if (Device)
		{
			Device->Flush();
		}
	}
	std::fflush(stderr);
}

void FOutputDeviceRedirector::TearDown()
{
	std::lock_guard<std::recursive_mutex> Lock(State.Mutex);
	std::vector<FOutputDevice*> Devices;
	Devices.swap(State.Devices);
	for (FOutputDevice* Device : Devices)
	{
		if (Device)
		{
			Device->TearDown();
		}
	}
}
