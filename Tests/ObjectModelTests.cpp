// The object model and reflection, driven the way engine code uses them.
#include "ObjectModelFixtures.h"
#include "CoreMinimal.h"
#include "UObject/UnrealType.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/Package.h"
#include "Templates/Casts.h"
#include <gtest/gtest.h>

namespace
{
	UFixtureObject* MakeFixture()
	{
		return NewObject<UFixtureObject>();
	}
}

// NewObject must hand back a constructed object with its class, outer and a unique name.
TEST(ObjectModel, NewObjectSetsIdentityAndRunsPostInit)
{
	UFixtureObject* A = MakeFixture();
	UFixtureObject* B = MakeFixture();
	ASSERT_NE(A, nullptr);
	EXPECT_EQ(A->GetClass(), UFixtureObject::StaticClass());
	EXPECT_EQ(A->GetOuter(), (UObject*)GetTransientPackage());
	EXPECT_NE(A->GetFName(), B->GetFName()) << "unnamed objects get unique names";
	EXPECT_TRUE(A->GetName().StartsWith(TEXT("FixtureObject_")));
	EXPECT_EQ(A->PostInitCount, 1);
	EXPECT_EQ(A->Mode, EFixtureMode::Second) << "member initialisers run";
	EXPECT_TRUE(A->IsA<UObject>());
	EXPECT_FALSE(A->IsA<AActor>());

	UFixtureObject* Named = NewObject<UFixtureObject>(A, FName(TEXT("Child")));
	EXPECT_EQ(Named->GetFName(), FName(TEXT("Child")));
	EXPECT_EQ(Named->GetOuter(), A);
}

// Cast follows the class hierarchy and ignores garbage; IsValid does not.
TEST(ObjectModel, CastAndIsValidDisagreeOnGarbage)
{
	UFixtureObject* Object = MakeFixture();
	UObject* AsBase = Object;
	EXPECT_EQ(Cast<UFixtureObject>(AsBase), Object);
	EXPECT_EQ(Cast<AActor>(AsBase), nullptr);
	EXPECT_EQ(Cast<UFixtureObject>((UObject*)nullptr), nullptr);

	Object->MarkAsGarbage();
	EXPECT_FALSE(IsValid(Object));
	EXPECT_EQ(Cast<UFixtureObject>(AsBase), Object) << "Cast does not look at garbage";
}

// Weak pointers must read null once the object is garbage, and stay null after it is destroyed.
TEST(ObjectModel, WeakPointerGoesStale)
{
	UFixtureObject* Object = MakeFixture();
	TWeakObjectPtr<UFixtureObject> Weak(Object);
	TWeakObjectPtr<UFixtureObject> Empty;
	EXPECT_TRUE(Weak.IsValid());
	EXPECT_FALSE(Empty.IsStale()) << "a never-set pointer is not stale";

	Object->MarkAsGarbage();
	EXPECT_EQ(Weak.Get(), nullptr);
	EXPECT_EQ(Weak.Get(/*bEvenIfGarbage*/ true), Object);
	EXPECT_TRUE(Weak.IsStale());

	CollectGarbage();
	EXPECT_EQ(Weak.Get(true), nullptr) << "destroyed objects are gone even for bEvenIfGarbage";

	// A new object may reuse the slot; the old pointer must not see it.
	UFixtureObject* Reuser = MakeFixture();
	EXPECT_EQ(Weak.Get(true), nullptr);
	EXPECT_TRUE(IsValid(Reuser));
}

// Collection clears every reflected reference to what it destroys, in members, arrays and structs.
TEST(ObjectModel, CollectGarbageNullsReflectedReferences)
{
	UFixtureObject* Holder = MakeFixture();
	UFixtureObject* Doomed = MakeFixture();
	UFixtureObject* Kept = MakeFixture();
	Holder->Reference = Doomed;
	Holder->References = { Doomed, Kept, Doomed };
	Holder->Toggles.Held = Doomed;
	UFixtureObject* DoomedChild = NewObject<UFixtureObject>(Doomed);
	TWeakObjectPtr<UFixtureObject> WeakChild(DoomedChild);
	Holder->Weak = DoomedChild;

	Doomed->MarkAsGarbage();
	CollectGarbage();

	EXPECT_EQ(Holder->Reference, nullptr);
	ASSERT_EQ(Holder->References.Num(), 3) << "arrays keep their length; entries are nulled";
	EXPECT_EQ(Holder->References[0], nullptr);
	EXPECT_EQ(Holder->References[1], Kept);
	EXPECT_EQ(Holder->References[2], nullptr);
	EXPECT_EQ(Holder->Toggles.Held, nullptr);
	EXPECT_FALSE(WeakChild.IsValid()) << "an object does not outlive its outer";
	EXPECT_FALSE(Holder->Weak.IsValid());
	EXPECT_TRUE(IsValid(Kept));
}

