// The preset's static settings as the director's components receive them when the preset is applied.
#include "Support/DirectorTesting.h"
#include "CoreMinimal.h"
#include "Actors/ZN_Lumarch.h"
#include "Components/LM_CelestialRotationComponent.h"
#include "Components/LM_DirectionalLightComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"
#include "Components/LM_SkySphereComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/PostProcessComponent.h"
#include "Components/SkyAtmosphereComponent.h"
#include "Components/SkyLightComponent.h"
#include "Engine/StaticMesh.h"
#include "Engine/TextureCube.h"
#include "Engine/World.h"
#include "HostSupport/EditorSimulation.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Materials/MaterialParameterCollection.h"
#include "Materials/MaterialParameterCollectionInstance.h"
#include <gtest/gtest.h>

using namespace DirectorTesting;

namespace
{
	/** A director placed in an editor level, its components at hand, and a preset to choose for it. */
	class DirectorStaticSettings : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Editor, false);
			Director = World->SpawnActor<AZN_Lumarch>();
			ASSERT_NE(Director, nullptr);
			Sun = FindObject<ULM_DirectionalLightComponent>(Director, TEXT("Sun"));
			Moon = FindObject<ULM_DirectionalLightComponent>(Director, TEXT("Moon"));
			Fog = Director->FindComponentByClass<ULM_GroundFollowerFogComponent>();
			Atmosphere = Director->FindComponentByClass<USkyAtmosphereComponent>();
			Sky = Director->FindComponentByClass<ULM_SkySphereComponent>();
			SkyLight = Director->FindComponentByClass<USkyLightComponent>();
			PostProcess = Director->FindComponentByClass<ULM_TrackingPostProcessComponent>();
			Internal = PostProcess->PostProcessInternal;
			Preset = MakePreset();
		}
		void TearDown() override { World->DestroyWorld(false); }

		void Choose(ULM_Preset* InPreset)
		{
			ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), InPreset).IsApplied());
		}

		static UMaterial* MakeMaterial(const TCHAR* Name)
		{
			UMaterial* Material = NewObject<UMaterial>(GetTransientPackage(), Name);
			AddScalarParameter(Material, TEXT("Strength"), 1.f);
			return Material;
		}

		UWorld* World = nullptr;
		AZN_Lumarch* Director = nullptr;
		ULM_Preset* Preset = nullptr;
		ULM_DirectionalLightComponent* Sun = nullptr;
		ULM_DirectionalLightComponent* Moon = nullptr;
		ULM_GroundFollowerFogComponent* Fog = nullptr;
		USkyAtmosphereComponent* Atmosphere = nullptr;
		ULM_SkySphereComponent* Sky = nullptr;
		USkyLightComponent* SkyLight = nullptr;
		ULM_TrackingPostProcessComponent* PostProcess = nullptr;
		UPostProcessComponent* Internal = nullptr;
	};
}

// Each light, the atmosphere and the fog take their own record, not a neighbour's.
TEST_F(DirectorStaticSettings, RecordsReachTheirComponents)
{
	Preset->SunLightSettings.LightSourceAngle = 0.75f;
	Preset->MoonLightSettings.LightSourceAngle = 3.5f;
	Preset->MoonLightSettings.Temperature = 9000.f;
	Preset->SkyAtmosphereSettings.AerialPerspectiveStartDepth = 2.5f;
	Preset->SkyAtmosphereSettings.AerialPerspectiveViewDistanceScale = 0.5f;
	Preset->SkyAtmosphereSettings.AtmosphereHeight = 80.f;
	Preset->SkyAtmosphereSettings.MultiScatteringFactor = 2.f;
	FLM_ExponentialFogSettings& FogSettings = Preset->ExponentialHeightFogSettings;
	FogSettings.HeightOffset = 250.f;
	FogSettings.HeightClampZ = -500.f;
	FogSettings.HeightQueryInterval = 0.5f;
	FogSettings.SkyAtmosphereAmbientContributionColorScale = FLinearColor(0.5f, 0.25f, 1.f, 1.f);
	FogSettings.VolumetricNearFadeInDistance = 120.f;
	FogSettings.VolumetricStartDistance = 60.f;
	FogSettings.InscatteringColorCubemap = NewObject<UTextureCube>();
	Choose(Preset);

	EXPECT_FLOAT_EQ(Sun->LightSourceAngle, 0.75f);
	EXPECT_FLOAT_EQ(Moon->LightSourceAngle, 3.5f);
	EXPECT_FLOAT_EQ(Moon->Temperature, 9000.f);
	EXPECT_FLOAT_EQ(Atmosphere->AerialPerspectiveStartDepth, 2.5f);
	EXPECT_FLOAT_EQ(Atmosphere->AerialPespectiveViewDistanceScale, 0.5f);
	EXPECT_FLOAT_EQ(Atmosphere->AtmosphereHeight, 80.f);
	EXPECT_FLOAT_EQ(Atmosphere->MultiScatteringFactor, 2.f);
	EXPECT_FLOAT_EQ(Fog->GetHeightOffset(), 250.f);
	EXPECT_FLOAT_EQ(Fog->GetHeightClampZ(), -500.f);
	EXPECT_FLOAT_EQ(Fog->GetHeightQueryInterval(), 0.5f);
	EXPECT_EQ(Fog->SkyAtmosphereAmbientContributionColorScale, FogSettings.SkyAtmosphereAmbientContributionColorScale);
	EXPECT_FLOAT_EQ(Fog->VolumetricFogNearFadeInDistance, 120.f);
	EXPECT_FLOAT_EQ(Fog->VolumetricFogStartDistance, 60.f);
	EXPECT_EQ(Fog->InscatteringColorCubemap, FogSettings.InscatteringColorCubemap);
	EXPECT_TRUE(Fog->bEnableVolumetricFog);
}

