// Materials, instances, parameter collections, meshes and post-process settings of the host, driven
// through the calls engine code makes (and the authoring helpers that stand in for the material editor).
#include "CoreMinimal.h"
#include "Components/PostProcessComponent.h"
#include "CoreGlobals.h"
#include "Engine/Scene.h"
#include "Engine/StaticMesh.h"
#include "Engine/Texture.h"
#include "Engine/TextureCube.h"
#include "Engine/World.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Kismet/KismetMaterialLibrary.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include "Misc/OutputDeviceRedirector.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"
#include <gtest/gtest.h>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace
{
	std::string Utf8(const FString& Text) { return std::string(TCHAR_TO_UTF8(*Text)); }

	/** A material with scalars Roughness (0.5) and Exposure (1), and the vector Tint (1, 0.5, 0.25, 1). */
	UMaterial* MakeMaterial(const TCHAR* Name)
	{
		UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), FName(Name));
		AddScalarParameter(Material, TEXT("Roughness"), 0.5f);
		AddVectorParameter(Material, TEXT("Tint"), FLinearColor(1.f, 0.5f, 0.25f, 1.f));
		AddScalarParameter(Material, TEXT("Exposure"), 1.f);
		return Material;
	}

	std::vector<std::string> Names(const TArray<FMaterialParameterInfo>& Infos)
	{
		std::vector<std::string> Result;
		for (const FMaterialParameterInfo& Info : Infos)
		{
			Result.push_back(Utf8(Info.Name.ToString()));
		}
		return Result;
	}

	/** Counts the warnings GLog delivers in one category while it exists. */
	class FWarningCounter : public FOutputDevice
	{
	public:
		explicit FWarningCounter(const TCHAR* InCategory) : Category(InCategory) { GLog->AddOutputDevice(this); }
		~FWarningCounter() override { GLog->RemoveOutputDevice(this); }
		void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& InCategory) override
		{
			if (Verbosity == ELogVerbosity::Warning && InCategory == Category)
			{
				Messages.push_back(Utf8(FString(V)));
			}
		}
		FName Category;
		std::vector<std::string> Messages;
	};
}

// ---------------------------------------------------------------------------------------------
// Parameter lists

// Editors list parameters in the material's own order and rely on the output arrays being replaced, not appended to.
TEST(HostMaterialParameterInfo, ListsInAuthoringOrderAndResetsBothArrays)
{
	UMaterial* Material = MakeMaterial(TEXT("M_InfoOrder"));
	AddScalarParameter(Material, TEXT("absorbance"), 2.f);

	TArray<FMaterialParameterInfo> Infos = { FMaterialParameterInfo(TEXT("Stale")) };
	TArray<FGuid> Ids = { FGuid::NewGuid(), FGuid::NewGuid() };
	Material->GetAllScalarParameterInfo(Infos, Ids);
	EXPECT_EQ(Names(Infos), (std::vector<std::string>{ "Roughness", "Exposure", "absorbance" })) << "insertion order, not sorted";
	ASSERT_EQ(Ids.Num(), Infos.Num()) << "the arrays are filled in parallel";
	EXPECT_TRUE(Ids[0].IsValid() && Ids[1].IsValid() && !(Ids[0] == Ids[1]));
	for (const FMaterialParameterInfo& Info : Infos)
	{
		EXPECT_EQ(Info.Association.GetValue(), GlobalParameter);
		EXPECT_EQ(Info.Index, INDEX_NONE);
	}

	Material->GetAllVectorParameterInfo(Infos, Ids);
	EXPECT_EQ(Names(Infos), (std::vector<std::string>{ "Tint" }));
	EXPECT_EQ(Ids.Num(), 1);
}

// Renaming in the editor keeps a parameter's place and identity; deleting closes the gap; conflicts are refused.
TEST(HostMaterialParameterInfo, AuthoringRenameRemoveAndConflicts)
{
	UMaterial* Material = MakeMaterial(TEXT("M_InfoAuthoring"));
	TArray<FMaterialParameterInfo> Before;
	TArray<FGuid> BeforeIds;
	Material->GetAllScalarParameterInfo(Before, BeforeIds);

	EXPECT_TRUE(RenameParameter(Material, TEXT("Roughness"), TEXT("Gloss")));
	TArray<FMaterialParameterInfo> After;
	TArray<FGuid> AfterIds;
	Material->GetAllScalarParameterInfo(After, AfterIds);
	EXPECT_EQ(Names(After), (std::vector<std::string>{ "Gloss", "Exposure" }));
	EXPECT_EQ(AfterIds[0], BeforeIds[0]) << "a rename keeps the expression GUID";
	float Value = 0.f;
	EXPECT_TRUE(Material->GetScalarParameterValue(TEXT("Gloss"), Value));
	EXPECT_EQ(Value, 0.5f) << "and its default";
	EXPECT_FALSE(Material->GetScalarParameterValue(TEXT("Roughness"), Value));

	EXPECT_FALSE(AddScalarParameter(Material, TEXT("tint"), 1.f)) << "a vector already has that name (names ignore case)";
	EXPECT_FALSE(AddVectorParameter(Material, TEXT("Exposure"), FLinearColor::White));
	EXPECT_FALSE(AddScalarParameter(Material, NAME_None, 1.f));
	EXPECT_FALSE(RenameParameter(Material, TEXT("Gloss"), TEXT("Exposure")));
	EXPECT_FALSE(RenameParameter(Material, TEXT("Missing"), TEXT("Other")));
	EXPECT_TRUE(RenameParameter(Material, TEXT("Gloss"), TEXT("GLOSS"))) << "a change of case renames the parameter itself";
	EXPECT_FALSE(SetScalarParameterDefault(Material, TEXT("Tint"), 3.f)) << "wrong type";

	EXPECT_TRUE(RemoveParameter(Material, TEXT("GLOSS")));
	Material->GetAllScalarParameterInfo(After, AfterIds);
	EXPECT_EQ(Names(After), (std::vector<std::string>{ "Exposure" }));
	EXPECT_EQ(AfterIds[0], BeforeIds[1]);
}

