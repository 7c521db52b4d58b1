// The engine's most basic types: platform typedefs, INDEX_NONE, init tags, module API macros.
#pragma once

#include "HAL/Platform.h"

// The engine declares INDEX_NONE in an anonymous enum; a typed constant behaves the same in every
// comparison and also deduces as int32 in templates such as FMath::Max(Index, INDEX_NONE).
inline constexpr int32 INDEX_NONE = -1;
enum { UNICODE_BOM = 0xfeff };

enum EForceInit
{
	ForceInit,
	ForceInitToZero
};

enum ENoInit
{
	NoInit
};

enum EInPlace
{
	InPlace
};

// Module API macros: every module is built into one shared host library, so all export.
#ifndef CORE_API
#define CORE_API DLLEXPORT
#endif
#ifndef COREUOBJECT_API
#define COREUOBJECT_API DLLEXPORT
#endif
#ifndef ENGINE_API
#define ENGINE_API DLLEXPORT
#endif
#ifndef ZNLUMARCH_API
#define ZNLUMARCH_API DLLEXPORT
#endif
#ifndef ZNTIMEOFDAY_API
#define ZNTIMEOFDAY_API DLLEXPORT
#endif
#ifndef VOXEL_API
#define VOXEL_API DLLEXPORT
#endif
#ifndef VOXELCORE_API
#define VOXELCORE_API DLLEXPORT
#endif

namespace UE::Core::Private
{
	// Fatal failure of a container/core precondition (bad index, empty TOptional...). Core types
	// cannot depend on the logging layer, so they report through this: it prints the message to
	// stderr and aborts. A higher layer may install its own handler (it must not return).
	using FCoreCheckFailedHandler = void (*)(const char* Expr, const char* File, int Line, const char* Message);
	CORE_API void SetCoreCheckFailedHandler(FCoreCheckFailedHandler Handler);

	[[noreturn]] CORE_API void CoreCheckFailed(const char* Expr, const char* File, int Line, const char* Format, ...)
		__attribute__((format(printf, 4, 5)));
}

// checkf-like guard for core types. Format is a narrow printf format.
#define UE_CORE_CHECKF(Expr, Format, ...) \
	do { if (UE_UNLIKELY(!(Expr))) { ::UE::Core::Private::CoreCheckFailed(#Expr, __FILE__, __LINE__, Format, ##__VA_ARGS__); } } while (0)
