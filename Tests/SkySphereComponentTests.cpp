// Sky dome: the dynamic sky material, its parameters, and the celestial values published to the collection.
#include "SkySphereFixtures.h"
#include "CoreMinimal.h"
#include "Engine/World.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include <gtest/gtest.h>
#include <cmath>
#include <ostream>
#include <string>

namespace
{
	// A value no write produces, so an untouched parameter is recognisable.
	constexpr float Sentinel = 7.f;

	const TCHAR* const ScalarNames[] = {TEXT("MoonAlpha"), TEXT("SunAlpha"), TEXT("SunPitch"), TEXT("CelestialElevationPhase")};
	const TCHAR* const VectorNames[] = {TEXT("SunLightDirection"), TEXT("MoonLightDirection"), TEXT("MoonLightColor"), TEXT("SunAngles"), TEXT("MoonAngles"), TEXT("MoonXAxis")};

	/** A game world holding the sky dome next to its celestial component, and a collection declaring the ten sky parameters. */
	class SkySphereWorld : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Actor = World->SpawnActor<ASkySphereFixtureActor>();
			ASSERT_NE(Actor, nullptr);
			Sky = Actor->Sky.Get();
			ASSERT_NE(Sky, nullptr);

			Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), TEXT("MPC_Sky"));
			for (const TCHAR* Name : ScalarNames)
			{
				FCollectionScalarParameter Parameter;
				Parameter.ParameterName = Name;
				Parameter.DefaultValue = Sentinel;
				Collection->ScalarParameters.Add(Parameter);
			}
			for (const TCHAR* Name : VectorNames)
			{
				FCollectionVectorParameter Parameter;
				Parameter.ParameterName = Name;
				Parameter.DefaultValue = FLinearColor(Sentinel, Sentinel, Sentinel, Sentinel);
				Collection->VectorParameters.Add(Parameter);
			}

			SkyMaterial = MakeMaterial(TEXT("M_Sky"));
			OtherMaterial = MakeMaterial(TEXT("M_OtherSky"));
		}
		void TearDown() override { World->DestroyWorld(false); }

		static UMaterial* MakeMaterial(const TCHAR* Name)
		{
			UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), Name);
			AddScalarParameter(Material, TEXT("Stars"), 1.f);
			AddScalarParameter(Material, TEXT("Clouds"), 1.f);
			AddVectorParameter(Material, TEXT("Tint"), FLinearColor(1.f, 1.f, 1.f, 1.f));
			return Material;
		}

		/** Places sun and moon with the default settings at midnight: sun pitch +20, moon pitch -20, yaw 180. */
		void RunCelestialAtMidnight()
		{
			Actor->Celestial->ApplySettings(FLM_CelstialRotationSettings(), 0.25f);
			Actor->Celestial->Update(0.f);
		}

		float Scalar(const TCHAR* Name) const
		{
			float Value = -1.f;
			EXPECT_TRUE(World->GetParameterCollectionInstance(Collection)->GetScalarParameterValue(Name, Value)) << TCHAR_TO_UTF8(Name);
			return Value;
		}
		FLinearColor Vector(const TCHAR* Name) const
		{
			FLinearColor Value;
			EXPECT_TRUE(World->GetParameterCollectionInstance(Collection)->GetVectorParameterValue(Name, Value)) << TCHAR_TO_UTF8(Name);
			return Value;
		}
		float MaterialScalar(const UMaterialInterface* Material, const TCHAR* Name) const
		{
			float Value = -1.f;
			EXPECT_TRUE(Material->GetScalarParameterValue(FName(Name), Value)) << TCHAR_TO_UTF8(Name);
			return Value;
		}

		UWorld* World = nullptr;
		ASkySphereFixtureActor* Actor = nullptr;
		ULM_SkySphereComponent* Sky = nullptr;
		UMaterialParameterCollection* Collection = nullptr;
		UMaterial* SkyMaterial = nullptr;
		UMaterial* OtherMaterial = nullptr;
	};

	const float Sin20 = std::sin(20.0 * 3.14159265358979323846 / 180.0);
	const float Cos20 = std::cos(20.0 * 3.14159265358979323846 / 180.0);

	struct FVectorCase
	{
		const char* Name;
		FLinearColor Expected;
	};
	void PrintTo(const FVectorCase& Case, std::ostream* Os) { *Os << Case.Name; }

	struct FScalarCase
	{
		const char* Name;
		float Expected;
	};
	void PrintTo(const FScalarCase& Case, std::ostream* Os) { *Os << Case.Name; }

	const FLinearColor MoonColor(0.2f, 0.3f, 0.4f, 0.5f);

	class PublishedVector : public SkySphereWorld, public ::testing::WithParamInterface<FVectorCase> {};
	class PublishedScalar : public SkySphereWorld, public ::testing::WithParamInterface<FScalarCase> {};
}