// An instance without layers reports exactly its base material's list, however deep the chain; a broken chain reports nothing.
TEST(HostMaterialParameterInfo, InstancesReportTheirBaseMaterialsList)
{
	UMaterial* Material = MakeMaterial(TEXT("M_InfoInstances"));
	UMaterialInstanceDynamic* Parent = UMaterialInstanceDynamic::Create(Material, nullptr);
	UMaterialInstanceDynamic* Child = UMaterialInstanceDynamic::Create(Parent, nullptr);
	Child->SetScalarParameterValue(TEXT("NotInMaterial"), 3.f);

	TArray<FMaterialParameterInfo> MaterialInfos, ChildInfos;
	TArray<FGuid> MaterialIds, ChildIds;
	Material->GetAllScalarParameterInfo(MaterialInfos, MaterialIds);
	Child->GetAllScalarParameterInfo(ChildInfos, ChildIds);
	EXPECT_EQ(ChildInfos, MaterialInfos) << "overrides do not add parameters to the list";
	EXPECT_EQ(ChildIds, MaterialIds);
	EXPECT_EQ(Child->GetBaseMaterial(), Material);

	UMaterialInstanceDynamic* Orphan = UMaterialInstanceDynamic::Create(nullptr, nullptr);
	Orphan->GetAllScalarParameterInfo(ChildInfos, ChildIds);
	EXPECT_TRUE(ChildInfos.IsEmpty() && ChildIds.IsEmpty()) << "reset even when there is no material to list";
	EXPECT_EQ(Orphan->GetBaseMaterial(), nullptr);
}

// Lookups take names, strings and parameter infos alike; the layer association is part of the identity.
TEST(HostMaterialParameterInfo, LookupKeysConvertAndCompareLikeTheEngine)
{
	UMaterial* Material = MakeMaterial(TEXT("M_InfoKeys"));
	float Value = 0.f;
	EXPECT_TRUE(Material->GetScalarParameterValue(FName(TEXT("exposure")), Value));
	EXPECT_TRUE(Material->GetScalarParameterValue(TEXT("EXPOSURE"), Value));
	EXPECT_TRUE(Material->GetScalarParameterValue(FMaterialParameterInfo(TEXT("Exposure")), Value));
	EXPECT_FALSE(Material->GetScalarParameterValue(FMaterialParameterInfo(TEXT("Exposure"), LayerParameter, 0), Value));
	EXPECT_FALSE(Material->GetScalarParameterValue(TEXT("Tint"), Value)) << "a vector is not a scalar";
	FLinearColor Color(ForceInit);
	EXPECT_TRUE(Material->GetVectorParameterValue(TEXT("Tint"), Color));
	EXPECT_EQ(Color, FLinearColor(1.f, 0.5f, 0.25f, 1.f));
}

// ---------------------------------------------------------------------------------------------
// Value lookups along an instance chain: material M (Exposure 1) <- MID P (Exposure 2) <- MID C (Exposure 3, OnlyOnChild 5)

namespace
{
	enum class EChainLevel
	{
		Material,
		Parent,
		Child
	};
	enum class ELookup
	{
		Value,
		OverriddenOnly,
		Default
	};

	struct FChainCase
	{
		const char* Label;
		EChainLevel Level;
		ELookup Lookup;
		const TCHAR* Parameter;
		bool bExpectFound;
		float ExpectedValue;
	};

	class HostMaterialChainTest : public testing::TestWithParam<FChainCase>
	{
	protected:
		void SetUp() override
		{
			Material = NewObject<UMaterial>();
			AddScalarParameter(Material, TEXT("Exposure"), 1.f);
			AddScalarParameter(Material, TEXT("Untouched"), 7.f);
			Parent = UMaterialInstanceDynamic::Create(Material, nullptr);
			Parent->SetScalarParameterValue(TEXT("Exposure"), 2.f);
			Child = UMaterialInstanceDynamic::Create(Parent, nullptr);
			Child->SetScalarParameterValue(TEXT("Exposure"), 3.f);
			Child->SetScalarParameterValue(TEXT("OnlyOnChild"), 5.f);
		}

