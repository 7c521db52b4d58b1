// How the editor edits a property: resolve the path to the value, refuse what the Details panel
// would not let the user touch (not editable, greyed by an edit condition, refused by the object),
// clamp numbers to ClampMin/ClampMax, write, then announce the change with the property chain.
#include "HostSupport/EditorSimulation.h"
#include "Misc/CString.h"
#include <cmath>
#include <cstdlib>
#include <vector>

namespace HostEditor
{
	namespace
	{
		/** One step of a path: the property, the struct it belongs to and the container holding it. */
		struct FPathStep
		{
			FProperty* Property = nullptr;
			const UStruct* OwnerStruct = nullptr;
			void* Container = nullptr;
			int32 ArrayIndex = INDEX_NONE;
		};

		struct FResolvedPath
		{
			std::vector<FPathStep> Steps;
			/** Address of the final value (an array element when the path ends in [i]). */
			void* ValuePtr = nullptr;
			/** The property describing the final value (the array's inner for an element). */
			FProperty* ValueProperty = nullptr;
			FString Error;
		};

		bool ParseSegment(const FString& Segment, FString& OutName, int32& OutIndex)
		{
			OutIndex = INDEX_NONE;
			const int32 Bracket = Segment.Find(TEXT("["));
			if (Bracket == INDEX_NONE)
			{
				OutName = Segment;
				return !OutName.IsEmpty();
			}
			if (!Segment.EndsWith(TEXT("]")))
			{
				return false;
			}
			OutName = Segment.Left(Bracket);
			const FString IndexText = Segment.Mid(Bracket + 1, Segment.Len() - Bracket - 2);
			if (IndexText.IsEmpty())
			{
				return false;
			}
			for (int32 Char = 0; Char < IndexText.Len(); ++Char)
			{
				if (IndexText[Char] < '0' || IndexText[Char] > '9')
				{
					return false;
				}
			}
			OutIndex = FCString::Atoi(*IndexText);
			return !OutName.IsEmpty();
		}

		FResolvedPath Resolve(UObject* Object, const FString& Path)
		{
			FResolvedPath Result;
			TArray<FString> Segments;
			Path.ParseIntoArray(Segments, TEXT("."), true);
			const UStruct* Struct = Object->GetClass();
			void* Container = Object;
			for (int32 SegmentIndex = 0; SegmentIndex < Segments.Num(); ++SegmentIndex)
			{
				FString Name;
				int32 Index = INDEX_NONE;
				if (!Struct || !ParseSegment(Segments[SegmentIndex], Name, Index))
				{
					Result.Error = FString::Printf(TEXT("'%s' is not a member path"), *Path);
					return Result;
				}
				FProperty* Property = FindFProperty<FProperty>(Struct, FName(*Name));
				if (!Property)
				{
					Result.Error = FString::Printf(TEXT("%s has no property '%s'"), *Struct->GetName(), *Name);
					return Result;
				}
				FPathStep Step;
				Step.Property = Property;
				Step.OwnerStruct = Struct;
				Step.Container = Container;
				Step.ArrayIndex = Index;
				Result.Steps.push_back(Step);

				void* Value = Property->ContainerPtrToValuePtr<void>(Container);
				FProperty* ValueProperty = Property;
				if (Index != INDEX_NONE)
				{
					FArrayProperty* Array = CastField<FArrayProperty>(Property);
					if (!Array)
					{
						Result.Error = FString::Printf(TEXT("'%s' is not an array"), *Name);
						return Result;
					}
					FScriptArrayHelper Helper(Array, Value);
					if (!Helper.IsValidIndex(Index))
					{
						Result.Error = FString::Printf(TEXT("'%s' has no element %d (it has %d)"), *Name, Index, Helper.Num());
						return Result;
					}
					Value = Helper.GetRawPtr(Index);
					ValueProperty = Array->Inner;
				}
				Result.ValuePtr = Value;
				Result.ValueProperty = ValueProperty;
				if (SegmentIndex + 1 < Segments.Num())
				{
					FStructProperty* StructProperty = CastField<FStructProperty>(ValueProperty);
					if (!StructProperty)
					{
						Result.Error = FString::Printf(TEXT("'%s' has no members"), *Name);
						return Result;
					}
					Struct = StructProperty->Struct;
					Container = Value;
				}
			}
			if (Result.Steps.empty())
			{
				Result.Error = TEXT("empty property path");
			}
			return Result;
		}