// Each sky parameter carries the documented value at midnight, so the dome draws the bodies where the lights are.
TEST_P(PublishedVector, MatchesCelestialStateAtMidnight)
{
	const FVectorCase& Case = GetParam();
	RunCelestialAtMidnight();
	Sky->SetMaterialParamaterCollection(Collection);
	Sky->Update(Actor->Celestial, MoonColor);
	const FLinearColor Value = Vector(ANSI_TO_TCHAR(Case.Name));
	EXPECT_NEAR(Value.R, Case.Expected.R, 1e-5f);
	EXPECT_NEAR(Value.G, Case.Expected.G, 1e-5f);
	EXPECT_NEAR(Value.B, Case.Expected.B, 1e-5f);
	EXPECT_EQ(Value.A, Case.Expected.A) << "alpha is exact";
}

INSTANTIATE_TEST_SUITE_P(SkySphere, PublishedVector,
	::testing::Values(
		FVectorCase{"SunLightDirection", FLinearColor(Cos20, 0.f, Sin20, 1.f)},
		FVectorCase{"MoonLightDirection", FLinearColor(-Cos20, 0.f, -Sin20, 1.f)},
		FVectorCase{"MoonLightColor", MoonColor},
		FVectorCase{"SunAngles", FLinearColor(0.f, 20.f, 360.f, 1.f)},
		FVectorCase{"MoonAngles", FLinearColor(0.f, -20.f, 180.f, 1.f)},
		FVectorCase{"MoonXAxis", FLinearColor(Sin20, 0.f, -Cos20, 1.f)}),
	[](const ::testing::TestParamInfo<FVectorCase>& Info) { return std::string(Info.param.Name); });