		const UMaterialInterface* At(EChainLevel Level) const
		{
			return Level == EChainLevel::Material ? (const UMaterialInterface*)Material : Level == EChainLevel::Parent ? (const UMaterialInterface*)Parent : Child;
		}

		UMaterial* Material = nullptr;
		UMaterialInstanceDynamic* Parent = nullptr;
		UMaterialInstanceDynamic* Child = nullptr;
	};

	const FChainCase ChainCases[] = {
		{ "MaterialValueIsItsDefault", EChainLevel::Material, ELookup::Value, TEXT("Exposure"), true, 1.f },
		{ "MaterialHasNoOverrides", EChainLevel::Material, ELookup::OverriddenOnly, TEXT("Exposure"), false, 0.f },
		{ "MaterialDefault", EChainLevel::Material, ELookup::Default, TEXT("Exposure"), true, 1.f },
		{ "ParentOwnOverride", EChainLevel::Parent, ELookup::Value, TEXT("Exposure"), true, 2.f },
		{ "ParentOverriddenOnly", EChainLevel::Parent, ELookup::OverriddenOnly, TEXT("Exposure"), true, 2.f },
		{ "ParentDefaultSkipsOwnOverride", EChainLevel::Parent, ELookup::Default, TEXT("Exposure"), true, 1.f },
		{ "ChildNearestOverrideWins", EChainLevel::Child, ELookup::Value, TEXT("Exposure"), true, 3.f },
		{ "ChildDefaultKeepsParentOverride", EChainLevel::Child, ELookup::Default, TEXT("Exposure"), true, 2.f },
		{ "ChildFallsBackToMaterial", EChainLevel::Child, ELookup::Value, TEXT("Untouched"), true, 7.f },
		{ "ChildNothingOverridesUntouched", EChainLevel::Child, ELookup::OverriddenOnly, TEXT("Untouched"), false, 0.f },
		{ "OverrideCountsWithoutDeclaration", EChainLevel::Child, ELookup::Value, TEXT("OnlyOnChild"), true, 5.f },
		{ "UndeclaredHasNoDefault", EChainLevel::Child, ELookup::Default, TEXT("OnlyOnChild"), false, 0.f },
		{ "ChildOverrideInvisibleToParent", EChainLevel::Parent, ELookup::Value, TEXT("OnlyOnChild"), false, 0.f },
		{ "MissingEverywhere", EChainLevel::Child, ELookup::Value, TEXT("Missing"), false, 0.f },
	};
}

// Each row pins one rule of the lookup: nearest override wins, overridden-only ignores defaults, defaults skip only the asker's own overrides.
TEST_P(HostMaterialChainTest, ScalarLookup)
{
	const FChainCase& Case = GetParam();
	const UMaterialInterface* Target = At(Case.Level);
	float Value = -123.f;
	bool bFound = false;
	switch (Case.Lookup)
	{
	case ELookup::Value:
		bFound = Target->GetScalarParameterValue(Case.Parameter, Value);
		break;
	case ELookup::OverriddenOnly:
		bFound = Target->GetScalarParameterValue(Case.Parameter, Value, /*bOveriddenOnly*/ true);
		break;
	case ELookup::Default:
		bFound = Target->GetScalarParameterDefaultValue(Case.Parameter, Value);
		break;
	}
	EXPECT_EQ(bFound, Case.bExpectFound);
	EXPECT_EQ(Value, Case.bExpectFound ? Case.ExpectedValue : -123.f) << "a failed lookup leaves the output alone";
}

INSTANTIATE_TEST_SUITE_P(Rules, HostMaterialChainTest, testing::ValuesIn(ChainCases),
	[](const testing::TestParamInfo<FChainCase>& Info) { return std::string(Info.param.Label); });

// Vector lookups follow the same chain; the script getters fall back to 0 and opaque black.
TEST(HostMaterialInstanceDynamic, VectorChainAndScriptGetterFallbacks)
{
	UMaterial* Material = MakeMaterial(TEXT("M_VectorChain"));
	UMaterialInstanceDynamic* Parent = UMaterialInstanceDynamic::Create(Material, nullptr);
	UMaterialInstanceDynamic* Child = UMaterialInstanceDynamic::Create(Parent, nullptr);
	Parent->SetVectorParameterValue(TEXT("Tint"), FLinearColor(0.f, 1.f, 0.f, 0.5f));

	EXPECT_EQ(Child->K2_GetVectorParameterValue(TEXT("Tint")), FLinearColor(0.f, 1.f, 0.f, 0.5f));
	FLinearColor Default(ForceInit);
	EXPECT_TRUE(Parent->GetVectorParameterDefaultValue(TEXT("Tint"), Default));
	EXPECT_EQ(Default, FLinearColor(1.f, 0.5f, 0.25f, 1.f));
	EXPECT_EQ(Child->K2_GetVectorParameterValue(TEXT("Missing")), FLinearColor(0.f, 0.f, 0.f, 1.f));
	EXPECT_EQ(Child->K2_GetScalarParameterValue(TEXT("Missing")), 0.f);
	EXPECT_EQ(Child->K2_GetScalarParameterValue(TEXT("Exposure")), 1.f);

	Child->SetVectorParameterValue(TEXT("Tint"), FVector(0.25, 0.5, 0.75));
	EXPECT_EQ(Child->K2_GetVectorParameterValue(TEXT("Tint")), FLinearColor(0.25f, 0.5f, 0.75f, 1.f)) << "an FVector sets alpha 1";
}

