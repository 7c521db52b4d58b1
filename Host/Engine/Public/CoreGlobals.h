// Process-wide globals of the core: the log, the editor flag, the frame counter, the game thread.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogMacros.h"

class FOutputDevice;
class FOutputDeviceRedirector;

/** The log: every UE_LOG line and ensure report goes through it to the registered devices. */
extern CORE_API FOutputDeviceRedirector* GLog;

/**
 * Warnings and errors of long operations. Host departure: the engine's GWarn is an
 * FFeedbackContext (progress dialogs, warning counts); here it is a device that forwards to GLog.
 */
extern CORE_API FOutputDevice* GWarn;

/**
 * Critical errors. Host departure: the engine's GError is an FOutputDeviceError; here it is a
 * device that logs what it is given at Fatal through GLog and then aborts, as the engine's does.
 */
extern CORE_API FOutputDevice* GError;

/**
 * Editor worlds exist in the host (the previewer and editor-event tests use them), so the process
 * is an editor process, as the engine's is whenever it runs editor worlds.
 */
extern CORE_API bool GIsEditor;

/** Frames rendered so far; the world tick advances it once per frame. */
extern CORE_API uint64 GFrameCounter;

/**
 * True on the game thread: the thread that loaded the host library, i.e. the program's main
 * thread (static initialisation runs there).
 */
CORE_API bool IsInGameThread();

// LogTemp and LogOutputDevice, which the engine declares here, are declared in Logging/LogMacros.h
// (included above) so that code including only that header can use them too.
