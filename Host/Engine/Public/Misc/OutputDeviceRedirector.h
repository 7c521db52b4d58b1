// GLog: the output device that forwards each line to every device registered on it.
#pragma once

#include "CoreTypes.h"
#include "Misc/OutputDevice.h"

class CORE_API FOutputDeviceRedirector final : public FOutputDevice
{
public:
	/** The process-wide redirector (GLog points at it); usable during static initialisation. */
	static FOutputDeviceRedirector* Get();

	/** Adds a device; adding one that is already registered does nothing. */
	void AddOutputDevice(FOutputDevice* OutputDevice);
	/** Removes a device; safe from inside a device's Serialize (the device gets no further lines). */
	void RemoveOutputDevice(FOutputDevice* OutputDevice);
	bool IsRedirectingTo(FOutputDevice* OutputDevice);

	/**
	 * Hands the line to every registered device, in registration order. Host departure: the engine
	 * buffers lines from other threads and delivers them on its primary thread; here every line is
	 * delivered at once, on the calling thread, one line at a time (so devices see a consistent
	 * order and need no locking of their own).
	 *
	 * With no device registered, Warning and above are written to stderr as
	 * "Category: Warning: message" (the engine's console device). Error and Fatal always also go
	 * to stderr, so that a failing program says why.
	 */
	virtual void Serialize(const TCHAR* Data, ELogVerbosity::Type Verbosity, const FName& Category) override;
	virtual void Serialize(const TCHAR* Data, ELogVerbosity::Type Verbosity, const FName& Category, const double Time) override;

	virtual void Flush() override;
	void FlushThreadedLogs() {}
	void PanicFlushThreadedLogs() { Flush(); }
	void SetCurrentThreadAsPrimaryThread() {}
	virtual void TearDown() override;
	virtual bool CanBeUsedOnAnyThread() const override { return true; }
	virtual bool CanBeUsedOnMultipleThreads() const override { return true; }

private:
	struct FState;
	explicit FOutputDeviceRedirector(FState& InState) : State(InState) {}

	FState& State;
};