// Values written by script beyond the editor's limits are still kept sane by the fog's own rules.
TEST_F(DirectorStaticSettings, FogHeightParametersAreBounded)
{
	Preset->ExponentialHeightFogSettings.HeightOffset = 50000.f;
	Preset->ExponentialHeightFogSettings.HeightQueryInterval = 0.f;
	Choose(Preset);
	EXPECT_FLOAT_EQ(Fog->GetHeightOffset(), 10000.f);
	EXPECT_FLOAT_EQ(Fog->GetHeightQueryInterval(), 0.01f);
	EXPECT_EQ(Fog->GetQueryTimeAccumulator(), 0.f);

	Preset->ExponentialHeightFogSettings.HeightOffset = -50000.f;
	Preset->OnUpdated.Broadcast();
	EXPECT_FLOAT_EQ(Fog->GetHeightOffset(), -10000.f);
}

// The celestial model takes the world's daylight share even while its toggle is off.
TEST_F(DirectorStaticSettings, DaylightFractionIsUsedWhateverItsToggle)
{
	Preset->WorldSettings.bOverride_DayLightFraction = false;
	Preset->WorldSettings.DayLightFraction = 0.4f;
	Choose(Preset);

	ULM_CelestialRotationComponent* Expected = NewObject<ULM_CelestialRotationComponent>();
	Expected->ApplySettings(Preset->CelestialRotationSettings, 0.4f);
	Expected->Update(0.5f);
	EXPECT_EQ(Director->FindComponentByClass<ULM_CelestialRotationComponent>()->GetSunRotationRaw(), Expected->GetSunRotationRaw());
}

// The sky dome takes its scale, mesh, material and collection; an empty material leaves the current one.
TEST_F(DirectorStaticSettings, SkySphereTakesItsSettings)
{
	UMaterial* SkyMaterial = MakeMaterial(TEXT("M_Sky"));
	UMaterialParameterCollection* Collection = NewObject<UMaterialParameterCollection>(GetTransientPackage(), TEXT("MPC_Celestial"));
	FCollectionScalarParameter SunAlpha;
	SunAlpha.ParameterName = TEXT("SunAlpha");
	SunAlpha.DefaultValue = -1.f;
	Collection->ScalarParameters.Add(SunAlpha);
	Preset->SkySettings.SkyMaterial = SkyMaterial;
	Preset->SkySettings.MaterialParameterCollection = Collection;
	Preset->SkySettings.SkySphereMesh = NewObject<UStaticMesh>();
	Preset->SkySettings.SkySphereScale = FVector(400.0, 400.0, 400.0);
	Choose(Preset);

	EXPECT_EQ(Sky->GetRelativeScale3D(), FVector(400.0, 400.0, 400.0));
	EXPECT_EQ(Sky->GetStaticMesh(), Preset->SkySettings.SkySphereMesh);
	UMaterialInstanceDynamic* Instance = Sky->GetDynamicMaterial();
	ASSERT_NE(Instance, nullptr);
	EXPECT_EQ(Instance->Parent, SkyMaterial);
	float Published = -1.f;
	ASSERT_TRUE(World->GetParameterCollectionInstance(Collection)->GetScalarParameterValue(TEXT("SunAlpha"), Published));
	EXPECT_FLOAT_EQ(Published, Director->FindComponentByClass<ULM_CelestialRotationComponent>()->GetSunAlpha()) << "the frame pass writes into the chosen collection";

	Preset->SkySettings.SkyMaterial = nullptr;
	Preset->OnUpdated.Broadcast();
	EXPECT_EQ(Sky->GetDynamicMaterial(), Instance);
}

