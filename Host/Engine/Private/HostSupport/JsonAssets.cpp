#include "HostSupport/JsonAssets.h"
#include "HostSupport/JsonDocument.h"
#include "Engine/DataAsset.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace HostJson
{
	namespace
	{
		using Private::FJsonValue;
		using Private::TypeName;

		/** What an asset file holds: reflected, saved, and data (not events or weak links). */
		bool IsSaved(const FProperty* Property)
		{
			return !Property->HasAnyPropertyFlags(CPF_Transient) && !CastField<FMulticastDelegateProperty>(Property) && !CastField<FWeakObjectProperty>(Property);
		}

		std::string ToUtf8(const FString& Text)
		{
			return std::string(TCHAR_TO_UTF8(*Text));
		}

		FString FromUtf8(const std::string& Text)
		{
			return FString(UTF8_TO_TCHAR(Text.c_str()));
		}

		std::string Join(const std::string& Path, const std::string& Name)
		{
			return Path.empty() ? Name : Path + "." + Name;
		}

		class FReader
		{
		public:
			TArray<UObject*> Created;
			FString Error;

			bool ReadStruct(const UStruct* Struct, void* Container, const FJsonValue& Json, const std::string& Path)
			{
				if (!Json.is_object())
				{
					return Fail(Path, std::string("expected an object, got ") + TypeName(Json));
				}
				for (const auto& [Name, Value] : Json.items())
				{
					const std::string MemberPath = Join(Path, Name);
					if (Name.find('\0') != std::string::npos)
					{
						return Fail(MemberPath, "no such property (a name cannot hold a NUL character)");
					}
					// No property has a name past the engine's name limit, and such text cannot even become a name.
					const FString WideName = FromUtf8(Name);
					if (WideName.Len() >= NAME_SIZE)
					{
						return Fail(MemberPath, "no such property (a name has at most " + std::to_string(NAME_SIZE - 1) + " characters)");
					}
					FProperty* Property = FindFProperty<FProperty>(Struct, FName(*WideName, FNAME_Find));
					if (Property == nullptr)
					{
						return Fail(MemberPath, "no such property" + Suggestion(Struct, Name));
					}
					if (!IsSaved(Property))
					{
						return Fail(MemberPath, "a transient property, never saved in a file");
					}
					if (FBoolProperty* Bool = CastField<FBoolProperty>(Property))
					{
						if (!Value.is_boolean())
						{
							return Fail(MemberPath, std::string("expected true or false, got ") + TypeName(Value));
						}
						Bool->SetPropertyValue_InContainer(Container, Value.get<bool>());
						continue;
					}
					if (!ReadValue(Property, Property->ContainerPtrToValuePtr<void>(Container), Value, MemberPath))
					{
						return false;
					}
				}
				return true;
			}

		private:
			bool Fail(const std::string& Path, const std::string& Message)
			{
				Error = FromUtf8((Path.empty() ? std::string("the document") : Path) + ": " + Message);
				return false;
			}

			bool ImportText(const FProperty* Property, void* ValuePtr, const std::string& Text, const std::string& Path, const char* Expected)
			{
				if (Text.find('\0') != std::string::npos)
				{
					return Fail(Path, std::string("expected ") + Expected + ", got text with a NUL character");
				}
				const FString Buffer = FromUtf8(Text);
				if (Property->ImportText_Direct(*Buffer, ValuePtr, nullptr, 0) == nullptr)
				{
					return Fail(Path, std::string("expected ") + Expected + ", got '" + Text + "'");
				}
				return true;
			}

			/** The engine's struct text form reads "nan" and "inf" as numbers; no light or angle means either. */
			bool CheckFinite(const UStruct* Struct, const void* Container, const std::string& Path, const std::string& Text)
			{
				for (TFieldIterator<FProperty> It(Struct); It; ++It)
				{
					const FProperty* Member = *It;
					const void* ValuePtr = Member->ContainerPtrToValuePtr<void>(Container);
					if (const FStructProperty* Inner = CastField<FStructProperty>(Member))
					{
						if (!CheckFinite(Inner->Struct, ValuePtr, Join(Path, ToUtf8(Member->GetName())), Text))
						{
							return false;
						}
					}
					const FNumericProperty* Numeric = CastField<FNumericProperty>(Member);
					if (Numeric && Numeric->IsFloatingPoint() && !std::isfinite(Numeric->GetFloatingPointPropertyValue(ValuePtr)))
					{
						return Fail(Join(Path, ToUtf8(Member->GetName())), "expected a finite number, got '" + Text + "'");
					}
				}
				return true;
			}

			static std::string NumberText(double Value, bool bAsFloat = false)
			{
				char Buffer[64];
				const auto Result = bAsFloat ? std::to_chars(Buffer, Buffer + sizeof(Buffer), static_cast<float>(Value)) : std::to_chars(Buffer, Buffer + sizeof(Buffer), Value);
				return std::string(Buffer, Result.ptr);
			}

			/** "a float", "an int32": the property's C++ type as a message names it. */
			static std::string TypeWithArticle(const FNumericProperty* Numeric)
			{
				const std::string CppType = ToUtf8(Numeric->GetCPPType());
				return (CppType[0] == 'i' ? "an " : "a ") + CppType;
			}

			static std::string NumberText(const FJsonValue& Value)
			{
				if (Value.is_number_unsigned())
				{
					return std::to_string(Value.get<uint64_t>());
				}
				if (Value.is_number_integer())
				{
					return std::to_string(Value.get<int64_t>());
				}
				return NumberText(Value.get<double>());
			}

			/** Sets a number property, refusing a value its type cannot hold instead of wrapping or overflowing it. */
			bool ReadNumber(const FNumericProperty* Numeric, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				const std::string CppType = TypeWithArticle(Numeric);
				if (Numeric->IsFloatingPoint())
				{
					const double Number = Value.get<double>();
					const bool bFloat = Numeric->GetElementSize() == sizeof(float);
					const double Largest = bFloat ? double(std::numeric_limits<float>::max()) : std::numeric_limits<double>::max();
					// Half a step beyond the largest float still rounds down to it; from there on it would be infinite.
					const double Beyond = bFloat ? 0x1.ffffffp127 : std::numeric_limits<double>::infinity();
					if (!std::isfinite(Number) || std::fabs(Number) >= Beyond)
					{
						return Fail(Path, NumberText(Value) + " is out of range for " + CppType + " (largest " + NumberText(Largest, bFloat) + ")");
					}
					Numeric->SetFloatingPointPropertyValue(ValuePtr, Number);
					return true;
				}
				const bool bSigned = !CastField<FUInt32Property>(Numeric) && !CastField<FByteProperty>(Numeric);
				const int Bits = Numeric->GetElementSize() * 8;
				const long double Min = bSigned ? -std::ldexp(1.0L, Bits - 1) : 0.0L;
				const long double Max = bSigned ? std::ldexp(1.0L, Bits - 1) - 1.0L : std::ldexp(1.0L, Bits) - 1.0L;
				long double Number = 0;
				if (Value.is_number_unsigned())
				{
					Number = static_cast<long double>(Value.get<uint64_t>());
				}
				else if (Value.is_number_integer())
				{
					Number = static_cast<long double>(Value.get<int64_t>());
				}
				else
				{
					const double Float = Value.get<double>();
					if (std::isfinite(Float) && Float != std::trunc(Float))
					{
						return Fail(Path, "expected a whole number for " + CppType + ", got " + NumberText(Value));
					}
					Number = Float;
				}
				if (!(Number >= Min && Number <= Max))
				{
					char Range[96];
					std::snprintf(Range, sizeof(Range), " (%.0Lf..%.0Lf)", Min, Max);
					return Fail(Path, NumberText(Value) + " is out of range for " + CppType + Range);
				}
				Numeric->SetIntPropertyValue(ValuePtr, static_cast<int64>(Number));
				return true;
			}

			/** " ; did you mean 'Intensity'?" when a saved property's name is a slip away from Name. */
			static std::string Suggestion(const UStruct* Struct, const std::string& Name)
			{
				// No property name is this long; comparing against one would only cost time and memory.
				if (Name.size() > 128)
				{
					return std::string();
				}
				std::string Best;
				size_t BestDistance = std::numeric_limits<size_t>::max();
				for (TFieldIterator<FProperty> It(Struct); It; ++It)
				{
					if (!IsSaved(*It))
					{
						continue;
					}
					const std::string Candidate = ToUtf8(It->GetName());
					const size_t Distance = EditDistance(Name, Candidate);
					if (Distance < BestDistance)
					{
						BestDistance = Distance;
						Best = Candidate;
					}
				}
				// A third of the name may be wrong, at least two letters: beyond that a guess misleads.
				const size_t Allowed = std::max<size_t>(2, Name.size() / 3);
				return !Best.empty() && BestDistance <= Allowed ? "; did you mean '" + Best + "'?" : std::string();
			}

			/** Letters inserted, deleted, replaced or swapped, case ignored (optimal string alignment). */
			static size_t EditDistance(const std::string& A, const std::string& B)
			{
				const auto Lower = [](char C) { return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C; };
				std::vector<std::vector<size_t>> D(A.size() + 1, std::vector<size_t>(B.size() + 1));
				for (size_t I = 0; I <= A.size(); ++I) D[I][0] = I;
				for (size_t J = 0; J <= B.size(); ++J) D[0][J] = J;
				for (size_t I = 1; I <= A.size(); ++I)
				{
					for (size_t J = 1; J <= B.size(); ++J)
					{
						const size_t Cost = Lower(A[I - 1]) == Lower(B[J - 1]) ? 0 : 1;
						D[I][J] = std::min({D[I - 1][J] + 1, D[I][J - 1] + 1, D[I - 1][J - 1] + Cost});
						if (I > 1 && J > 1 && Lower(A[I - 1]) == Lower(B[J - 2]) && Lower(A[I - 2]) == Lower(B[J - 1]))
						{
							D[I][J] = std::min(D[I][J], D[I - 2][J - 2] + 1);
						}
					}
				}
				return D[A.size()][B.size()];
			}

			bool ReadValue(FProperty* Property, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				if (FStructProperty* Struct = CastField<FStructProperty>(Property))
				{
					// Also the engine's text form, "(R=1,G=0.5,B=0,A=1)".
					if (Value.is_string())
					{
						const std::string& Text = Value.get_ref<const std::string&>();
						return ImportText(Property, ValuePtr, Text, Path, "a struct in text form") && CheckFinite(Struct->Struct, ValuePtr, Path, Text);
					}
					return ReadStruct(Struct->Struct, ValuePtr, Value, Path);
				}
				if (FArrayProperty* Array = CastField<FArrayProperty>(Property))
				{
					if (!Value.is_array())
					{
						return Fail(Path, std::string("expected an array, got ") + TypeName(Value));
					}
					if (Value.size() > static_cast<size_t>(std::numeric_limits<int32>::max()))
					{
						return Fail(Path, "more elements than an engine array holds");
					}
					FScriptArrayHelper Helper(Array, ValuePtr);
					Helper.Resize(static_cast<int32>(Value.size()));
					for (int32 Index = 0; Index < Helper.Num(); ++Index)
					{
						const std::string ElementPath = Path + "[" + std::to_string(Index) + "]";
						const FJsonValue& Element = Value[static_cast<size_t>(Index)];
						if (FBoolProperty* Bool = CastField<FBoolProperty>(Array->Inner))
						{
							if (!Element.is_boolean())
							{
								return Fail(ElementPath, std::string("expected true or false, got ") + TypeName(Element));
							}
							Bool->SetPropertyValue(Helper.GetRawPtr(Index), Element.get<bool>());
						}
						else if (!ReadValue(Array->Inner, Helper.GetRawPtr(Index), Element, ElementPath))
						{
							return false;
						}
					}
					return true;
				}
				if (FObjectPropertyBase* Object = CastField<FObjectPropertyBase>(Property))
				{
					return ReadObjectValue(Object, ValuePtr, Value, Path);
				}
				if (CastField<FNameProperty>(Property) || CastField<FStrProperty>(Property))
				{
					if (!Value.is_string())
					{
						return Fail(Path, std::string("expected a string, got ") + TypeName(Value));
					}
					const std::string& Text = Value.get_ref<const std::string&>();
					// Engine strings end at their first NUL: keeping the rest would silently drop it.
					if (Text.find('\0') != std::string::npos)
					{
						return Fail(Path, "expected text without NUL characters (\\u0000)");
					}
					if (CastField<FNameProperty>(Property))
					{
						const FString WideText = FromUtf8(Text);
						if (WideText.Len() >= NAME_SIZE)
						{
							return Fail(Path, "expected a name of at most " + std::to_string(NAME_SIZE - 1) + " characters, got " + std::to_string(WideText.Len()));
						}
						*static_cast<FName*>(ValuePtr) = FName(*WideText);
					}
					else
					{
						*static_cast<FString*>(ValuePtr) = FromUtf8(Text);
					}
					return true;
				}
				const FByteProperty* Byte = CastField<FByteProperty>(Property);
				if (CastField<FEnumProperty>(Property) || (Byte && Byte->Enum))
				{
					if (!Value.is_string())
					{
						return Fail(Path, std::string("expected the name of a value, got ") + TypeName(Value));
					}
					return ImportText(Property, ValuePtr, Value.get_ref<const std::string&>(), Path, "the name of a value");
				}
				if (const FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
				{
					if (!Value.is_number())
					{
						return Fail(Path, std::string("expected a number, got ") + TypeName(Value));
					}
					return ReadNumber(Numeric, ValuePtr, Value, Path);
				}
				return Fail(Path, "a property of this type cannot be read from a file");
			}

			bool ReadObjectValue(FObjectPropertyBase* Property, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				if (Value.is_null())
				{
					Property->SetObjectPropertyValue(ValuePtr, nullptr);
					return true;
				}
				if (!Value.is_object())
				{
					return Fail(Path, std::string("expected null or the object's properties, got ") + TypeName(Value));
				}
				if (Property->PropertyClass == nullptr || Property->PropertyClass->HasAnyClassFlags(CLASS_Abstract))
				{
					return Fail(Path, "objects of this class cannot be made from a file");
				}
				UObject* Inline = NewObject<UObject>(GetTransientPackage(), Property->PropertyClass);
				Created.Add(Inline);
				if (!ReadStruct(Inline->GetClass(), Inline, Value, Path))
				{
					return false;
				}
				Property->SetObjectPropertyValue(ValuePtr, Inline);
				return true;
			}
		};

		class FWriter
		{
		public:
			FJsonValue WriteStruct(const UStruct* Struct, const void* Container)
			{
				FJsonValue Out = FJsonValue::object();
				for (TFieldIterator<FProperty> It(Struct); It; ++It)
				{
					const FProperty* Property = *It;
					if (!IsSaved(Property))
					{
						continue;
					}
					if (const FBoolProperty* Bool = CastField<FBoolProperty>(Property))
					{
						Out[ToUtf8(Property->GetName())] = Bool->GetPropertyValue_InContainer(Container);
					}
					else
					{
						Out[ToUtf8(Property->GetName())] = WriteValue(Property, Property->ContainerPtrToValuePtr<void>(Container));
					}
				}
				return Out;
			}

		private:
			static FJsonValue Text(const FProperty* Property, const void* ValuePtr)
			{
				FString Exported;
				Property->ExportTextItem_Direct(Exported, ValuePtr, nullptr, nullptr, 0);
				return FJsonValue(ToUtf8(Exported));
			}

			static FJsonValue Number(const FNumericProperty* Numeric, const void* ValuePtr)
			{
				if (!Numeric->IsFloatingPoint())
				{
					if (CastField<FUInt32Property>(Numeric) || CastField<FByteProperty>(Numeric))
					{
						return FJsonValue(static_cast<uint64_t>(static_cast<uint64>(Numeric->GetSignedIntPropertyValue(ValuePtr)) & (Numeric->GetElementSize() == 1 ? 0xFFu : 0xFFFFFFFFu)));
					}
					return FJsonValue(static_cast<int64_t>(Numeric->GetSignedIntPropertyValue(ValuePtr)));
				}
				const double Value = Numeric->GetFloatingPointPropertyValue(ValuePtr);
				if (Numeric->GetElementSize() != sizeof(float))
				{
					return FJsonValue(Value);
				}
				// The shortest decimal that reads back as the same float ("0.4", not 0.4000000059604645).
				char Buffer[32];
				const auto Result = std::to_chars(Buffer, Buffer + sizeof(Buffer) - 1, static_cast<float>(Value));
				*Result.ptr = 0;
				return FJsonValue(std::strtod(Buffer, nullptr));
			}

			FJsonValue WriteValue(const FProperty* Property, const void* ValuePtr)
			{
				if (const FStructProperty* Struct = CastField<FStructProperty>(Property))
				{
					return WriteStruct(Struct->Struct, ValuePtr);
				}
				if (const FArrayProperty* Array = CastField<FArrayProperty>(Property))
				{
					FJsonValue Out = FJsonValue::array();
					FScriptArrayHelper Helper(Array, ValuePtr);
					for (int32 Index = 0; Index < Helper.Num(); ++Index)
					{
						if (const FBoolProperty* Bool = CastField<FBoolProperty>(Array->Inner))
						{
							Out.push_back(Bool->GetPropertyValue(Helper.GetRawPtr(Index)));
						}
						else
						{
							Out.push_back(WriteValue(Array->Inner, Helper.GetRawPtr(Index)));
						}
					}
					return Out;
				}
				if (const FObjectPropertyBase* Object = CastField<FObjectPropertyBase>(Property))
				{
					// Data assets travel inline with the asset that refers to them; other assets are not files here.
					const UObject* Value = Object->GetObjectPropertyValue(ValuePtr);
					if (Value && Value->IsA(UDataAsset::StaticClass()))
					{
						return WriteStruct(Value->GetClass(), Value);
					}
					return FJsonValue();
				}
				if (CastField<FNameProperty>(Property))
				{
					return FJsonValue(ToUtf8(static_cast<const FName*>(ValuePtr)->ToString()));
				}
				if (CastField<FStrProperty>(Property))
				{
					return FJsonValue(ToUtf8(*static_cast<const FString*>(ValuePtr)));
				}
				const FByteProperty* Byte = CastField<FByteProperty>(Property);
				if (CastField<FEnumProperty>(Property) || (Byte && Byte->Enum))
				{
					return Text(Property, ValuePtr);
				}
				if (const FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
				{
					return Number(Numeric, ValuePtr);
				}
				return FJsonValue();
			}
		};
	}

	bool ReadObject(UObject* Object, const FString& JsonText, FString& OutError)
	{
		if (Object == nullptr)
		{
			OutError = TEXT("no object to read into");
			return false;
		}
		FJsonValue Document;
		std::string ParseError;
		if (!Private::Parse(JsonText.ToStdString(), Document, ParseError))
		{
			OutError = FromUtf8(ParseError);
			return false;
		}
		FReader Reader;
		if (!Reader.ReadStruct(Object->GetClass(), Object, Document, std::string()))
		{
			OutError = Reader.Error;
			return false;
		}
		// As after loading a package: the objects a file made come first, the asset that holds them last.
		for (UObject* Created : Reader.Created)
		{
			Created->PostLoad();
		}
		Object->PostLoad();
		return true;
	}

	FString WriteObject(const UObject* Object)
	{
		if (Object == nullptr)
		{
			return FString(TEXT("null\n"));
		}
		FWriter Writer;
		return FromUtf8(Private::Write(Writer.WriteStruct(Object->GetClass(), Object)));
	}
}