// The scalar sky parameters follow the sun's altitude sign and the fades at midnight.
TEST_P(PublishedScalar, MatchesCelestialStateAtMidnight)
{
	const FScalarCase& Case = GetParam();
	RunCelestialAtMidnight();
	Sky->SetMaterialParamaterCollection(Collection);
	Sky->Update(Actor->Celestial, MoonColor);
	EXPECT_NEAR(Scalar(ANSI_TO_TCHAR(Case.Name)), Case.Expected, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(SkySphere, PublishedScalar,
	::testing::Values(
		FScalarCase{"SunPitch", -20.f},
		FScalarCase{"SunAlpha", 0.f},
		FScalarCase{"MoonAlpha", 1.f},
		FScalarCase{"CelestialElevationPhase", -1.f}),
	[](const ::testing::TestParamInfo<FScalarCase>& Info) { return std::string(Info.param.Name); });

// The moon axis must stay a unit vector perpendicular to the moon's direction wherever the moon stands, or the disc skews.
TEST_F(SkySphereWorld, MoonAxisIsUnitAndPerpendicularThroughTheDay)
{
	Actor->Celestial->ApplySettings(FLM_CelstialRotationSettings(), 0.25f);
	Sky->SetMaterialParamaterCollection(Collection);
	for (const float Time : {0.1f, 0.3f, 0.45f, 0.6f, 0.9f, 3.7f})
	{
		Actor->Celestial->Update(Time);
		Sky->Update(Actor->Celestial, MoonColor);
		const FLinearColor Axis = Vector(TEXT("MoonXAxis"));
		const FLinearColor Direction = Vector(TEXT("MoonLightDirection"));
		EXPECT_NEAR(Axis.R * Axis.R + Axis.G * Axis.G + Axis.B * Axis.B, 1.f, 1e-5f) << "t=" << Time;
		EXPECT_NEAR(Axis.R * Direction.R + Axis.G * Direction.G + Axis.B * Direction.B, 0.f, 1e-5f) << "t=" << Time;
	}
}

// Without a collection, or outside any world, Update has nowhere to write and must leave the collection untouched.
TEST_F(SkySphereWorld, UpdateWithoutCollectionOrWorldWritesNothing)
{
	RunCelestialAtMidnight();
	Sky->Update(Actor->Celestial, MoonColor);
	EXPECT_EQ(Scalar(TEXT("SunPitch")), Sentinel);

	ULM_SkySphereComponent* Detached = NewObject<ULM_SkySphereComponent>(GetTransientPackage());
	Detached->SetMaterialParamaterCollection(Collection);
	Detached->Update(Actor->Celestial, MoonColor);
	EXPECT_EQ(Scalar(TEXT("SunPitch")), Sentinel);
	EXPECT_EQ(Vector(TEXT("MoonLightColor")).R, Sentinel);
}

// The collection is not held by the sky: once the asset is gone Update quietly stops.
TEST_F(SkySphereWorld, DestroyedCollectionMakesUpdateANoOp)
{
	RunCelestialAtMidnight();
	Sky->SetMaterialParamaterCollection(Collection);
	Collection->MarkAsGarbage();
	Sky->Update(Actor->Celestial, MoonColor);
	Collection->ClearGarbage();
	EXPECT_EQ(Scalar(TEXT("SunAlpha")), Sentinel);
}

// Re-applying the same sky keeps the instance and what was written to it; a new sky replaces both.
TEST_F(SkySphereWorld, SameParentKeepsInstanceAndDifferentParentReplacesIt)
{
	EXPECT_EQ(Sky->GetDynamicMaterial(), nullptr) << "nothing is created on request";
	Sky->ApplyMaterialToSkySpere(SkyMaterial);
	UMaterialInstanceDynamic* First = Sky->GetDynamicMaterial();
	ASSERT_NE(First, nullptr);
	EXPECT_EQ(Sky->GetMaterial(0), First);
	EXPECT_EQ(First->Parent, SkyMaterial);
	EXPECT_EQ(First->GetOuter(), Sky);

	Sky->ApplyMaterialParameters({{TEXT("Stars"), 0.25f}}, {});
	Sky->ApplyMaterialToSkySpere(SkyMaterial);
	EXPECT_EQ(Sky->GetMaterial(0), First);
	EXPECT_EQ(MaterialScalar(First, TEXT("Stars")), 0.25f);

	Sky->ApplyMaterialToSkySpere(OtherMaterial);
	UMaterialInstanceDynamic* Second = Sky->GetDynamicMaterial();
	ASSERT_NE(Second, nullptr);
	EXPECT_NE(Second, First);
	EXPECT_EQ(Second->Parent, OtherMaterial);
	EXPECT_EQ(MaterialScalar(Second, TEXT("Stars")), 1.f) << "parameters are not carried over";
}

// An empty or destroyed material must not disturb the sky already shown.
TEST_F(SkySphereWorld, MissingMaterialLeavesSlotUnchanged)
{
	Sky->ApplyMaterialToSkySpere(SkyMaterial);
	UMaterialInterface* Before = Sky->GetMaterial(0);
	Sky->ApplyMaterialToSkySpere(nullptr);
	EXPECT_EQ(Sky->GetMaterial(0), Before);
	OtherMaterial->MarkAsGarbage();
	Sky->ApplyMaterialToSkySpere(OtherMaterial);
	EXPECT_EQ(Sky->GetMaterial(0), Before);
}

// Unnamed entries are placeholders and must be skipped while the named ones in both arrays are written.
TEST_F(SkySphereWorld, ApplyMaterialParametersSkipsUnnamedEntries)
{
	Sky->ApplyMaterialToSkySpere(SkyMaterial);
	Sky->ApplyMaterialParameters(
		{{NAME_None, 5.f}, {TEXT("Clouds"), 0.5f}},
		{{NAME_None, FLinearColor(9.f, 9.f, 9.f, 9.f)}, {TEXT("Tint"), FLinearColor(0.1f, 0.2f, 0.3f, 1.f)}});
	UMaterialInstanceDynamic* Material = Sky->GetDynamicMaterial();
	EXPECT_EQ(MaterialScalar(Material, TEXT("Clouds")), 0.5f);
	EXPECT_EQ(MaterialScalar(Material, TEXT("Stars")), 1.f);
	FLinearColor Tint;
	ASSERT_TRUE(Material->GetVectorParameterValue(FName(TEXT("Tint")), Tint));
	EXPECT_EQ(Tint, FLinearColor(0.1f, 0.2f, 0.3f, 1.f));
}

// A plain material in slot 0 is an asset shared by others; it must never receive the sky's parameters.
TEST_F(SkySphereWorld, ApplyMaterialParametersIgnoresPlainMaterial)
{
	Sky->SetMaterial(0, SkyMaterial);
	EXPECT_EQ(Sky->GetDynamicMaterial(), nullptr);
	Sky->ApplyMaterialParameters({{TEXT("Stars"), 0.f}}, {});
	EXPECT_EQ(Sky->GetMaterial(0), SkyMaterial);
	EXPECT_EQ(MaterialScalar(SkyMaterial, TEXT("Stars")), 1.f);
}

// The dome encloses the level, so it must neither shadow it nor block anything in it.
TEST_F(SkySphereWorld, NeitherShadowsNorCollides)
{
	EXPECT_FALSE(Sky->CastShadow);
	EXPECT_EQ(Sky->GetCollisionEnabled(), ECollisionEnabled::NoCollision);
}