// The sky light captures the scene unless the preset gives it a cube map; its render state is refreshed either way.
TEST_F(DirectorStaticSettings, SkyLightSourceFollowsTheCubeMap)
{
	int32 Dirty = SkyLight->GetRenderStateDirtyCount();
	Choose(Preset);
	EXPECT_TRUE(SkyLight->bRealTimeCapture);
	EXPECT_EQ(SkyLight->SourceType, SLS_CapturedScene);
	EXPECT_GT(SkyLight->GetRenderStateDirtyCount(), Dirty);

	UTextureCube* Cube = NewObject<UTextureCube>();
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Preset, TEXT("SkyLightSettings.CubeMap"), Cube).IsApplied());
	EXPECT_FALSE(SkyLight->bRealTimeCapture);
	EXPECT_EQ(SkyLight->SourceType, SLS_SpecifiedCubemap);
	EXPECT_EQ(SkyLight->Cubemap, Cube);
}

// The post-process ends with the dynamic preset's settings and exactly one fresh material instance of weight 1.
TEST_F(DirectorStaticSettings, PostProcessGetsACopyAndOneMaterialInstance)
{
	ULM_DynamicPreset* Dynamic = Preset->DynamicOverrides;
	UMaterial* Material = MakeMaterial(TEXT("M_Grade"));
	Dynamic->PostProcessSettings.bOverride_BloomIntensity = true;
	Dynamic->PostProcessSettings.BloomIntensity = 2.f;
	Dynamic->PostProcessSettings.AddBlendable(MakeMaterial(TEXT("M_Stored")), 0.3f);
	Dynamic->PostProcessSettingsDepthOfFieldSettings.DistanceEasingSpeed = 11.f;
	Dynamic->PostProcessMaterialSettings.PostProcessMaterial = Material;
	const int32 Dirty = Internal->GetRenderStateDirtyCount();
	Choose(Preset);

	EXPECT_TRUE(Internal->Settings.bOverride_BloomIntensity);
	EXPECT_FLOAT_EQ(Internal->Settings.BloomIntensity, 2.f);
	EXPECT_FLOAT_EQ(PostProcess->GetSettings().DistanceEasingSpeed, 11.f);
	const TArray<FWeightedBlendable>& Blendables = Internal->Settings.WeightedBlendables.Array;
	ASSERT_EQ(Blendables.Num(), 1) << "the stored blendable is replaced by the material instance";
	EXPECT_FLOAT_EQ(Blendables[0].Weight, 1.f);
	UMaterialInstanceDynamic* First = Cast<UMaterialInstanceDynamic>(Blendables[0].Object);
	ASSERT_NE(First, nullptr);
	EXPECT_EQ(First->Parent, Material);
	EXPECT_GT(Internal->GetRenderStateDirtyCount(), Dirty);

	Preset->OnUpdated.Broadcast();
	ASSERT_EQ(Blendables.Num(), 1);
	EXPECT_NE(Blendables[0].Object, First) << "each application makes a new instance";

	Dynamic->PostProcessMaterialSettings.PostProcessMaterial = nullptr;
	Preset->OnUpdated.Broadcast();
	EXPECT_EQ(Blendables.Num(), 0) << "no material, no blendable";
}

// Without a dynamic preset the post-process keeps what it had; everything else is still applied.
TEST_F(DirectorStaticSettings, PresetWithoutDynamicPresetLeavesPostProcessAlone)
{
	Internal->Settings.bOverride_BloomIntensity = true;
	Internal->Settings.BloomIntensity = 5.f;
	Internal->Settings.AddBlendable(MakeMaterial(TEXT("M_Existing")), 0.5f);
	ULM_Preset* Bare = MakePreset(/*bWithDynamicPreset*/ false);
	Bare->SunLightSettings.LightSourceAngle = 1.25f;
	Choose(Bare);
	EXPECT_FLOAT_EQ(Internal->Settings.BloomIntensity, 5.f);
	EXPECT_EQ(Internal->Settings.WeightedBlendables.Array.Num(), 1);
	EXPECT_FLOAT_EQ(Sun->LightSourceAngle, 1.25f);
}

// No preset, no change: the components keep their constructor state.
TEST_F(DirectorStaticSettings, NoPresetChangesNothing)
{
	const float Angle = Sun->LightSourceAngle;
	const float Height = Atmosphere->AtmosphereHeight;
	const int32 Dirty = SkyLight->GetRenderStateDirtyCount();
	Director->RegisterAllComponents();
	EXPECT_EQ(Sun->LightSourceAngle, Angle);
	EXPECT_EQ(Atmosphere->AtmosphereHeight, Height);
	EXPECT_EQ(SkyLight->GetRenderStateDirtyCount(), Dirty);
	EXPECT_FLOAT_EQ(Fog->GetHeightQueryInterval(), 0.25f) << "the fog's own initial values";
	EXPECT_FLOAT_EQ(Fog->GetHeightClampZ(), 2000.f);
}
