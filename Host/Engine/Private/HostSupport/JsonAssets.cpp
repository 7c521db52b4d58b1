#include "HostSupport/JsonAssets.h"
#include <cmath>
#include "HostSupport/JsonDocument.h"
#include "Engine/DataAsset.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

namespace HostJson
{
	namespace
	{
		using Private::FJsonValue;

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
				if (Json.Type != FJsonValue::EType::Object)
				{
					return Fail(Path, std::string("expected an object, got ") + Json.TypeName());
				}
				for (size_t Member = 0; Member < Json.ObjectKeys.size(); ++Member)
				{
					const std::string& Name = Json.ObjectKeys[Member];
					const FJsonValue& Value = Json.ObjectValues[Member];
					const std::string MemberPath = Join(Path, Name);
					FProperty* Property = FindFProperty<FProperty>(Struct, FName(*FromUtf8(Name), FNAME_Find));
					if (Property == nullptr || !IsSaved(Property))
					{
						return Fail(MemberPath, "no such saved property");
					}
					if (FBoolProperty* Bool = CastField<FBoolProperty>(Property))
					{
						if (Value.Type != FJsonValue::EType::Bool)
						{
							return Fail(MemberPath, std::string("expected true or false, got ") + Value.TypeName());
						}
						Bool->SetPropertyValue_InContainer(Container, Value.Bool);
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

			/** The member path of the first number in a struct that is not finite; empty when all are. */
			static std::string FirstNonFinite(const UStruct* Struct, const void* Container)
			{
				for (TFieldIterator<FProperty> It(Struct); It; ++It)
				{
					const void* Member = It->ContainerPtrToValuePtr<void>(const_cast<void*>(Container));
					const std::string Name = ToUtf8(It->GetName());
					if (const FStructProperty* Inner = CastField<FStructProperty>(*It))
					{
						const std::string Found = FirstNonFinite(Inner->Struct, Member);
						if (!Found.empty())
						{
							return Name + "." + Found;
						}
					}
					else if (const FNumericProperty* Numeric = CastField<FNumericProperty>(*It);
						Numeric && Numeric->IsFloatingPoint() && !std::isfinite(Numeric->GetFloatingPointPropertyValue(Member)))
					{
						return Name;
					}
				}
				return std::string();
			}

			bool ImportText(const FProperty* Property, void* ValuePtr, const std::string& Text, const std::string& Path, const char* Expected)
			{
				const FString Buffer = FromUtf8(Text);
				if (Property->ImportText_Direct(*Buffer, ValuePtr, nullptr, 0) == nullptr)
				{
					return Fail(Path, std::string("expected ") + Expected + ", got '" + Text + "'");
				}
				return true;
			}

			bool ReadValue(FProperty* Property, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				if (FStructProperty* Struct = CastField<FStructProperty>(Property))
				{
					// Also the engine's text form, "(R=1,G=0.5,B=0,A=1)".
					if (Value.Type == FJsonValue::EType::String)
					{
						if (!ImportText(Property, ValuePtr, Value.String, Path, "a struct in text form"))
						{
							return false;
						}
						const std::string Outside = FirstNonFinite(Struct->Struct, ValuePtr);
						return Outside.empty() || Fail(Path + "." + Outside, "expected a number within the property's range in '" + Value.String + "'");
					}
					return ReadStruct(Struct->Struct, ValuePtr, Value, Path);
				}
				if (FArrayProperty* Array = CastField<FArrayProperty>(Property))
				{
					if (Value.Type != FJsonValue::EType::Array)
					{
						return Fail(Path, std::string("expected an array, got ") + Value.TypeName());
					}
					FScriptArrayHelper Helper(Array, ValuePtr);
					Helper.Resize(static_cast<int32>(Value.Array.size()));
					for (int32 Index = 0; Index < Helper.Num(); ++Index)
					{
						const std::string ElementPath = Path + "[" + std::to_string(Index) + "]";
						if (FBoolProperty* Bool = CastField<FBoolProperty>(Array->Inner))
						{
							if (Value.Array[Index].Type != FJsonValue::EType::Bool)
							{
								return Fail(ElementPath, "expected true or false");
							}
							Bool->SetPropertyValue(Helper.GetRawPtr(Index), Value.Array[Index].Bool);
						}
						else if (!ReadValue(Array->Inner, Helper.GetRawPtr(Index), Value.Array[Index], ElementPath))
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
					if (Value.Type != FJsonValue::EType::String)
					{
						return Fail(Path, std::string("expected a string, got ") + Value.TypeName());
					}
					if (CastField<FNameProperty>(Property))
					{
						*static_cast<FName*>(ValuePtr) = FName(*FromUtf8(Value.String));
					}
					else
					{
						*static_cast<FString*>(ValuePtr) = FromUtf8(Value.String);
					}
					return true;
				}
				const FByteProperty* Byte = CastField<FByteProperty>(Property);
				if (CastField<FEnumProperty>(Property) || (Byte && Byte->Enum))
				{
					if (Value.Type != FJsonValue::EType::String)
					{
						return Fail(Path, std::string("expected the name of a value, got ") + Value.TypeName());
					}
					return ImportText(Property, ValuePtr, Value.String, Path, "the name of a value");
				}
				if (CastField<FNumericProperty>(Property))
				{
					if (Value.Type != FJsonValue::EType::Number)
					{
						return Fail(Path, std::string("expected a number, got ") + Value.TypeName());
					}
					if (!ImportText(Property, ValuePtr, Value.NumberText, Path, "a number of the property's type"))
					{
						return false;
					}
					// JSON has no infinities: a number past the type's range would save as text no file can hold.
					const FNumericProperty* Numeric = CastField<FNumericProperty>(Property);
					if (Numeric->IsFloatingPoint() && !std::isfinite(Numeric->GetFloatingPointPropertyValue(ValuePtr)))
					{
						return Fail(Path, "expected a number within the property's range, got '" + Value.NumberText + "'");
					}
					return true;
				}
				return Fail(Path, "a property of this type cannot be read from a file");
			}

			bool ReadObjectValue(FObjectPropertyBase* Property, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				if (Value.Type == FJsonValue::EType::Null)
				{
					Property->SetObjectPropertyValue(ValuePtr, nullptr);
					return true;
				}
				if (Value.Type != FJsonValue::EType::Object)
				{
					return Fail(Path, std::string("expected null or the object's properties, got ") + Value.TypeName());
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
				FJsonValue Out;
				Out.Type = FJsonValue::EType::Object;
				for (TFieldIterator<FProperty> It(Struct); It; ++It)
				{
					const FProperty* Property = *It;
					if (!IsSaved(Property))
					{
						continue;
					}
					FJsonValue Member;
					if (const FBoolProperty* Bool = CastField<FBoolProperty>(Property))
					{
						Member.Type = FJsonValue::EType::Bool;
						Member.Bool = Bool->GetPropertyValue_InContainer(Container);
					}
					else
					{
						Member = WriteValue(Property, Property->ContainerPtrToValuePtr<void>(Container));
					}
					Out.AddMember(ToUtf8(Property->GetName()), std::move(Member));
				}
				return Out;
			}

		private:
			static FJsonValue Text(const FProperty* Property, const void* ValuePtr, bool bAsNumber)
			{
				FString Exported;
				Property->ExportTextItem_Direct(Exported, ValuePtr, nullptr, nullptr, 0);
				FJsonValue Out;
				if (bAsNumber)
				{
					Out.Type = FJsonValue::EType::Number;
					Out.NumberText = ToUtf8(Exported);
				}
				else
				{
					Out.Type = FJsonValue::EType::String;
					Out.String = ToUtf8(Exported);
				}
				return Out;
			}

			FJsonValue WriteValue(const FProperty* Property, const void* ValuePtr)
			{
				FJsonValue Out;
				if (const FStructProperty* Struct = CastField<FStructProperty>(Property))
				{
					return WriteStruct(Struct->Struct, ValuePtr);
				}
				if (const FArrayProperty* Array = CastField<FArrayProperty>(Property))
				{
					Out.Type = FJsonValue::EType::Array;
					FScriptArrayHelper Helper(Array, ValuePtr);
					for (int32 Index = 0; Index < Helper.Num(); ++Index)
					{
						if (const FBoolProperty* Bool = CastField<FBoolProperty>(Array->Inner))
						{
							FJsonValue Element;
							Element.Type = FJsonValue::EType::Bool;
							Element.Bool = Bool->GetPropertyValue(Helper.GetRawPtr(Index));
							Out.Array.push_back(std::move(Element));
						}
						else
						{
							Out.Array.push_back(WriteValue(Array->Inner, Helper.GetRawPtr(Index)));
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
					return Out;
				}
				if (CastField<FNameProperty>(Property))
				{
					Out.Type = FJsonValue::EType::String;
					Out.String = ToUtf8(static_cast<const FName*>(ValuePtr)->ToString());
					return Out;
				}
				if (CastField<FStrProperty>(Property))
				{
					Out.Type = FJsonValue::EType::String;
					Out.String = ToUtf8(*static_cast<const FString*>(ValuePtr));
					return Out;
				}
				const FByteProperty* Byte = CastField<FByteProperty>(Property);
				if (CastField<FEnumProperty>(Property) || (Byte && Byte->Enum))
				{
					return Text(Property, ValuePtr, false);
				}
				if (CastField<FNumericProperty>(Property))
				{
					return Text(Property, ValuePtr, true);
				}
				return Out;
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
		if (!Private::Parse(ToUtf8(JsonText), Document, ParseError))
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