// ---------------------------------------------------------------------------------------------
// Dynamic instances

// Unnamed MIDs are named after their parent and never collide; a taken name never replaces the existing instance.
TEST(HostMaterialInstanceDynamic, CreateNamesAndOuters)
{
	UMaterial* Material = MakeMaterial(TEXT("M_Sky"));
	UObject* Outer = NewObject<UTextureCube>();

	UMaterialInstanceDynamic* First = UMaterialInstanceDynamic::Create(Material, Outer);
	UMaterialInstanceDynamic* Second = UMaterialInstanceDynamic::Create(Material, Outer);
	EXPECT_TRUE(First->GetName().StartsWith(TEXT("MID_M_Sky"))) << Utf8(First->GetName());
	EXPECT_NE(First, Second);
	EXPECT_NE(First->GetFName(), Second->GetFName());
	EXPECT_EQ(First->GetOuter(), Outer);
	EXPECT_EQ(First->Parent, Material);

	UMaterialInstanceDynamic* Transient = UMaterialInstanceDynamic::Create(nullptr, nullptr);
	EXPECT_EQ(Transient->GetOuter(), GetTransientPackage()) << "no outer means the transient package";
	EXPECT_EQ(Transient->Parent, nullptr);
	EXPECT_TRUE(Transient->GetName().StartsWith(TEXT("MaterialInstanceDynamic"))) << Utf8(Transient->GetName());

	UMaterialInstanceDynamic* Named = UMaterialInstanceDynamic::Create(Material, Outer, TEXT("SkyInstance"));
	EXPECT_EQ(Named->GetFName(), FName(TEXT("SkyInstance")));
	UMaterial* Other = MakeMaterial(TEXT("M_Other"));
	UMaterialInstanceDynamic* Clash = UMaterialInstanceDynamic::Create(Other, Outer, TEXT("SkyInstance"));
	EXPECT_NE(Clash, Named);
	EXPECT_NE(Clash->GetFName(), Named->GetFName()) << "the new instance takes a unique name";
	EXPECT_EQ(Named->Parent, Material) << "the existing instance is left as it was";
	EXPECT_EQ(UMaterialInstanceDynamic::Create(Material, NewObject<UTextureCube>(), TEXT("SkyInstance"))->GetFName(), FName(TEXT("SkyInstance")))
		<< "names are taken per outer";
}

// Setting a value appends an override (even one the parent lacks), then updates it in place; equal values hand nothing on.
TEST(HostMaterialInstanceDynamic, SetAppendsThenUpdatesAndSkipsEqualValues)
{
	UMaterialInstanceDynamic* MID = UMaterialInstanceDynamic::Create(MakeMaterial(TEXT("M_Set")), nullptr);
	MID->SetScalarParameterValue(TEXT("Exposure"), 2.f);
	MID->SetScalarParameterValue(TEXT("Undeclared"), 4.f);
	ASSERT_EQ(MID->ScalarParameterValues.Num(), 2);
	EXPECT_EQ(MID->ScalarParameterValues[1].ParameterInfo, FMaterialParameterInfo(TEXT("Undeclared")));
	EXPECT_EQ(MID->Host_GetParameterUpdateCount(), 2);

	MID->SetScalarParameterValue(TEXT("exposure"), 2.f);
	EXPECT_EQ(MID->ScalarParameterValues.Num(), 2) << "the same (case-insensitive) name updates its override";
	EXPECT_EQ(MID->Host_GetParameterUpdateCount(), 2) << "an unchanged value is not handed on";
	MID->SetScalarParameterValue(TEXT("Exposure"), 2.5f);
	EXPECT_EQ(MID->ScalarParameterValues[0].ParameterValue, 2.5f);
	EXPECT_EQ(MID->Host_GetParameterUpdateCount(), 3);
	MID->SetVectorParameterValue(TEXT("Tint"), FLinearColor::Red);
	MID->SetVectorParameterValue(TEXT("Tint"), FLinearColor::Red);
	EXPECT_EQ(MID->VectorParameterValues.Num(), 1);
	EXPECT_EQ(MID->Host_GetParameterUpdateCount(), 4);

	MID->ClearParameterValues();
	EXPECT_TRUE(MID->ScalarParameterValues.IsEmpty() && MID->VectorParameterValues.IsEmpty());
	EXPECT_EQ(MID->K2_GetScalarParameterValue(TEXT("Exposure")), 1.f) << "back to the material's default";
}