		/** What the Details panel checks before letting a row be edited. */
		FEditResult CheckEditable(UObject* Object, const FResolvedPath& Resolved)
		{
			FEditResult Result;
			Result.Property = Resolved.Steps.back().Property;
			for (const FPathStep& Step : Resolved.Steps)
			{
				if (!Step.Property->HasAnyPropertyFlags(CPF_Edit) || Step.Property->HasAnyPropertyFlags(CPF_EditConst))
				{
					Result.Status = EEditStatus::NotEditable;
					Result.Message = FString::Printf(TEXT("'%s' is not editable"), *Step.Property->GetName());
					return Result;
				}
				const FString& Condition = Step.Property->GetMetaData(TEXT("EditCondition"));
				if (!Condition.IsEmpty() && !EvaluateEditCondition(Condition, Step.OwnerStruct, Step.Container))
				{
					Result.Status = EEditStatus::DisabledByEditCondition;
					const bool bHides = Step.Property->HasMetaData(TEXT("EditConditionHides"));
					Result.Message = FString::Printf(TEXT("'%s' is %s while its edit condition '%s' is false"), *Step.Property->GetName(), bHides ? TEXT("hidden") : TEXT("read-only"), *Condition);
					return Result;
				}
			}
			if (!Object->CanEditChange(Resolved.Steps.front().Property) || !Object->CanEditChange(Resolved.Steps.back().Property))
			{
				Result.Status = EEditStatus::RefusedByObject;
				Result.Message = FString::Printf(TEXT("%s refuses edits of '%s'"), *Object->GetName(), *Result.Property->GetName());
				return Result;
			}
			Result.Status = EEditStatus::Applied;
			return Result;
		}

		/** The Details panel keeps numbers inside ClampMin..ClampMax (sliders are bound by UIMin/UIMax only). */
		bool ClampNumeric(const FProperty* Property, void* Value, FString& OutMessage)
		{
			const FNumericProperty* Numeric = CastField<FNumericProperty>(Property);
			if (!Numeric || Numeric->GetIntPropertyEnum())
			{
				return false;
			}
			const double Current = Numeric->IsFloatingPoint() ? Numeric->GetFloatingPointPropertyValue(Value) : (double)Numeric->GetSignedIntPropertyValue(Value);
			double Clamped = Current;
			if (Property->HasMetaData(TEXT("ClampMin")))
			{
				const double Min = std::strtod(TCHAR_TO_UTF8(*Property->GetMetaData(TEXT("ClampMin"))), nullptr);
				Clamped = Clamped < Min ? Min : Clamped;
			}
			if (Property->HasMetaData(TEXT("ClampMax")))
			{
				const double Max = std::strtod(TCHAR_TO_UTF8(*Property->GetMetaData(TEXT("ClampMax"))), nullptr);
				Clamped = Clamped > Max ? Max : Clamped;
			}
			if (Clamped == Current)
			{
				return false;
			}
			if (Numeric->IsFloatingPoint())
			{
				Numeric->SetFloatingPointPropertyValue(Value, Clamped);
			}
			else
			{
				Numeric->SetIntPropertyValue(Value, (int64)Clamped);
			}
			OutMessage = FString::Printf(TEXT("clamped to %s"), *Numeric->GetNumericPropertyValueToString(Value));
			return true;
		}