// Properties are found by name (case-insensitively, through supers) and read and written through reflection.
TEST(Reflection, FindPropertyAndAccessValues)
{
	UFixtureObject* Object = MakeFixture();
	FProperty* Hidden = FindFProperty<FProperty>(UFixtureObject::StaticClass(), TEXT("hidden"));
	ASSERT_NE(Hidden, nullptr) << "protected members are reflected and names are case-insensitive";
	EXPECT_TRUE(Hidden->IsA<FFloatProperty>());
	EXPECT_TRUE(Hidden->HasAnyPropertyFlags(CPF_Protected | CPF_NativeAccessSpecifierProtected));
	*Hidden->ContainerPtrToValuePtr<float>(Object) = 7.5f;
	int32 Count = -1;
	EXPECT_FLOAT_EQ(Object->Scaled(2.f, Count), 15.f);

	EXPECT_EQ(FindFProperty<FProperty>(UFixtureObject::StaticClass(), TEXT("NoSuchThing")), nullptr);
	EXPECT_EQ(FindFProperty<FFloatProperty>(UFixtureObject::StaticClass(), TEXT("Reference")), nullptr) << "wrong field class";

	FEnumProperty* Mode = FindFProperty<FEnumProperty>(UFixtureObject::StaticClass(), TEXT("Mode"));
	ASSERT_NE(Mode, nullptr);
	UEnum* Enum = Mode->GetEnum();
	EXPECT_EQ(Enum, StaticEnum<EFixtureMode>());
	EXPECT_EQ(Enum->GetValueByName(FName(TEXT("Third"))), 7);
	EXPECT_EQ(Enum->GetDisplayNameStringByValue(0), FString(TEXT("First Mode")));
	EXPECT_EQ(Enum->GetDisplayNameStringByValue(1), FString(TEXT("Second")));
}

// One-bit toggles keep their declared bit positions and are reachable both through accessors and byte/mask.
TEST(Reflection, BitfieldTogglesHaveTheirBitPositions)
{
	UScriptStruct* Struct = FFixtureToggles::StaticStruct();
	const TCHAR* Names[] = { TEXT("bOverride_Alpha"), TEXT("bOverride_Beta"), TEXT("bOverride_Gamma") };
	FFixtureToggles Value;
	for (int32 Bit = 0; Bit < 3; ++Bit)
	{
		FBoolProperty* Toggle = FindFProperty<FBoolProperty>(Struct, Names[Bit]);
		ASSERT_NE(Toggle, nullptr) << Bit;
		EXPECT_FALSE(Toggle->IsNativeBool());
		EXPECT_EQ(Toggle->GetByteOffset(), 0) << "all three share the first byte";
		EXPECT_EQ(Toggle->GetBitIndex(), Bit) << "declared order is bit order";
		EXPECT_EQ(Toggle->GetFieldMask(), (uint8)(1u << Bit));
	}
	FBoolProperty* Gamma = FindFProperty<FBoolProperty>(Struct, TEXT("bOverride_Gamma"));
	Gamma->SetPropertyValue(Gamma->ContainerPtrToValuePtr<uint8>(&Value), true);
	EXPECT_TRUE(Value.bOverride_Gamma);
	EXPECT_TRUE(Value.bOverride_Beta) << "neighbouring bits untouched";
	EXPECT_FALSE(Value.bOverride_Alpha);
	Gamma->SetPropertyValue_InContainer(&Value, false);
	EXPECT_FALSE(Gamma->GetPropertyValue_InContainer(&Value));
}

