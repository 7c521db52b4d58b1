// The host's printf for TCHAR text: what UE_LOG, checkf, ensureMsgf and FOutputDevice::Logf format
// with. It implements exactly the grammar Misc/FormatStringSan.h accepts at compile time.
#pragma once

#include "CoreTypes.h"

#include <cstdarg>
#include <memory>

namespace UE::Logging::Private
{
	/**
	 * vsnprintf for TCHAR: writes at most DestCount - 1 code units and a terminator (DestCount > 0),
	 * returns the length of the whole formatted text.
	 */
	int32 FormatV(TCHAR* Dest, int32 DestCount, const TCHAR* Fmt, va_list Args);

	/** A formatted message, kept on the stack when it fits so that ordinary lines do not allocate. */
	class FFormattedMessage
	{
	public:
		FFormattedMessage(const TCHAR* Fmt, va_list Args);
		FFormattedMessage(const FFormattedMessage&) = delete;
		FFormattedMessage& operator=(const FFormattedMessage&) = delete;

		const TCHAR* operator*() const { return Text; }
		int32 Len() const { return Length; }

	private:
		TCHAR Inline[512];
		std::unique_ptr<TCHAR[]> Heap;
		const TCHAR* Text = Inline;
		int32 Length = 0;
	};

	/** UTF-16 to UTF-8 (unpaired surrogates become U+FFFD), appended to Out. */
	template <typename OutputType>
	void AppendUtf8(OutputType& Out, const TCHAR* Text);

	/** Appends the UTF-8 encoding of one code point. */
	template <typename OutputType>
	void AppendCodePointUtf8(OutputType& Out, uint32 CodePoint)
	{
		if (CodePoint < 0x80)
		{
			Out.push_back((char)CodePoint);
		}
		else if (CodePoint < 0x800)
		{
			Out.push_back((char)(0xC0 | (CodePoint >> 6)));
			Out.push_back((char)(0x80 | (CodePoint & 0x3F)));
		}
		else if (CodePoint < 0x10000)
		{
			Out.push_back((char)(0xE0 | (CodePoint >> 12)));
			Out.push_back((char)(0x80 | ((CodePoint >> 6) & 0x3F)));
			Out.push_back((char)(0x80 | (CodePoint & 0x3F)));
		}
		else
		{
			Out.push_back((char)(0xF0 | (CodePoint >> 18)));
			Out.push_back((char)(0x80 | ((CodePoint >> 12) & 0x3F)));
			Out.push_back((char)(0x80 | ((CodePoint >> 6) & 0x3F)));
			Out.push_back((char)(0x80 | (CodePoint & 0x3F)));
		}
	}

	template <typename OutputType>
	void AppendUtf8(OutputType& Out, const TCHAR* Text)
	{
		for (const TCHAR* P = Text; *P; ++P)
		{
			uint32 CodePoint = (uint32)*P;
			if (CodePoint >= 0xD800 && CodePoint <= 0xDBFF && P[1] >= 0xDC00 && P[1] <= 0xDFFF)
			{
				CodePoint = 0x10000 + ((CodePoint - 0xD800) << 10) + ((uint32)P[1] - 0xDC00);
				++P;
			}
			else if (CodePoint >= 0xD800 && CodePoint <= 0xDFFF)
			{
				CodePoint = 0xFFFD;
			}
			AppendCodePointUtf8(Out, CodePoint);
		}
	}
}
