#include "CoreTypes.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace UE::Core::Private
{
	static FCoreCheckFailedHandler GCoreCheckFailedHandler = nullptr;

	void SetCoreCheckFailedHandler(FCoreCheckFailedHandler Handler)
	{
		GCoreCheckFailedHandler = Handler;
	}

	void CoreCheckFailed(const char* Expr, const char* File, int Line, const char* Format, ...)
	{
		char Message[2048];
		va_list Args;
		va_start(Args, Format);
		std::vsnprintf(Message, sizeof(Message), Format, Args);
		va_end(Args);

		if (GCoreCheckFailedHandler)
		{
			GCoreCheckFailedHandler(Expr, File, Line, Message);
		}
		std::fprintf(stderr, "Assertion failed: %s [File:%s] [Line: %d]\n%s\n", Expr, File, Line, Message);
		std::fflush(stderr);
		std::abort();
	}
}