// The index pair: initialising sets by name and reports the override's place; setting by index always hands the value on.
TEST(HostMaterialInstanceDynamic, InitializeAndSetByIndex)
{
	UMaterialInstanceDynamic* MID = UMaterialInstanceDynamic::Create(MakeMaterial(TEXT("M_ByIndex")), nullptr);
	MID->SetScalarParameterValue(TEXT("First"), 1.f);
	int32 Index = INDEX_NONE;
	EXPECT_TRUE(MID->InitializeScalarParameterAndGetIndex(TEXT("Exposure"), 2.f, Index));
	EXPECT_EQ(Index, 1);
	EXPECT_EQ(MID->K2_GetScalarParameterValue(TEXT("Exposure")), 2.f);
	EXPECT_TRUE(MID->InitializeScalarParameterAndGetIndex(TEXT("first"), 1.f, Index));
	EXPECT_EQ(Index, 0) << "an existing override is found, not added";
	EXPECT_EQ(MID->Host_GetParameterUpdateCount(), 2) << "initialising with the value it holds hands nothing on";

	EXPECT_TRUE(MID->SetScalarParameterByIndex(1, 3.f));
	EXPECT_EQ(MID->K2_GetScalarParameterValue(TEXT("Exposure")), 3.f);
	EXPECT_TRUE(MID->SetScalarParameterByIndex(1, 3.f));
	EXPECT_EQ(MID->Host_GetParameterUpdateCount(), 4);
	EXPECT_FALSE(MID->SetScalarParameterByIndex(2, 1.f));
	EXPECT_FALSE(MID->SetScalarParameterByIndex(INDEX_NONE, 1.f));

	EXPECT_TRUE(MID->InitializeVectorParameterAndGetIndex(TEXT("Tint"), FLinearColor::Red, Index));
	EXPECT_EQ(Index, 0);
	EXPECT_TRUE(MID->SetVectorParameterByIndex(Index, FLinearColor::Blue));
	EXPECT_EQ(MID->K2_GetVectorParameterValue(TEXT("Tint")), FLinearColor::Blue);
	EXPECT_FALSE(MID->SetVectorParameterByIndex(1, FLinearColor::Blue));
	MID->ClearParameterValues();
	EXPECT_FALSE(MID->SetScalarParameterByIndex(0, 1.f)) << "cleared overrides invalidate the indices";
}

// A parent chain made circular by assigning Parent directly must not hang lookups.
TEST(HostMaterialInstanceDynamic, CircularChainEndsLookups)
{
	UMaterialInstanceDynamic* A = UMaterialInstanceDynamic::Create(MakeMaterial(TEXT("M_Cycle")), nullptr);
	UMaterialInstanceDynamic* B = UMaterialInstanceDynamic::Create(A, nullptr);
	A->Parent = B;
	float Value = 0.f;
	EXPECT_FALSE(B->GetScalarParameterValue(TEXT("Exposure"), Value));
	EXPECT_EQ(B->GetBaseMaterial(), nullptr);
	EXPECT_TRUE(B->IsChildOf(A));
}

// ---------------------------------------------------------------------------------------------
// Parameter collections

namespace
{
	class HostParameterCollectionTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), FName(TEXT("MPC_Sky")));
			FCollectionScalarParameter Scalar;
			Scalar.ParameterName = TEXT("SunHeight");
			Scalar.DefaultValue = 0.25f;
			Collection->ScalarParameters.Add(Scalar);
			FCollectionVectorParameter Vector;
			Vector.ParameterName = TEXT("TrackedTargetLocation");
			Vector.DefaultValue = FLinearColor(1.f, 2.f, 3.f, 0.f);
			Collection->VectorParameters.Add(Vector);
		}
		void TearDown() override
		{
			for (UWorld* World : Worlds)
			{
				World->DestroyWorld(false);
			}
		}
		UWorld* MakeWorld()
		{
			Worlds.Add(UWorld::CreateWorld(EWorldType::Game, false));
			return Worlds.Last();
		}
		UMaterialParameterCollection* Collection = nullptr;
		TArray<UWorld*> Worlds;
	};
}

// New parameters get their engine defaults and distinct ids, which the collection resolves both ways.
TEST_F(HostParameterCollectionTest, ParameterDefaultsAndIds)
{
	const FCollectionScalarParameter Fresh;
	EXPECT_EQ(Fresh.ParameterName, FName(TEXT("Scalar")));
	EXPECT_EQ(Fresh.DefaultValue, 0.f);
	EXPECT_EQ(FCollectionVectorParameter().DefaultValue, FLinearColor(0.f, 0.f, 0.f, 0.f));
	EXPECT_TRUE(Fresh.Id.IsValid());
	EXPECT_FALSE(Fresh.Id == FCollectionScalarParameter().Id);

	EXPECT_EQ(Collection->GetScalarParameterByName(TEXT("sunheight")), &Collection->ScalarParameters[0]);
	EXPECT_EQ(Collection->GetScalarParameterByName(TEXT("TrackedTargetLocation")), nullptr) << "lookups are per type";
	EXPECT_EQ(Collection->GetParameterName(Collection->GetParameterId(TEXT("TrackedTargetLocation"))), FName(TEXT("TrackedTargetLocation")));
	bool bFound = true;
	EXPECT_EQ(Collection->GetVectorParameterDefaultValue(TEXT("Nope"), bFound), FLinearColor::Black);
	EXPECT_FALSE(bFound);
}

