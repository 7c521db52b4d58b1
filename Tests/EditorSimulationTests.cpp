// Editor edits as the Details panel makes them: refused, clamped or applied, then announced with the chain.
#include "ObjectModelFixtures.h"
#include "HostSupport/EditorSimulation.h"
#include <gtest/gtest.h>

using HostEditor::EEditStatus;

namespace
{
	UFixtureObject* MakeFixture()
	{
		return NewObject<UFixtureObject>();
	}
}

// A field behind an off toggle is read-only: the edit is refused, the value kept and nothing announced.
TEST(EditorSimulation, EditConditionRefusesAndKeepsValue)
{
	UFixtureObject* Object = MakeFixture();
	const HostEditor::FEditResult Refused = HostEditor::SetPropertyByPath(Object, TEXT("Toggles.Alpha"), 5.0);
	EXPECT_EQ(Refused.Status, EEditStatus::DisabledByEditCondition) << TCHAR_TO_UTF8(*Refused.Message);
	EXPECT_FLOAT_EQ(Object->Toggles.Alpha, 1.f);
	EXPECT_TRUE(Object->EditJournal.IsEmpty());

	ASSERT_TRUE(HostEditor::SetPropertyByPath(Object, TEXT("Toggles.bOverride_Alpha"), true).IsApplied());
	const HostEditor::FEditResult Applied = HostEditor::SetPropertyByPath(Object, TEXT("Toggles.Alpha"), 5.0);
	EXPECT_TRUE(Applied.IsApplied());
	EXPECT_FALSE(Applied.bClamped);
	EXPECT_FLOAT_EQ(Object->Toggles.Alpha, 5.f);
}

// ClampMin/ClampMax bound typed entries (the slider's UIMax does not); the caller learns of the clamp.
TEST(EditorSimulation, ClampMetadataBoundsEntries)
{
	UFixtureObject* Object = MakeFixture();
	Object->Toggles.bOverride_Alpha = true;
	const HostEditor::FEditResult High = HostEditor::SetPropertyByPath(Object, TEXT("Toggles.Alpha"), 20.0);
	EXPECT_TRUE(High.IsApplied());
	EXPECT_TRUE(High.bClamped);
	EXPECT_FLOAT_EQ(Object->Toggles.Alpha, 10.f);
	EXPECT_TRUE(HostEditor::SetPropertyByPath(Object, TEXT("Toggles.Alpha"), 7.0).IsApplied());
	EXPECT_FLOAT_EQ(Object->Toggles.Alpha, 7.f) << "above UIMax but inside ClampMax is kept";
	HostEditor::SetPropertyByPath(Object, TEXT("Toggles.Alpha"), -3.0);
	EXPECT_FLOAT_EQ(Object->Toggles.Alpha, 0.f);
}

// The editor raises the chain event (member at the head, changed property at the tail); the base class forwards it.
TEST(EditorSimulation, ChainEventCarriesMemberAndInnermost)
{
	UFixtureObject* Object = MakeFixture();
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Object, TEXT("Toggles.bOverride_Gamma"), true).IsApplied());
	ASSERT_EQ(Object->EditJournal.Num(), 2);
	EXPECT_EQ(Object->EditJournal[0], FString::Printf(TEXT("Chain:Toggles/bOverride_Gamma:Toggles>bOverride_Gamma:%u"), (uint32)EPropertyChangeType::ValueSet));
	EXPECT_EQ(Object->EditJournal[1], FString(TEXT("Property:Toggles/bOverride_Gamma")));
	EXPECT_TRUE(Object->Toggles.bOverride_Gamma);

	Object->EditJournal.Reset();
	HostEditor::SetPropertyByPath(Object, TEXT("Mode"), TEXT("Third"), HostEditor::ENotify::PropertyOnly);
	ASSERT_EQ(Object->EditJournal.Num(), 1);
	EXPECT_EQ(Object->EditJournal[0], FString(TEXT("Property:Mode/Mode")));
}