		void Announce(UObject* Object, const FResolvedPath& Resolved, FProperty* Innermost, EPropertyChangeType::Type ChangeType, ENotify Notify)
		{
			if (Notify == ENotify::None)
			{
				return;
			}
			FProperty* Member = Resolved.Steps.front().Property;
			FPropertyChangedEvent Event(Innermost, ChangeType);
			Event.SetActiveMemberProperty(Member);
			if (Notify == ENotify::PropertyOnly)
			{
				Object->PostEditChangeProperty(Event);
				return;
			}
			FEditPropertyChain Chain;
			for (const FPathStep& Step : Resolved.Steps)
			{
				Chain.AddTail(Step.Property);
			}
			if (Innermost != Resolved.Steps.back().Property)
			{
				Chain.AddTail(Innermost);
			}
			Chain.SetActivePropertyNode(Innermost);
			Chain.SetActiveMemberPropertyNode(Member);
			FPropertyChangedChainEvent ChainEvent(Chain, Event);
			Object->PostEditChangeChainProperty(ChainEvent);
		}

		template<typename WriterType>
		FEditResult Edit(UObject* Object, const FString& Path, ENotify Notify, WriterType&& Writer)
		{
			FEditResult Result;
			if (!Object)
			{
				Result.Message = TEXT("no object");
				return Result;
			}
			const FResolvedPath Resolved = Resolve(Object, Path);
			if (!Resolved.Error.IsEmpty())
			{
				Result.Message = Resolved.Error;
				return Result;
			}
			Result = CheckEditable(Object, Resolved);
			if (!Result.IsApplied())
			{
				return Result;
			}
			// Parse into a scratch value first, so a bad entry leaves the property untouched.
			FProperty* ValueProperty = Resolved.ValueProperty;
			std::vector<uint8> Scratch((size_t)ValueProperty->GetElementSize() + 16);
			void* Temp = (void*)(((uintptr_t)Scratch.data() + 15) & ~(uintptr_t)15);
			ValueProperty->InitializeValue(Temp);
			ValueProperty->CopyCompleteValue(Temp, Resolved.ValuePtr);
			const bool bParsed = Writer(ValueProperty, Temp, Result.Message);
			if (bParsed)
			{
				Result.bClamped = ClampNumeric(ValueProperty, Temp, Result.Message);
				Object->PreEditChange(Resolved.Steps.front().Property);
				ValueProperty->CopyCompleteValue(Resolved.ValuePtr, Temp);
			}
			ValueProperty->DestroyValue(Temp);
			if (!bParsed)
			{
				Result.Status = EEditStatus::BadValue;
				return Result;
			}
			Announce(Object, Resolved, ValueProperty, EPropertyChangeType::ValueSet, Notify);
			return Result;
		}

		// ---- Edit conditions -----------------------------------------------------------------

		struct FConditionValue
		{
			enum class EKind : uint8 { Bool, Number, Name, Invalid } Kind = EKind::Invalid;
			bool bValue = false;
			double Number = 0.0;
			FString Name;
		};

		class FConditionParser
		{
		public:
			FConditionParser(const FString& InText, const UStruct* InStruct, const void* InContainer)
				: Text(InText), Struct(InStruct), Container(InContainer)
			{
			}

			bool Evaluate()
			{
				const FConditionValue Value = ParseOr();
				SkipSpaces();
				return !bFailed && Position == Text.Len() && AsBool(Value);
			}

		private:
			void SkipSpaces()
			{
				while (Position < Text.Len() && (Text[Position] == ' ' || Text[Position] == '\t'))
				{
					++Position;
				}
			}
			bool Match(const TCHAR* Token)
			{
				SkipSpaces();
				const int32 Length = FCString::Strlen(Token);
				if (Text.Mid(Position, Length) == Token)
				{
					Position += Length;
					return true;
				}
				return false;
			}
			bool AsBool(const FConditionValue& Value)
			{
				switch (Value.Kind)
				{
				case FConditionValue::EKind::Bool: return Value.bValue;
				case FConditionValue::EKind::Number: return Value.Number != 0.0;
				default: bFailed = true; return false;
				}
			}
			FConditionValue MakeBool(bool bValue)
			{
				FConditionValue Value;
				Value.Kind = FConditionValue::EKind::Bool;
				Value.bValue = bValue;
				return Value;
			}

