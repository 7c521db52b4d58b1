// What the header tool's generated X.gen.cpp files build reflection with.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"
#include "UObject/UObjectGlobals.h"
#include <initializer_list>
#include <new>

#define HOST_GENCPP_BEGIN \
	_Pragma("GCC diagnostic push") \
	_Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"")
#define HOST_GENCPP_END _Pragma("GCC diagnostic pop")

namespace UECodeGen_Private
{
	struct FEnumeratorParam
	{
		const TCHAR* NameUTF16;
		int64 Value;
	};

	COREUOBJECT_API UEnum* ConstructUEnum(const TCHAR* Name, UEnum::ECppForm CppForm, std::initializer_list<FEnumeratorParam> Enumerators);

	COREUOBJECT_API UScriptStruct* ConstructUScriptStructWithOps(const TCHAR* Name, UScriptStruct* Super, int32 Size, int32 Alignment, const FHostCppStructOps& Ops, EStructFlags Flags);

	template<class T>
	UScriptStruct* ConstructUScriptStruct(const TCHAR* Name, UScriptStruct* Super, EStructFlags Flags)
	{
		FHostCppStructOps Ops;
		Ops.Construct = [](void* Dest) { new (Dest) T(); };
		Ops.Destruct = [](void* Dest) { ((T*)Dest)->~T(); };
		Ops.Copy = [](void* Dest, const void* Src) { *(T*)Dest = *(const T*)Src; };
		return ConstructUScriptStructWithOps(Name, Super, (int32)sizeof(T), (int32)alignof(T), Ops, Flags);
	}

	/** Resolves one-bit fields' bytes and masks on a scratch value; marks the struct complete. */
	COREUOBJECT_API void FinishStruct(UScriptStruct* Struct);

	COREUOBJECT_API UClass* ConstructUClass(const TCHAR* Name, UClass* Super, int32 Size, int32 Alignment, EClassFlags Flags, UClass::ClassConstructorType Constructor);
	COREUOBJECT_API void FinishClass(UClass* Class);

	COREUOBJECT_API UFunction* ConstructUFunction(UClass* Owner, const TCHAR* Name, EFunctionFlags Flags, int32 ParmsSize);

	template<class T>
	struct TArrayOps
	{
		static const FHostScriptArrayOps* Get()
		{
			static const FHostScriptArrayOps Ops = {
				[](const void* Array) { return ((const TArray<T>*)Array)->Num(); },
				[](void* Array) { return (void*)((TArray<T>*)Array)->GetData(); },
				[](void* Array, int32 NewNum) { ((TArray<T>*)Array)->SetNum(NewNum); },
				[](void* Array, int32 Index, int32 Count) { ((TArray<T>*)Array)->RemoveAt(Index, Count); },
				[](void* Array, int32 Index, int32 Count) {
					for (int32 i = 0; i < Count; ++i)
					{
						((TArray<T>*)Array)->Insert(T(), Index);
					}
				},
			};
			return &Ops;
		}
	};

	/** Keeps a list of the reflection getters linked into the program, for class discovery. */
	struct COREUOBJECT_API FRegisterCompiledInClass
	{
		explicit FRegisterCompiledInClass(UClass* (*Fn)());
	};
	struct COREUOBJECT_API FRegisterCompiledInStruct
	{
		explicit FRegisterCompiledInStruct(UScriptStruct* (*Fn)());
	};
	struct COREUOBJECT_API FRegisterCompiledInEnum
	{
		explicit FRegisterCompiledInEnum(UEnum* (*Fn)());
	};
}