// Array elements are addressed by index; adding and removing raise array changes.
TEST(EditorSimulation, ArrayElementsAndArrayEdits)
{
	UFixtureObject* Object = MakeFixture();
	ASSERT_TRUE(HostEditor::AddArrayElement(Object, TEXT("Names")).IsApplied());
	ASSERT_TRUE(HostEditor::AddArrayElement(Object, TEXT("Names")).IsApplied());
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Object, TEXT("Names[1]"), FName(TEXT("Second"))).IsApplied());
	ASSERT_EQ(Object->Names.Num(), 2);
	EXPECT_EQ(Object->Names[1], FName(TEXT("Second")));
	EXPECT_EQ(Object->EditJournal[0], FString::Printf(TEXT("Chain:Names/Names:Names:%u"), (uint32)EPropertyChangeType::ArrayAdd));
	EXPECT_EQ(HostEditor::SetPropertyByPath(Object, TEXT("Names[2]"), TEXT("X")).Status, EEditStatus::NotFound);
	ASSERT_TRUE(HostEditor::RemoveArrayElement(Object, TEXT("Names"), 0).IsApplied());
	ASSERT_EQ(Object->Names.Num(), 1);
	EXPECT_EQ(Object->Names[0], FName(TEXT("Second")));
}

// Everything the panel would not offer is refused with a reason, and the value is left alone.
TEST(EditorSimulation, RefusalsLeaveValues)
{
	UFixtureObject* Object = MakeFixture();
	EXPECT_EQ(HostEditor::SetPropertyByPath(Object, TEXT("ReadOnlyCount"), 4.0).Status, EEditStatus::NotEditable);
	EXPECT_EQ(HostEditor::SetPropertyByPath(Object, TEXT("Weak"), TEXT("None")).Status, EEditStatus::NotEditable) << "no edit flag";
	EXPECT_EQ(HostEditor::SetPropertyByPath(Object, TEXT("Nope"), 1.0).Status, EEditStatus::NotFound);
	EXPECT_EQ(HostEditor::SetPropertyByPath(Object, TEXT("Mode"), TEXT("Fourth")).Status, EEditStatus::BadValue);
	EXPECT_EQ(Object->Mode, EFixtureMode::Second);
	EXPECT_EQ(HostEditor::SetObjectPropertyByPath(Object, TEXT("Toggles.Held"), MakeFixture()).Status, EEditStatus::Applied);
	EXPECT_EQ(Object->ReadOnlyCount, 0);
	EXPECT_TRUE(Object->EditJournal.Num() == 2) << "only the applied edit was announced (chain + forwarded)";
}

struct FConditionCase
{
	EFixtureMode Mode;
	bool bGateOpen;
	float Hidden;
	bool bEditable;
};

class EditConditionTest : public ::testing::TestWithParam<FConditionCase>
{
};

// Compound edit conditions (enum comparison, numbers, negation, grouping) decide editability as the panel does.
TEST_P(EditConditionTest, CompoundExpressions)
{
	const FConditionCase& Case = GetParam();
	UFixtureObject* Object = MakeFixture();
	Object->Mode = Case.Mode;
	Object->bGateOpen = Case.bGateOpen;
	*FindFProperty<FProperty>(UFixtureObject::StaticClass(), TEXT("Hidden"))->ContainerPtrToValuePtr<float>(Object) = Case.Hidden;
	const HostEditor::FEditResult Result = HostEditor::SetPropertyByPath(Object, TEXT("GatedByMode"), 1.0);
	EXPECT_EQ(Result.IsApplied(), Case.bEditable) << TCHAR_TO_UTF8(*Result.Message);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditConditionTest, ::testing::Values(
	FConditionCase{ EFixtureMode::Third, true, 3.f, true },
	FConditionCase{ EFixtureMode::Third, true, 1.f, false },
	FConditionCase{ EFixtureMode::Third, false, 1.f, true },
	FConditionCase{ EFixtureMode::Second, false, 3.f, false }));