// Metadata written in headers (categories, clamps, edit conditions, tooltips) must be readable by the editor code.
TEST(Reflection, MetadataFromHeaders)
{
	FProperty* Alpha = FindFProperty<FProperty>(FFixtureToggles::StaticStruct(), TEXT("Alpha"));
	ASSERT_NE(Alpha, nullptr);
	EXPECT_EQ(Alpha->GetMetaData(TEXT("Category")), FString(TEXT("Fixture")));
	EXPECT_EQ(Alpha->GetMetaData(TEXT("ClampMax")), FString(TEXT("10.0")));
	EXPECT_FLOAT_EQ(Alpha->GetFloatMetaData(FName(TEXT("UIMax"))), 2.f);
	EXPECT_EQ(Alpha->GetMetaData(TEXT("EditCondition")), FString(TEXT("bOverride_Alpha")));
	EXPECT_EQ(Alpha->GetMetaData(TEXT("ToolTip")), FString(TEXT("Alpha value.")));
	EXPECT_TRUE(FindFProperty<FProperty>(FFixtureToggles::StaticStruct(), TEXT("bOverride_Alpha"))->HasMetaData(TEXT("InlineEditConditionToggle")));
	EXPECT_FALSE(Alpha->HasMetaData(TEXT("ClampMin2")));

	UFunction* Scaled = UFixtureObject::StaticClass()->FindFunctionByName(FName(TEXT("Scaled")));
	ASSERT_NE(Scaled, nullptr);
	EXPECT_TRUE(Scaled->HasAllFunctionFlags(FUNC_BlueprintPure | FUNC_Const | FUNC_HasOutParms));
	FProperty* Return = Scaled->GetReturnProperty();
	ASSERT_NE(Return, nullptr);
	EXPECT_EQ(Return->GetFName(), FName(TEXT("ReturnValue")));
	FProperty* OutCount = FindFProperty<FProperty>(Scaled, TEXT("OutCount"));
	ASSERT_NE(OutCount, nullptr);
	EXPECT_TRUE(OutCount->HasAnyPropertyFlags(CPF_OutParm));
}

// Values travel through the engine's text form and back unchanged, for every kind of property.
TEST(Reflection, TextExportImportRoundTrip)
{
	UFixtureObject* Source = MakeFixture();
	Source->Toggles.Alpha = 0.1f;
	Source->Toggles.bOverride_Gamma = true;
	Source->Toggles.Beta = FLinearColor(0.2f, 0.4f, 0.6f, 0.8f);
	Source->Mode = EFixtureMode::Third;
	Source->Names = { FName(TEXT("One")), FName(TEXT("Two")) };
	UFixtureObject* Target = MakeFixture();

	for (const TCHAR* Name : { TEXT("Toggles"), TEXT("Mode"), TEXT("Names"), TEXT("Hidden") })
	{
		FProperty* Property = FindFProperty<FProperty>(UFixtureObject::StaticClass(), Name);
		ASSERT_NE(Property, nullptr) << TCHAR_TO_UTF8(Name);
		FString Text;
		Property->ExportTextItem_Direct(Text, Property->ContainerPtrToValuePtr<void>(Source), nullptr, Source, 0);
		const TCHAR* End = Property->ImportText_Direct(*Text, Property->ContainerPtrToValuePtr<void>(Target), Target, 0);
		ASSERT_NE(End, nullptr) << TCHAR_TO_UTF8(*Text);
		EXPECT_TRUE(Property->Identical(Property->ContainerPtrToValuePtr<void>(Source), Property->ContainerPtrToValuePtr<void>(Target))) << TCHAR_TO_UTF8(*Text);
	}
	EXPECT_FLOAT_EQ(Target->Toggles.Alpha, 0.1f);
	EXPECT_TRUE(Target->Toggles.bOverride_Gamma);

	FProperty* Mode = FindFProperty<FProperty>(UFixtureObject::StaticClass(), TEXT("Mode"));
	EXPECT_EQ(Mode->ImportText_Direct(TEXT("Fourth"), Mode->ContainerPtrToValuePtr<void>(Target), Target, 0), nullptr) << "unknown enumerators are refused";
}

// Class discovery (what subsystem creation relies on) finds linked-in classes by their base.
TEST(Reflection, DerivedClassesAreDiscovered)
{
	TArray<UClass*> Derived;
	GetDerivedClasses(UWorldSubsystem::StaticClass(), Derived);
	EXPECT_TRUE(Derived.Contains(UFixtureWorldSubsystem::StaticClass()));
	EXPECT_FALSE(Derived.Contains(UWorldSubsystem::StaticClass()));
	EXPECT_EQ(FindHostClass(FName(TEXT("FixtureActor"))), AFixtureActor::StaticClass());
	EXPECT_TRUE(AFixtureActor::StaticClass()->IsChildOf(AActor::StaticClass()));
	EXPECT_EQ(AFixtureActor::StaticClass()->GetSuperClass(), AActor::StaticClass());
}