			FConditionValue ParseOr()
			{
				FConditionValue Left = ParseAnd();
				while (Match(TEXT("||")))
				{
					const FConditionValue Right = ParseAnd();
					Left = MakeBool(AsBool(Left) || AsBool(Right));
				}
				return Left;
			}
			FConditionValue ParseAnd()
			{
				FConditionValue Left = ParseComparison();
				while (Match(TEXT("&&")))
				{
					const FConditionValue Right = ParseComparison();
					Left = MakeBool(AsBool(Left) && AsBool(Right));
				}
				return Left;
			}
			FConditionValue ParseComparison()
			{
				FConditionValue Left = ParseUnary();
				for (const TCHAR* Operator : { TEXT("=="), TEXT("!="), TEXT("<="), TEXT(">="), TEXT("<"), TEXT(">") })
				{
					if (Match(Operator))
					{
						const FConditionValue Right = ParseUnary();
						return MakeBool(Compare(Left, Right, FString(Operator)));
					}
				}
				return Left;
			}
			FConditionValue ParseUnary()
			{
				if (Match(TEXT("!")))
				{
					return MakeBool(!AsBool(ParseUnary()));
				}
				if (Match(TEXT("(")))
				{
					FConditionValue Inner = ParseOr();
					if (!Match(TEXT(")")))
					{
						bFailed = true;
					}
					return Inner;
				}
				return ParseOperand();
			}
			FConditionValue ParseOperand()
			{
				SkipSpaces();
				FString Token;
				while (Position < Text.Len())
				{
					const TCHAR C = Text[Position];
					const bool bWord = (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '_' || C == '.' || C == ':' || C == '-';
					if (!bWord)
					{
						break;
					}
					Token.AppendChar(C);
					++Position;
				}
				FConditionValue Value;
				if (Token.IsEmpty())
				{
					bFailed = true;
					return Value;
				}
				if (Token == TEXT("true") || Token == TEXT("false"))
				{
					return MakeBool(Token == TEXT("true"));
				}
				char* End = nullptr;
				const std::string Utf8 = TCHAR_TO_UTF8(*Token);
				const double Number = std::strtod(Utf8.c_str(), &End);
				if (End && *End == 0)
				{
					Value.Kind = FConditionValue::EKind::Number;
					Value.Number = Number;
					return Value;
				}
				if (FProperty* Property = FindFProperty<FProperty>(Struct, FName(*Token)))
				{
					return ReadProperty(Property);
				}
				// An enumerator ("EMode::Value" or "Value") compared against an enum member.
				Value.Kind = FConditionValue::EKind::Name;
				const int32 Colon = Token.Find(TEXT("::"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
				Value.Name = Colon == INDEX_NONE ? Token : Token.Mid(Colon + 2);
				return Value;
			}
			FConditionValue ReadProperty(FProperty* Property)
			{
				FConditionValue Value;
				if (FBoolProperty* Bool = CastField<FBoolProperty>(Property))
				{
					return MakeBool(Bool->GetPropertyValue_InContainer(Container));
				}
				if (FEnumProperty* Enum = CastField<FEnumProperty>(Property))
				{
					Value.Kind = FConditionValue::EKind::Name;
					Value.Name = Enum->GetEnum()->GetNameStringByValue(Enum->GetEnumValue(Enum->ContainerPtrToValuePtr<void>(Container)));
					return Value;
				}
				if (FByteProperty* Byte = CastField<FByteProperty>(Property); Byte && Byte->Enum)
				{
					Value.Kind = FConditionValue::EKind::Name;
					Value.Name = Byte->Enum->GetNameStringByValue(*Byte->ContainerPtrToValuePtr<uint8>(Container));
					return Value;
				}
				if (FNumericProperty* Numeric = CastField<FNumericProperty>(Property))
				{
					const void* Data = Numeric->ContainerPtrToValuePtr<void>(Container);
					Value.Kind = FConditionValue::EKind::Number;
					Value.Number = Numeric->IsFloatingPoint() ? Numeric->GetFloatingPointPropertyValue(Data) : (double)Numeric->GetSignedIntPropertyValue(Data);
					return Value;
				}
				if (FObjectPropertyBase* ObjectProperty = CastField<FObjectPropertyBase>(Property))
				{
					// "Asset != nullptr" style conditions.
					Value.Kind = FConditionValue::EKind::Number;
					Value.Number = ObjectProperty->GetObjectPropertyValue_InContainer(Container) ? 1.0 : 0.0;
					return Value;
				}
				bFailed = true;
				return Value;
			}
			bool Compare(const FConditionValue& Left, const FConditionValue& Right, const FString& Operator)
			{
				if (Left.Kind == FConditionValue::EKind::Name || Right.Kind == FConditionValue::EKind::Name)
				{
					if (Left.Kind != Right.Kind || (Operator != TEXT("==") && Operator != TEXT("!=")))
					{
						bFailed = true;
						return false;
					}
					const bool bEqual = Left.Name == Right.Name;
					return Operator == TEXT("==") ? bEqual : !bEqual;
				}
				const double A = Left.Kind == FConditionValue::EKind::Bool ? (Left.bValue ? 1.0 : 0.0) : Left.Number;
				const double B = Right.Kind == FConditionValue::EKind::Bool ? (Right.bValue ? 1.0 : 0.0) : Right.Number;
				if (Operator == TEXT("==")) return A == B;
				if (Operator == TEXT("!=")) return A != B;
				if (Operator == TEXT("<=")) return A <= B;
				if (Operator == TEXT(">=")) return A >= B;
				if (Operator == TEXT("<")) return A < B;
				return A > B;
			}

			const FString& Text;
			const UStruct* Struct;
			const void* Container;
			int32 Position = 0;
			bool bFailed = false;
		};
	}

	bool EvaluateEditCondition(const FString& Expression, const UStruct* Struct, const void* Container)
	{
		if (Expression.IsEmpty())
		{
			return true;
		}
		FConditionParser Parser(Expression, Struct, Container);
		return Parser.Evaluate();
	}

	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, const FString& ValueText, ENotify Notify)
	{
		return Edit(Object, Path, Notify, [&ValueText, Object](FProperty* Property, void* Temp, FString& OutMessage) {
			const TCHAR* End = Property->ImportText_Direct(*ValueText, Temp, Object, 0);
			if (!End)
			{
				OutMessage = FString::Printf(TEXT("'%s' is not a valid %s"), *ValueText, *Property->GetCPPType());
				return false;
			}
			return true;
		});
	}

