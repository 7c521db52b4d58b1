#pragma once

#include "CoreTypes.h"

/** An enum stored in one byte (the engine's wrapper for old-style enums). */
template<class TEnum>
class TEnumAsByte
{
public:
	typedef TEnum EnumType;

	TEnumAsByte() = default;
	TEnumAsByte(TEnum InValue) : Value((uint8)InValue) {}
	explicit TEnumAsByte(int32 InValue) : Value((uint8)InValue) {}
	explicit TEnumAsByte(uint8 InValue) : Value(InValue) {}

	TEnumAsByte& operator=(TEnum InValue)
	{
		Value = (uint8)InValue;
		return *this;
	}
	bool operator==(TEnum InValue) const { return (TEnum)Value == InValue; }
	bool operator==(TEnumAsByte InValue) const { return Value == InValue.Value; }
	bool operator!=(TEnum InValue) const { return (TEnum)Value != InValue; }
	operator TEnum() const { return (TEnum)Value; }
	TEnum GetValue() const { return (TEnum)Value; }
	uint8 GetIntValue() const { return Value; }

private:
	uint8 Value = 0;
};
