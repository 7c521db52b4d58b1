#include "HostSupport/JsonAssets.h"
#include "HostSupport/JsonDocument.h"
#include "Curves/CurveFloat.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
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

		// Members of an inline object that are not properties: its name, its class when the property
		// names a base class, and a second mention of an object written earlier in the file.
		const char* const NameMember = "$name";
		const char* const ClassMember = "$class";
		const char* const RefMember = "$ref";

		/** What the engine refuses in an object's name (its INVALID_OBJECTNAME_CHARACTERS). */
		const char* const InvalidNameCharacters = "\"' ,/.:|&!~\n\r\t@#(){}[]=;^%$`";

		bool IsValidObjectName(const std::string& Name)
		{
			return !Name.empty() && std::none_of(Name.begin(), Name.end(), [](char C) { return static_cast<unsigned char>(C) < 0x20 || std::strchr(InvalidNameCharacters, C) != nullptr; });
		}

		/** Names compare as engine names do, ignoring case. */
		std::string NameKey(std::string Name)
		{
			std::transform(Name.begin(), Name.end(), Name.begin(), [](char C) { return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C; });
			return Name;
		}

		// The curve key enums are reflected in the engine and written by name; the host declares them
		// as plain enums, so their names are listed here.
		struct FEnumName
		{
			int Value;
			const char* Name;
		};
		const FEnumName InterpModes[] = {{RCIM_Linear, "RCIM_Linear"}, {RCIM_Constant, "RCIM_Constant"}, {RCIM_Cubic, "RCIM_Cubic"}, {RCIM_None, "RCIM_None"}};
		const FEnumName TangentModes[] = {{RCTM_Auto, "RCTM_Auto"}, {RCTM_User, "RCTM_User"}, {RCTM_Break, "RCTM_Break"}, {RCTM_None, "RCTM_None"}, {RCTM_SmartAuto, "RCTM_SmartAuto"}};
		const FEnumName TangentWeightModes[] = {{RCTWM_WeightedNone, "RCTWM_WeightedNone"}, {RCTWM_WeightedArrive, "RCTWM_WeightedArrive"}, {RCTWM_WeightedLeave, "RCTWM_WeightedLeave"}, {RCTWM_WeightedBoth, "RCTWM_WeightedBoth"}};
		const FEnumName Extrapolations[] = {{RCCE_Cycle, "RCCE_Cycle"}, {RCCE_CycleWithOffset, "RCCE_CycleWithOffset"}, {RCCE_Oscillate, "RCCE_Oscillate"}, {RCCE_Linear, "RCCE_Linear"}, {RCCE_Constant, "RCCE_Constant"}, {RCCE_None, "RCCE_None"}};

		template <size_t N>
		FJsonValue EnumJson(const FEnumName (&Table)[N], int Value)
		{
			for (const FEnumName& Entry : Table)
			{
				if (Entry.Value == Value)
				{
					return FJsonValue(Entry.Name);
				}
			}
			return FJsonValue(Value);
		}

		/** The shortest decimal that reads back as the same float ("0.4", not 0.4000000059604645). */
		FJsonValue FloatJson(float Value)
		{
			char Buffer[32];
			const auto Result = std::to_chars(Buffer, Buffer + sizeof(Buffer) - 1, Value);
			*Result.ptr = 0;
			return FJsonValue(std::strtod(Buffer, nullptr));
		}

		class FReader
		{
		public:
			TArray<UObject*> Created;
			FString Error;

			/** An object's saved properties and, for the classes that keep some state unreflected, that state. */
			bool ReadObjectBody(UObject* Object, const FJsonValue& Json, const std::string& Path, bool bInline)
			{
				if (!Json.is_object())
				{
					return Fail(Path, std::string("expected an object, got ") + TypeName(Json));
				}
				FJsonValue Reflected = FJsonValue::object();
				for (const auto& [Name, Value] : Json.items())
				{
					if (bInline && (Name == NameMember || Name == ClassMember))
					{
						continue;
					}
					bool bHandled = false;
					if (!ReadHostState(Object, Name, Value, Join(Path, Name), bHandled))
					{
						return false;
					}
					if (!bHandled)
					{
						Reflected[Name] = Value;
					}
				}
				return ReadStruct(Object->GetClass(), Object, Reflected, Path);
			}

			/** Points each {"$ref": Name} at the object of that name, wherever in the file it was written. */
			bool ResolveReferences()
			{
				for (const FReference& Reference : References)
				{
					const auto Found = Named.find(NameKey(Reference.Name));
					if (Found == Named.end())
					{
						return Fail(Reference.Path, "no object of this file is named '" + Reference.Name + "'");
					}
					UObject* Target = Found->second.first;
					if (!Target->IsA(Reference.Property->PropertyClass))
					{
						return Fail(Reference.Path, "'" + Reference.Name + "' is a " + ToUtf8(Target->GetClass()->GetName()) + ", not a " + ToUtf8(Reference.Property->PropertyClass->GetName()));
					}
					Reference.Property->SetObjectPropertyValue(Reference.ValuePtr, Target);
				}
				return true;
			}

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
			struct FReference
			{
				FObjectPropertyBase* Property;
				void* ValuePtr;
				std::string Name;
				std::string Path;
			};
			std::vector<FReference> References;
			/** Objects named in the file, by NameKey: the object and where it was written. */
			std::map<std::string, std::pair<UObject*, std::string>> Named;

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

			bool CheckFloatingPointRange(const FJsonValue& Value, bool bFloat, const std::string& CppType, const std::string& Path)
			{
				const double Number = Value.get<double>();
				const double Largest = bFloat ? double(std::numeric_limits<float>::max()) : std::numeric_limits<double>::max();
				// Half a step beyond the largest float still rounds down to it; from there on it would be infinite.
				const double Beyond = bFloat ? 0x1.ffffffp127 : std::numeric_limits<double>::infinity();
				if (!std::isfinite(Number) || std::fabs(Number) >= Beyond)
				{
					return Fail(Path, NumberText(Value) + " is out of range for " + CppType + " (largest " + NumberText(Largest, bFloat) + ")");
				}
				return true;
			}

			/** A float that is not a property: a curve key's time, a material parameter's default. */
			bool ReadFloat(const FJsonValue& Value, const std::string& Path, float& OutValue)
			{
				if (!Value.is_number())
				{
					return Fail(Path, std::string("expected a number, got ") + TypeName(Value));
				}
				if (!CheckFloatingPointRange(Value, true, "a float", Path))
				{
					return false;
				}
				OutValue = static_cast<float>(Value.get<double>());
				return true;
			}

			template <class TEnum, size_t N>
			bool ReadEnum(const FEnumName (&Table)[N], const FJsonValue& Value, const std::string& Path, TEnumAsByte<TEnum>& OutValue)
			{
				if (!Value.is_string())
				{
					return Fail(Path, std::string("expected the name of a value, got ") + TypeName(Value));
				}
				for (const FEnumName& Entry : Table)
				{
					if (Value.get_ref<const std::string&>() == Entry.Name)
					{
						OutValue = static_cast<TEnum>(Entry.Value);
						return true;
					}
				}
				return Fail(Path, "expected the name of a value, got '" + Value.get<std::string>() + "'");
			}

			/**
			 * State the host keeps outside reflection, read under the name the engine's reflection gives it:
			 * a material's parameters (its graph's parameter expressions in the engine) and a curve's keys.
			 */
			bool ReadHostState(UObject* Object, const std::string& Name, const FJsonValue& Value, const std::string& Path, bool& bOutHandled)
			{
				if (UMaterial* Material = Cast<UMaterial>(Object))
				{
					if (Name == "ScalarParameters" || Name == "VectorParameters")
					{
						bOutHandled = true;
						return ReadMaterialParameters(Material, Name == "VectorParameters", Value, Path);
					}
				}
				if (UCurveFloat* Curve = Cast<UCurveFloat>(Object))
				{
					if (Name == "FloatCurve")
					{
						bOutHandled = true;
						return ReadRichCurve(Curve->FloatCurve, Value, Path);
					}
				}
				return true;
			}

			bool ReadMaterialParameters(UMaterial* Material, bool bVector, const FJsonValue& Value, const std::string& Path)
			{
				if (!Value.is_array())
				{
					return Fail(Path, std::string("expected an array, got ") + TypeName(Value));
				}
				// The file's list replaces the material's: a loaded material has the parameters it was saved with.
				TArray<FMaterialParameterInfo> Infos;
				TArray<FGuid> Ids;
				bVector ? Material->GetAllVectorParameterInfo(Infos, Ids) : Material->GetAllScalarParameterInfo(Infos, Ids);
				for (const FMaterialParameterInfo& Info : Infos)
				{
					RemoveParameter(Material, Info.Name);
				}
				for (size_t Index = 0; Index < Value.size(); ++Index)
				{
					const std::string ElementPath = Path + "[" + std::to_string(Index) + "]";
					const FJsonValue& Element = Value[Index];
					if (!Element.is_object())
					{
						return Fail(ElementPath, std::string("expected an object, got ") + TypeName(Element));
					}
					std::string ParameterName;
					float Scalar = 0.f;
					FLinearColor Vector(0.f, 0.f, 0.f, 1.f);
					bool bHasDefault = false;
					for (const auto& [Member, MemberValue] : Element.items())
					{
						const std::string MemberPath = Join(ElementPath, Member);
						if (Member == "Name")
						{
							if (!MemberValue.is_string())
							{
								return Fail(MemberPath, std::string("expected a string, got ") + TypeName(MemberValue));
							}
							ParameterName = MemberValue.get<std::string>();
							if (ParameterName.empty() || ParameterName.find('\0') != std::string::npos)
							{
								return Fail(MemberPath, "expected a parameter name, got '" + std::string(ParameterName.c_str()) + "'");
							}
						}
						else if (Member == "DefaultValue")
						{
							bHasDefault = true;
							const bool bRead = bVector ? ReadStruct(Z_Construct_UScriptStruct_FLinearColor(), &Vector, MemberValue, MemberPath) : ReadFloat(MemberValue, MemberPath, Scalar);
							if (!bRead)
							{
								return false;
							}
						}
						else
						{
							return Fail(MemberPath, "no such member of a parameter (Name, DefaultValue)");
						}
					}
					if (ParameterName.empty() || !bHasDefault)
					{
						return Fail(ElementPath, "a parameter needs its Name and DefaultValue");
					}
					const FName Parameter(*FromUtf8(ParameterName));
					if (!(bVector ? AddVectorParameter(Material, Parameter, Vector) : AddScalarParameter(Material, Parameter, Scalar)))
					{
						return Fail(Join(ElementPath, "Name"), "the material already has a parameter named '" + ParameterName + "'");
					}
				}
				return true;
			}

			bool ReadRichCurve(FRichCurve& Curve, const FJsonValue& Value, const std::string& Path)
			{
				if (!Value.is_object())
				{
					return Fail(Path, std::string("expected an object, got ") + TypeName(Value));
				}
				for (const auto& [Member, MemberValue] : Value.items())
				{
					const std::string MemberPath = Join(Path, Member);
					bool bRead = true;
					if (Member == "DefaultValue")
					{
						bRead = ReadFloat(MemberValue, MemberPath, Curve.DefaultValue);
					}
					else if (Member == "PreInfinityExtrap")
					{
						bRead = ReadEnum(Extrapolations, MemberValue, MemberPath, Curve.PreInfinityExtrap);
					}
					else if (Member == "PostInfinityExtrap")
					{
						bRead = ReadEnum(Extrapolations, MemberValue, MemberPath, Curve.PostInfinityExtrap);
					}
					else if (Member == "Keys")
					{
						bRead = ReadCurveKeys(Curve, MemberValue, MemberPath);
					}
					else
					{
						return Fail(MemberPath, "no such member of a curve (DefaultValue, PreInfinityExtrap, PostInfinityExtrap, Keys)");
					}
					if (!bRead)
					{
						return false;
					}
				}
				return true;
			}

			bool ReadCurveKeys(FRichCurve& Curve, const FJsonValue& Value, const std::string& Path)
			{
				if (!Value.is_array())
				{
					return Fail(Path, std::string("expected an array, got ") + TypeName(Value));
				}
				TArray<FRichCurveKey> Keys;
				for (size_t Index = 0; Index < Value.size(); ++Index)
				{
					const std::string KeyPath = Path + "[" + std::to_string(Index) + "]";
					const FJsonValue& Element = Value[Index];
					if (!Element.is_object())
					{
						return Fail(KeyPath, std::string("expected an object, got ") + TypeName(Element));
					}
					FRichCurveKey Key;
					for (const auto& [Member, MemberValue] : Element.items())
					{
						const std::string MemberPath = Join(KeyPath, Member);
						float* Number = Member == "Time" ? &Key.Time
							: Member == "Value" ? &Key.Value
							: Member == "ArriveTangent" ? &Key.ArriveTangent
							: Member == "ArriveTangentWeight" ? &Key.ArriveTangentWeight
							: Member == "LeaveTangent" ? &Key.LeaveTangent
							: Member == "LeaveTangentWeight" ? &Key.LeaveTangentWeight
							: nullptr;
						bool bRead = true;
						if (Number)
						{
							bRead = ReadFloat(MemberValue, MemberPath, *Number);
						}
						else if (Member == "InterpMode")
						{
							bRead = ReadEnum(InterpModes, MemberValue, MemberPath, Key.InterpMode);
						}
						else if (Member == "TangentMode")
						{
							bRead = ReadEnum(TangentModes, MemberValue, MemberPath, Key.TangentMode);
						}
						else if (Member == "TangentWeightMode")
						{
							bRead = ReadEnum(TangentWeightModes, MemberValue, MemberPath, Key.TangentWeightMode);
						}
						else
						{
							return Fail(MemberPath, "no such member of a curve key");
						}
						if (!bRead)
						{
							return false;
						}
					}
					// The curve evaluates by searching its keys in time order; out of order they would be misread.
					if (Keys.Num() > 0 && Key.Time < Keys.Last().Time)
					{
						return Fail(Join(KeyPath, "Time"), NumberText(Key.Time, true) + " is before the previous key's time " + NumberText(Keys.Last().Time, true) + "; keys are listed in time order");
					}
					Keys.Add(Key);
				}
				Curve.Keys = Keys;
				return true;
			}

			/** Sets a number property, refusing a value its type cannot hold instead of wrapping or overflowing it. */
			bool ReadNumber(const FNumericProperty* Numeric, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				const std::string CppType = TypeWithArticle(Numeric);
				if (Numeric->IsFloatingPoint())
				{
					const bool bFloat = Numeric->GetElementSize() == sizeof(float);
					if (!CheckFloatingPointRange(Value, bFloat, CppType, Path))
					{
						return false;
					}
					Numeric->SetFloatingPointPropertyValue(ValuePtr, Value.get<double>());
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
				if (Value.contains(RefMember))
				{
					return ReadReference(Property, ValuePtr, Value, Path);
				}
				UClass* Class = Property->PropertyClass;
				if (const auto Found = Value.find(ClassMember); Found != Value.end() && !ReadClass(Property, *Found, Join(Path, ClassMember), Class))
				{
					return false;
				}
				if (Class == nullptr)
				{
					return Fail(Path, "objects of this class cannot be made from a file");
				}
				if (Class->HasAnyClassFlags(CLASS_Abstract))
				{
					return Fail(Path, "a " + ToUtf8(Class->GetName()) + " is abstract: name the object's class in \"$class\"");
				}
				FName Name = NAME_None;
				if (const auto Found = Value.find(NameMember); Found != Value.end() && !ReadName(*Found, Join(Path, NameMember), Name))
				{
					return false;
				}
				UObject* Inline = NewObject<UObject>(GetTransientPackage(), Class, Name);
				Created.Add(Inline);
				if (!Name.IsNone())
				{
					Named[NameKey(ToUtf8(Name.ToString()))] = {Inline, Path};
				}
				if (!ReadObjectBody(Inline, Value, Path, true))
				{
					return false;
				}
				Property->SetObjectPropertyValue(ValuePtr, Inline);
				return true;
			}

			/** {"$ref": Name}: set once the whole file is read, as the object may be written further on. */
			bool ReadReference(FObjectPropertyBase* Property, void* ValuePtr, const FJsonValue& Value, const std::string& Path)
			{
				for (const auto& [Member, MemberValue] : Value.items())
				{
					if (Member != RefMember)
					{
						return Fail(Join(Path, Member), "a reference holds \"$ref\" alone");
					}
				}
				const FJsonValue& Name = Value[RefMember];
				if (!Name.is_string())
				{
					return Fail(Join(Path, RefMember), std::string("expected the name of an object of this file, got ") + TypeName(Name));
				}
				References.push_back({Property, ValuePtr, Name.get<std::string>(), Join(Path, RefMember)});
				return true;
			}

			/** "$class": the property's class or one derived from it, by the engine's class name ("Material"). */
			bool ReadClass(const FObjectPropertyBase* Property, const FJsonValue& Value, const std::string& Path, UClass*& OutClass)
			{
				if (!Value.is_string())
				{
					return Fail(Path, std::string("expected the name of a class, got ") + TypeName(Value));
				}
				const std::string& Text = Value.get_ref<const std::string&>();
				TArray<UClass*> Candidates;
				GetDerivedClasses(Property->PropertyClass, Candidates, true);
				Candidates.Insert(Property->PropertyClass, 0);
				for (UClass* Candidate : Candidates)
				{
					if (Candidate && ToUtf8(Candidate->GetName()) == Text)
					{
						OutClass = Candidate;
						return true;
					}
				}
				return Fail(Path, "no class '" + Text + "' is a " + ToUtf8(Property->PropertyClass->GetName()));
			}

			bool ReadName(const FJsonValue& Value, const std::string& Path, FName& OutName)
			{
				if (!Value.is_string())
				{
					return Fail(Path, std::string("expected the object's name, got ") + TypeName(Value));
				}
				const std::string& Text = Value.get_ref<const std::string&>();
				if (!IsValidObjectName(Text))
				{
					return Fail(Path, "'" + std::string(Text.c_str()) + "' is not an object name (empty, or holding one of \"' ,/.:|&!~@#(){}[]=;^%$` or a control character)");
				}
				const auto Found = Named.find(NameKey(Text));
				if (Found != Named.end())
				{
					return Fail(Path, "'" + Text + "' already names the object at " + (Found->second.second.empty() ? std::string("the top") : Found->second.second));
				}
				OutName = FName(*FromUtf8(Text));
				return true;
			}
		};

		class FWriter
		{
		public:
			explicit FWriter(const UObject* InRoot)
				: Root(InRoot)
			{
			}

			FJsonValue WriteObjectBody(const UObject* Object)
			{
				FJsonValue Out = WriteStruct(Object->GetClass(), Object);
				WriteHostState(Object, Out);
				return Out;
			}

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
			const UObject* Root;
			/** Objects already written, with the name the file gives them. */
			std::map<const UObject*, std::string> Written;
			std::map<std::string, const UObject*> TakenNames;

			/** The object's own name made valid and unique in the file, as "$ref" finds it by name. */
			std::string FileName(const UObject* Object)
			{
				std::string Base = ToUtf8(Object->GetName());
				for (char& C : Base)
				{
					if (static_cast<unsigned char>(C) < 0x20 || std::strchr(InvalidNameCharacters, C) != nullptr)
					{
						C = '_';
					}
				}
				if (Base.empty())
				{
					Base = ToUtf8(Object->GetClass()->GetName());
				}
				std::string Name = Base;
				for (int Suffix = 2; TakenNames.count(NameKey(Name)) != 0; ++Suffix)
				{
					Name = Base + "_" + std::to_string(Suffix);
				}
				TakenNames[NameKey(Name)] = Object;
				return Name;
			}

			/** An object in full where the file first meets it, named; every later mention is {"$ref": name}. */
			FJsonValue WriteObjectValue(const FObjectPropertyBase* Property, const UObject* Value)
			{
				// The file's own object is whatever its reader loads it into; a loop back to it stays unset.
				if (Value == nullptr || Value == Root)
				{
					return FJsonValue();
				}
				if (const auto Found = Written.find(Value); Found != Written.end())
				{
					FJsonValue Reference = FJsonValue::object();
					Reference[RefMember] = Found->second;
					return Reference;
				}
				const std::string Name = FileName(Value);
				Written[Value] = Name;
				FJsonValue Out = FJsonValue::object();
				Out[NameMember] = Name;
				if (Value->GetClass() != Property->PropertyClass)
				{
					Out[ClassMember] = ToUtf8(Value->GetClass()->GetName());
				}
				FJsonValue Body = WriteObjectBody(Value);
				for (auto& [Member, MemberValue] : Body.items())
				{
					Out[Member] = std::move(MemberValue);
				}
				return Out;
			}

			/** What ReadHostState reads: the state the host keeps outside reflection. */
			static void WriteHostState(const UObject* Object, FJsonValue& Out)
			{
				if (const UMaterial* Material = Cast<UMaterial>(Object))
				{
					TArray<FMaterialParameterInfo> Infos;
					TArray<FGuid> Ids;
					Material->GetAllScalarParameterInfo(Infos, Ids);
					FJsonValue Scalars = FJsonValue::array();
					for (const FMaterialParameterInfo& Info : Infos)
					{
						float Default = 0.f;
						Material->GetScalarParameterValue(Info.Name, Default);
						FJsonValue Parameter = FJsonValue::object();
						Parameter["Name"] = ToUtf8(Info.Name.ToString());
						Parameter["DefaultValue"] = FloatJson(Default);
						Scalars.push_back(std::move(Parameter));
					}
					Material->GetAllVectorParameterInfo(Infos, Ids);
					FJsonValue Vectors = FJsonValue::array();
					for (const FMaterialParameterInfo& Info : Infos)
					{
						FLinearColor Default(0.f, 0.f, 0.f, 1.f);
						Material->GetVectorParameterValue(Info.Name, Default);
						FJsonValue Parameter = FJsonValue::object();
						Parameter["Name"] = ToUtf8(Info.Name.ToString());
						FJsonValue Color = FJsonValue::object();
						Color["R"] = FloatJson(Default.R);
						Color["G"] = FloatJson(Default.G);
						Color["B"] = FloatJson(Default.B);
						Color["A"] = FloatJson(Default.A);
						Parameter["DefaultValue"] = std::move(Color);
						Vectors.push_back(std::move(Parameter));
					}
					Out["ScalarParameters"] = std::move(Scalars);
					Out["VectorParameters"] = std::move(Vectors);
				}
				if (const UCurveFloat* Curve = Cast<UCurveFloat>(Object))
				{
					const FRichCurve& Rich = Curve->FloatCurve;
					FJsonValue Keys = FJsonValue::array();
					for (const FRichCurveKey& Key : Rich.Keys)
					{
						FJsonValue Entry = FJsonValue::object();
						Entry["InterpMode"] = EnumJson(InterpModes, Key.InterpMode);
						Entry["TangentMode"] = EnumJson(TangentModes, Key.TangentMode);
						Entry["TangentWeightMode"] = EnumJson(TangentWeightModes, Key.TangentWeightMode);
						Entry["Time"] = FloatJson(Key.Time);
						Entry["Value"] = FloatJson(Key.Value);
						Entry["ArriveTangent"] = FloatJson(Key.ArriveTangent);
						Entry["ArriveTangentWeight"] = FloatJson(Key.ArriveTangentWeight);
						Entry["LeaveTangent"] = FloatJson(Key.LeaveTangent);
						Entry["LeaveTangentWeight"] = FloatJson(Key.LeaveTangentWeight);
						Keys.push_back(std::move(Entry));
					}
					FJsonValue FloatCurve = FJsonValue::object();
					FloatCurve["DefaultValue"] = FloatJson(Rich.DefaultValue);
					FloatCurve["PreInfinityExtrap"] = EnumJson(Extrapolations, Rich.PreInfinityExtrap);
					FloatCurve["PostInfinityExtrap"] = EnumJson(Extrapolations, Rich.PostInfinityExtrap);
					FloatCurve["Keys"] = std::move(Keys);
					Out["FloatCurve"] = std::move(FloatCurve);
				}
			}

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
				return FloatJson(static_cast<float>(Value));
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
					return WriteObjectValue(Object, Object->GetObjectPropertyValue(ValuePtr));
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
		if (!Reader.ReadObjectBody(Object, Document, std::string(), false) || !Reader.ResolveReferences())
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
		FWriter Writer(Object);
		return FromUtf8(Private::Write(Writer.WriteObjectBody(Object)));
	}
}