// Each world gets its own instance on first request, the same one afterwards, and values never leak between worlds.
TEST_F(HostParameterCollectionTest, InstancesAreLazyAndPerWorld)
{
	UWorld* WorldA = MakeWorld();
	UWorld* WorldB = MakeWorld();
	EXPECT_EQ(WorldA->GetParameterCollectionInstance(nullptr), nullptr);

	UMaterialParameterCollectionInstance* A = WorldA->GetParameterCollectionInstance(Collection);
	ASSERT_NE(A, nullptr);
	EXPECT_EQ(WorldA->GetParameterCollectionInstance(Collection), A);
	EXPECT_EQ(A->GetCollection(), Collection);
	EXPECT_EQ(A->GetWorld(), WorldA);
	UMaterialParameterCollectionInstance* B = WorldB->GetParameterCollectionInstance(Collection);
	EXPECT_NE(A, B);

	EXPECT_TRUE(A->SetScalarParameterValue(TEXT("SunHeight"), 0.9f));
	float Value = 0.f;
	EXPECT_TRUE(A->GetScalarParameterValue(TEXT("SunHeight"), Value));
	EXPECT_EQ(Value, 0.9f);
	EXPECT_TRUE(B->GetScalarParameterValue(TEXT("SunHeight"), Value));
	EXPECT_EQ(Value, 0.25f) << "the other world still reads the collection's default";
}

// Unknown names are refused silently and store nothing; a known name stores the override for Get to read.
TEST_F(HostParameterCollectionTest, SetAndGetRefuseUnknownNamesWithoutLogging)
{
	FWarningCounter Warnings(TEXT("LogMaterialParameterCollection"));
	UMaterialParameterCollectionInstance* Instance = MakeWorld()->GetParameterCollectionInstance(Collection);
	EXPECT_FALSE(Instance->SetScalarParameterValue(TEXT("Missing"), 1.f));
	EXPECT_FALSE(Instance->SetVectorParameterValue(TEXT("SunHeight"), FLinearColor::White)) << "a scalar's name is unknown to vectors";
	float Scalar = -1.f;
	EXPECT_FALSE(Instance->GetScalarParameterValue(TEXT("Missing"), Scalar));
	EXPECT_EQ(Scalar, -1.f);

	FLinearColor Vector(ForceInit);
	EXPECT_TRUE(Instance->GetVectorParameterValue(TEXT("TrackedTargetLocation"), Vector));
	EXPECT_EQ(Vector, FLinearColor(1.f, 2.f, 3.f, 0.f));
	EXPECT_TRUE(Instance->SetVectorParameterValue(TEXT("TrackedTargetLocation"), FVector(10.0, 20.0, 30.0)));
	EXPECT_TRUE(Instance->GetVectorParameterValue(TEXT("TrackedTargetLocation"), Vector));
	EXPECT_EQ(Vector, FLinearColor(10.f, 20.f, 30.f, 1.f));
	EXPECT_TRUE(Warnings.Messages.empty()) << "the instance itself never logs";
	EXPECT_FALSE(Instance->bLoggedMissingParameterWarning);
}

// An instance whose world is gone refuses writes, as the engine's does.
TEST_F(HostParameterCollectionTest, SetFailsOnceTheWorldIsGone)
{
	UWorld* World = UWorld::CreateWorld(EWorldType::Game, false);
	UMaterialParameterCollectionInstance* Detached = NewObject<UMaterialParameterCollectionInstance>();
	Detached->SetCollection(Collection, World);
	EXPECT_TRUE(Detached->SetScalarParameterValue(TEXT("SunHeight"), 0.5f));
	World->DestroyWorld(false);
	EXPECT_FALSE(Detached->SetScalarParameterValue(TEXT("SunHeight"), 0.75f));
	float Value = 0.f;
	EXPECT_TRUE(Detached->GetScalarParameterValue(TEXT("SunHeight"), Value)) << "stored values stay readable";
	EXPECT_EQ(Value, 0.5f);
}