	FEditResult SetObjectPropertyByPath(UObject* Object, const FString& Path, UObject* Value, ENotify Notify)
	{
		return Edit(Object, Path, Notify, [Value](FProperty* Property, void* Temp, FString& OutMessage) {
			FObjectPropertyBase* ObjectProperty = CastField<FObjectPropertyBase>(Property);
			if (!ObjectProperty)
			{
				OutMessage = FString::Printf(TEXT("'%s' does not hold an object"), *Property->GetName());
				return false;
			}
			if (Value && ObjectProperty->PropertyClass && !Value->IsA(ObjectProperty->PropertyClass))
			{
				OutMessage = FString::Printf(TEXT("%s is not a %s"), *Value->GetName(), *ObjectProperty->PropertyClass->GetName());
				return false;
			}
			ObjectProperty->SetObjectPropertyValue(Temp, Value);
			return true;
		});
	}

	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, double Value, ENotify Notify)
	{
		return SetPropertyByPath(Object, Path, FString::Printf(TEXT("%.17g"), Value), Notify);
	}

	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, bool bValue, ENotify Notify)
	{
		return SetPropertyByPath(Object, Path, FString(bValue ? TEXT("True") : TEXT("False")), Notify);
	}

	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, const FLinearColor& Value, ENotify Notify)
	{
		return SetPropertyByPath(Object, Path, FString::Printf(TEXT("(R=%.9g,G=%.9g,B=%.9g,A=%.9g)"), Value.R, Value.G, Value.B, Value.A), Notify);
	}

	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, FName Value, ENotify Notify)
	{
		return SetPropertyByPath(Object, Path, Value.ToString(), Notify);
	}

	FEditResult SetPropertyByPath(UObject* Object, const FString& Path, const TCHAR* ValueText, ENotify Notify)
	{
		return SetPropertyByPath(Object, Path, FString(ValueText), Notify);
	}

	namespace
	{
		FEditResult EditArray(UObject* Object, const FString& Path, ENotify Notify, int32 RemoveIndex)
		{
			FEditResult Result;
			const FResolvedPath Resolved = Object ? Resolve(Object, Path) : FResolvedPath();
			if (!Object || !Resolved.Error.IsEmpty())
			{
				Result.Message = Object ? Resolved.Error : FString(TEXT("no object"));
				return Result;
			}
			FArrayProperty* Array = CastField<FArrayProperty>(Resolved.ValueProperty);
			if (!Array)
			{
				Result.Message = FString::Printf(TEXT("'%s' is not an array"), *Path);
				return Result;
			}
			Result = CheckEditable(Object, Resolved);
			if (!Result.IsApplied())
			{
				return Result;
			}
			if (Array->HasAnyPropertyFlags(CPF_EditFixedSize))
			{
				Result.Status = EEditStatus::NotEditable;
				Result.Message = FString::Printf(TEXT("'%s' has a fixed size"), *Array->GetName());
				return Result;
			}
			FScriptArrayHelper Helper(Array, Resolved.ValuePtr);
			if (RemoveIndex != INDEX_NONE && !Helper.IsValidIndex(RemoveIndex))
			{
				Result.Status = EEditStatus::BadValue;
				Result.Message = FString::Printf(TEXT("'%s' has no element %d"), *Array->GetName(), RemoveIndex);
				return Result;
			}
			Object->PreEditChange(Resolved.Steps.front().Property);
			if (RemoveIndex == INDEX_NONE)
			{
				Helper.AddValue();
			}
			else
			{
				Helper.RemoveValues(RemoveIndex);
			}
			Announce(Object, Resolved, Array, RemoveIndex == INDEX_NONE ? EPropertyChangeType::ArrayAdd : EPropertyChangeType::ArrayRemove, Notify);
			return Result;
		}
	}

	FEditResult AddArrayElement(UObject* Object, const FString& Path, ENotify Notify)
	{
		return EditArray(Object, Path, Notify, INDEX_NONE);
	}

	FEditResult RemoveArrayElement(UObject* Object, const FString& Path, int32 Index, ENotify Notify)
	{
		return Index < 0 ? FEditResult{ EEditStatus::BadValue, FString(TEXT("negative index")), false, nullptr } : EditArray(Object, Path, Notify, Index);
	}

	bool GetPropertyTextByPath(UObject* Object, const FString& Path, FString& OutText)
	{
		if (!Object)
		{
			return false;
		}
		const FResolvedPath Resolved = Resolve(Object, Path);
		if (!Resolved.Error.IsEmpty())
		{
			return false;
		}
		OutText.Reset();
		Resolved.ValueProperty->ExportTextItem_Direct(OutText, Resolved.ValuePtr, nullptr, Object, 0);
		return true;
	}
}