// The script library writes through the context's world, warns once per instance about unknown names, and ignores a null collection.
TEST_F(HostParameterCollectionTest, KismetLibraryWarnsOncePerInstance)
{
	UWorld* World = MakeWorld();
	FWarningCounter Warnings(TEXT("LogMaterialParameterCollection"));
	UKismetMaterialLibrary::SetScalarParameterValue(World, Collection, TEXT("SunHeight"), 0.6f);
	EXPECT_EQ(UKismetMaterialLibrary::GetScalarParameterValue(World, Collection, TEXT("SunHeight")), 0.6f);
	UKismetMaterialLibrary::SetVectorParameterValue(World, Collection, TEXT("TrackedTargetLocation"), FLinearColor::Green);
	EXPECT_EQ(UKismetMaterialLibrary::GetVectorParameterValue(World, Collection, TEXT("TrackedTargetLocation")), FLinearColor::Green);
	EXPECT_TRUE(Warnings.Messages.empty());

	UKismetMaterialLibrary::SetScalarParameterValue(World, Collection, TEXT("Missing"), 1.f);
	EXPECT_EQ(UKismetMaterialLibrary::GetScalarParameterValue(World, Collection, TEXT("Missing")), 0.f);
	EXPECT_EQ(UKismetMaterialLibrary::GetVectorParameterValue(World, Collection, TEXT("Missing")), FLinearColor::Black);
	ASSERT_EQ(Warnings.Messages.size(), 1u) << "one warning per instance";
	EXPECT_NE(Warnings.Messages[0].find("Missing"), std::string::npos);
	EXPECT_TRUE(World->GetParameterCollectionInstance(Collection)->bLoggedMissingParameterWarning);

	UKismetMaterialLibrary::SetScalarParameterValue(World, nullptr, TEXT("Missing"), 1.f);
	EXPECT_EQ(UKismetMaterialLibrary::GetScalarParameterValue(nullptr, Collection, TEXT("SunHeight")), 0.f) << "no context, no world";
	EXPECT_EQ(Warnings.Messages.size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// Post-process settings, blendables, meshes

// Settings constructed over garbage memory still start with every override off, so no value applies until toggled.
TEST(HostPostProcessSettings, EveryOverrideFlagStartsOff)
{
	alignas(FPostProcessSettings) unsigned char Storage[sizeof(FPostProcessSettings)];
	std::memset(Storage, 0xFF, sizeof(Storage));
	FPostProcessSettings* Settings = new (Storage) FPostProcessSettings();

	int32 Flags = 0;
	for (TFieldIterator<FBoolProperty> It(FPostProcessSettings::StaticStruct()); It; ++It)
	{
		const FString Name = It->GetName();
		if (!Name.StartsWith(TEXT("bOverride_")))
		{
			continue;
		}
		++Flags;
		EXPECT_FALSE(It->GetPropertyValue_InContainer(Settings)) << Utf8(Name);
		const FString ValueName = Name.RightChop(10);
		FProperty* Value = FindFProperty<FProperty>(FPostProcessSettings::StaticStruct(), FName(*ValueName));
		ASSERT_NE(Value, nullptr) << "each toggle guards a value: " << Utf8(ValueName);
		EXPECT_EQ(Value->GetMetaData(TEXT("EditCondition")), Name);
	}
	EXPECT_GE(Flags, 9) << "at least the documented toggles are reflected";
	EXPECT_TRUE(Settings->WeightedBlendables.Array.IsEmpty());
	Settings->~FPostProcessSettings();
}

// The defaults engine code and presets start from (new-project exposure range in EV100).
TEST(HostPostProcessSettings, EngineDefaults)
{
	const FPostProcessSettings Settings;
	EXPECT_EQ(Settings.AutoExposureMinBrightness, -10.f);
	EXPECT_EQ(Settings.AutoExposureMaxBrightness, 20.f);
	EXPECT_EQ(Settings.AutoExposureMethod.GetValue(), AEM_Histogram);
	EXPECT_EQ(Settings.WhiteTemp, 6500.f);
	EXPECT_EQ(Settings.WhiteTint, 0.f);
	EXPECT_EQ(Settings.BloomIntensity, 0.675f);
	EXPECT_EQ(Settings.DepthOfFieldFocalDistance, 0.f) << "0 keeps depth of field off";
	EXPECT_EQ(Settings.DepthOfFieldSensorWidth, 24.576f);
	EXPECT_EQ(Settings.DepthOfFieldFstop, 4.f);
	EXPECT_EQ(Settings.DepthOfFieldMinFstop, 1.2f);
	EXPECT_EQ(FWeightedBlendable().Weight, -1.f);
	EXPECT_EQ(FWeightedBlendable().Object, nullptr);

	const UPostProcessComponent* Component = NewObject<UPostProcessComponent>();
	EXPECT_EQ(Component->Priority, 0.f);
	EXPECT_EQ(Component->BlendRadius, 100.f);
	EXPECT_EQ(Component->BlendWeight, 1.f);
	EXPECT_TRUE(Component->bEnabled);
	EXPECT_TRUE(Component->bUnbound);
}

namespace
{
	struct FMetaCase
	{
		const TCHAR* Property;
		const TCHAR* Key;
		const TCHAR* Value;
	};
	class HostPostProcessMetadataTest : public testing::TestWithParam<FMetaCase>
	{
	};
	const FMetaCase MetaCases[] = {
		{ TEXT("AutoExposureMinBrightness"), TEXT("ClampMin"), TEXT("-10.0") },
		{ TEXT("AutoExposureMinBrightness"), TEXT("UIMax"), TEXT("20.0") },
		{ TEXT("AutoExposureMaxBrightness"), TEXT("ClampMin"), TEXT("-10.0") },
		{ TEXT("AutoExposureMaxBrightness"), TEXT("UIMax"), TEXT("20.0") },
		{ TEXT("WhiteTemp"), TEXT("UIMin"), TEXT("1500.0") },
		{ TEXT("WhiteTemp"), TEXT("UIMax"), TEXT("15000.0") },
		{ TEXT("BloomIntensity"), TEXT("ClampMin"), TEXT("0.0") },
		{ TEXT("BloomIntensity"), TEXT("UIMax"), TEXT("8.0") },
		{ TEXT("DepthOfFieldSensorWidth"), TEXT("ClampMin"), TEXT("0.1") },
		{ TEXT("DepthOfFieldFstop"), TEXT("ClampMin"), TEXT("1.0") },
		{ TEXT("DepthOfFieldFstop"), TEXT("ClampMax"), TEXT("32.0") },
		{ TEXT("DepthOfFieldMinFstop"), TEXT("ClampMin"), TEXT("0.0") },
		{ TEXT("DepthOfFieldMinFstop"), TEXT("ClampMax"), TEXT("32.0") },
	};
}

// Edits through the Details panel are clamped by this metadata, so a wrong bound changes what a designer can set.
TEST_P(HostPostProcessMetadataTest, ClampMetadata)
{
	const FMetaCase& Case = GetParam();
	FProperty* Property = FindFProperty<FProperty>(FPostProcessSettings::StaticStruct(), FName(Case.Property));
	ASSERT_NE(Property, nullptr);
	EXPECT_EQ(Property->GetMetaData(FName(Case.Key)), FString(Case.Value));
}

INSTANTIATE_TEST_SUITE_P(Bounds, HostPostProcessMetadataTest, testing::ValuesIn(MetaCases),
	[](const testing::TestParamInfo<FMetaCase>& Info) { return Utf8(FString(Info.param.Property)) + "_" + Utf8(FString(Info.param.Key)); });

// Blendables are matched by object: adding again updates the weight in place, null adds nothing, removal takes every copy.
TEST(HostPostProcessSettings, BlendablesUpdateOrAppend)
{
	UMaterial* Material = MakeMaterial(TEXT("M_PostProcess"));
	UMaterialInstanceDynamic* First = UMaterialInstanceDynamic::Create(Material, nullptr);
	UMaterialInstanceDynamic* Second = UMaterialInstanceDynamic::Create(Material, nullptr);
	UPostProcessComponent* Component = NewObject<UPostProcessComponent>();
	TArray<FWeightedBlendable>& Blendables = Component->Settings.WeightedBlendables.Array;

	Component->AddOrUpdateBlendable(First);
	Component->AddOrUpdateBlendable(Second, 0.25f);
	Component->AddOrUpdateBlendable(nullptr, 0.5f);
	ASSERT_EQ(Blendables.Num(), 2);
	EXPECT_EQ(Blendables[0].Object, First);
	EXPECT_EQ(Blendables[0].Weight, 1.f) << "the default weight";
	EXPECT_EQ(Blendables[1].Object, Second);

	Component->AddOrUpdateBlendable(First, 0.75f);
	ASSERT_EQ(Blendables.Num(), 2) << "an object already listed is updated, not added";
	EXPECT_EQ(Blendables[0].Weight, 0.75f);

	Blendables.Add(FWeightedBlendable(0.1f, First));
	Component->Settings.AddBlendable(First, 0.3f);
	EXPECT_EQ(Blendables[0].Weight, 0.3f) << "only the first match changes";
	EXPECT_EQ(Blendables[2].Weight, 0.1f);
	Component->Settings.RemoveBlendable(First);
	ASSERT_EQ(Blendables.Num(), 1) << "every entry of the object goes";
	EXPECT_EQ(Blendables[0].Object, Second);
}

// A script interface always keeps its object, and finds the interface only on objects that implement it.
TEST(HostPostProcessSettings, ScriptInterfaceKeepsObjectWithoutInterface)
{
	UTextureCube* Texture = NewObject<UTextureCube>();
	const TScriptInterface<IBlendableInterface> FromTexture(Texture);
	EXPECT_EQ(FromTexture.GetObject(), Texture);
	EXPECT_EQ(FromTexture.GetInterface(), nullptr);
	UMaterial* Material = MakeMaterial(TEXT("M_Interface"));
	const TScriptInterface<IBlendableInterface> FromMaterialAsObject((UObject*)Material);
	EXPECT_EQ(FromMaterialAsObject.GetInterface(), static_cast<IBlendableInterface*>(Material));

	FPostProcessSettings Settings;
	Settings.AddBlendable(FromTexture, 1.f);
	EXPECT_EQ(Settings.WeightedBlendables.Array.Num(), 1) << "as in the engine, only a null object is refused";
}

// A mesh's slot materials feed primitive components' GetMaterial; slot names stay unique.
TEST(HostStaticMesh, MaterialSlots)
{
	UStaticMesh* Mesh = NewObject<UStaticMesh>();
	UMaterial* Material = MakeMaterial(TEXT("M_Dome"));
	EXPECT_EQ(Mesh->AddMaterial(Material), FName(TEXT("M_Dome")));
	const FName Second = Mesh->AddMaterial(Material);
	EXPECT_NE(Second, FName(TEXT("M_Dome")));
	EXPECT_EQ(Mesh->AddMaterial(nullptr), NAME_None);
	EXPECT_EQ(Mesh->GetStaticMaterials().Num(), 2);
	EXPECT_EQ(Mesh->GetMaterial(1), Material);
	EXPECT_EQ(Mesh->GetMaterial(2), nullptr);
	EXPECT_EQ(Mesh->GetMaterial(-1), nullptr);
	EXPECT_EQ(Mesh->GetMaterialIndex(Second), 1);
	EXPECT_EQ(Mesh->GetMaterialIndex(TEXT("Nope")), INDEX_NONE);
}
