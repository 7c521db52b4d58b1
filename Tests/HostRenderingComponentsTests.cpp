// Rendering components of the host: lights, sky, atmosphere, fog, mesh materials, scalability.
#include "RenderingFixtures.h"
#include "CoreMinimal.h"
#include "CoreGlobals.h"
#include "Engine/StaticMesh.h"
#include "Engine/TextureCube.h"
#include "Engine/World.h"
#include "HostSupport/MaterialAuthoring.h"
#include "Materials/Material.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Scalability.h"
#include "UObject/Package.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace
{
	std::string Utf8(const FString& Text) { return std::string(TCHAR_TO_UTF8(*Text)); }

	/** A game world with one actor carrying every rendering component, all registered. */
	class RenderingWorld : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Actor = World->SpawnActor<ARenderingFixtureActor>();
			ASSERT_NE(Actor, nullptr);
		}
		void TearDown() override { World->DestroyWorld(false); }

		UWorld* World = nullptr;
		ARenderingFixtureActor* Actor = nullptr;
	};

	/** Counts the warnings GLog delivers in one category while it exists. */
	class FWarningCapture : public FOutputDevice
	{
	public:
		explicit FWarningCapture(const TCHAR* InCategory) : Category(InCategory) { GLog->AddOutputDevice(this); }
		~FWarningCapture() override { GLog->RemoveOutputDevice(this); }
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

	/** One run-time setter: which component, the call, and whether its value arrived. */
	struct FSetterCase
	{
		const char* Name;
		std::function<USceneComponent*(ARenderingFixtureActor&)> Component;
		std::function<void(USceneComponent*)> Set;
		std::function<bool(USceneComponent*)> Applied;
	};

	template<class T>
	FSetterCase Case(const char* Name, TObjectPtr<T> ARenderingFixtureActor::*Member, std::function<void(T*)> Set, std::function<bool(T*)> Applied)
	{
		return FSetterCase{Name, [Member](ARenderingFixtureActor& A) -> USceneComponent* { return (A.*Member).Get(); },
			[Set](USceneComponent* C) { Set(CastChecked<T>(C)); }, [Applied](USceneComponent* C) { return Applied(CastChecked<T>(C)); }};
	}

	using Sun = UDirectionalLightComponent;
	using Sky = USkyLightComponent;
	using Atm = USkyAtmosphereComponent;
	using Fog = UExponentialHeightFogComponent;

	std::vector<FSetterCase> GuardedSetters()
	{
		return {
			Case<Sun>("LightIntensity", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetIntensity(5.f); }, [](Sun* L) { return L->Intensity == 5.f; }),
			Case<Sun>("LightColor", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetLightColor(FLinearColor::Red); }, [](Sun* L) { return L->LightColor == FColor(255, 0, 0); }),
			Case<Sun>("LightTemperature", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetTemperature(4000.f); }, [](Sun* L) { return L->Temperature == 4000.f; }),
			Case<Sun>("CastShadows", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetCastShadows(false); }, [](Sun* L) { return !L->CastShadows; }),
			Case<Sun>("AtmosphereSunLightIndex", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetAtmosphereSunLightIndex(1); }, [](Sun* L) { return L->AtmosphereSunLightIndex == 1; }),
			Case<Sun>("LightSourceAngle", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetLightSourceAngle(2.f); }, [](Sun* L) { return L->LightSourceAngle == 2.f; }),
			Case<Sun>("RaytracedShadows", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetCastRaytracedShadows(ECastRayTracedShadow::Enabled); },
				[](Sun* L) { return L->CastRaytracedShadow == ECastRayTracedShadow::Enabled; }),
			Case<Sky>("SkyIntensity", &ARenderingFixtureActor::SkyLight, [](Sky* S) { S->SetIntensity(2.f); }, [](Sky* S) { return S->Intensity == 2.f; }),
			Case<Sky>("SkyRealTimeCapture", &ARenderingFixtureActor::SkyLight, [](Sky* S) { S->SetRealTimeCapture(true); }, [](Sky* S) { return S->bRealTimeCapture; }),
			Case<Sky>("SkyLowerHemisphere", &ARenderingFixtureActor::SkyLight, [](Sky* S) { S->SetLowerHemisphereColor(FLinearColor::Blue); },
				[](Sky* S) { return S->LowerHemisphereColor == FLinearColor::Blue; }),
			Case<Atm>("BottomRadius", &ARenderingFixtureActor::Atmosphere, [](Atm* A) { A->SetBottomRadius(6000.f); }, [](Atm* A) { return A->BottomRadius == 6000.f; }),
			Case<Atm>("RayleighScattering", &ARenderingFixtureActor::Atmosphere, [](Atm* A) { A->SetRayleighScattering(FLinearColor(0.5f, 0.5f, 0.5f)); },
				[](Atm* A) { return A->RayleighScattering == FLinearColor(0.5f, 0.5f, 0.5f); }),
			Case<Atm>("AerialPespectiveViewDistanceScale", &ARenderingFixtureActor::Atmosphere, [](Atm* A) { A->SetAerialPespectiveViewDistanceScale(2.f); },
				[](Atm* A) { return A->AerialPespectiveViewDistanceScale == 2.f; }),
		};
	}

	std::vector<FSetterCase> UnguardedSetters()
	{
		return {
			Case<Fog>("FogDensity", &ARenderingFixtureActor::Fog, [](Fog* F) { F->SetFogDensity(0.05f); }, [](Fog* F) { return F->FogDensity == 0.05f; }),
			Case<Fog>("FogInscatteringColor", &ARenderingFixtureActor::Fog, [](Fog* F) { F->SetFogInscatteringColor(FLinearColor(0.2f, 0.3f, 0.4f)); },
				[](Fog* F) { return F->FogInscatteringLuminance == FLinearColor(0.2f, 0.3f, 0.4f); }),
			Case<Fog>("SecondFogDensity", &ARenderingFixtureActor::Fog, [](Fog* F) { F->SetSecondFogDensity(0.01f); }, [](Fog* F) { return F->SecondFogData.FogDensity == 0.01f; }),
			Case<Fog>("VolumetricFog", &ARenderingFixtureActor::Fog, [](Fog* F) { F->SetVolumetricFog(true); }, [](Fog* F) { return F->bEnableVolumetricFog; }),
			Case<Fog>("VolumetricFogAlbedo", &ARenderingFixtureActor::Fog, [](Fog* F) { F->SetVolumetricFogAlbedo(FColor(10, 20, 30)); },
				[](Fog* F) { return F->VolumetricFogAlbedo == FColor(10, 20, 30); }),
			Case<Fog>("FogMaxOpacityUnclamped", &ARenderingFixtureActor::Fog, [](Fog* F) { F->SetFogMaxOpacity(3.f); }, [](Fog* F) { return F->FogMaxOpacity == 3.f; }),
			Case<Sun>("DynamicShadowDistanceMovableLight", &ARenderingFixtureActor::Sun, [](Sun* L) { L->SetDynamicShadowDistanceMovableLight(1000.f); },
				[](Sun* L) { return L->DynamicShadowDistanceMovableLight == 1000.f; }),
		};
	}

	std::string CaseName(const ::testing::TestParamInfo<FSetterCase>& Info) { return Info.param.Name; }

	class GuardedSetter : public RenderingWorld, public ::testing::WithParamInterface<FSetterCase> {};
	class UnguardedSetter : public RenderingWorld, public ::testing::WithParamInterface<FSetterCase> {};
}

// ---------------------------------------------------------------------------------------------
// Setter guards

// A movable registered component takes the value once and dirties its render state once; repeating the value is free.
TEST_P(GuardedSetter, MovableRegisteredAppliesOnceAndIgnoresRepeat)
{
	USceneComponent* Component = GetParam().Component(*Actor);
	Component->SetMobility(EComponentMobility::Movable);
	const int32 Before = Component->GetRenderStateDirtyCount();
	GetParam().Set(Component);
	EXPECT_TRUE(GetParam().Applied(Component));
	EXPECT_EQ(Component->GetRenderStateDirtyCount(), Before + 1);
	GetParam().Set(Component);
	EXPECT_EQ(Component->GetRenderStateDirtyCount(), Before + 1) << "an unchanged value must not dirty the render state";
}

// A registered Static light or atmosphere refuses run-time changes, as the engine's AreDynamicDataChangesAllowed does.
TEST_P(GuardedSetter, StaticRegisteredRefuses)
{
	USceneComponent* Component = GetParam().Component(*Actor);
	Component->SetMobility(EComponentMobility::Static);
	const int32 Before = Component->GetRenderStateDirtyCount();
	GetParam().Set(Component);
	EXPECT_FALSE(GetParam().Applied(Component));
	EXPECT_EQ(Component->GetRenderStateDirtyCount(), Before);
}

// Before registration (construction, spawning) even a Static component may be configured.
TEST_P(GuardedSetter, StaticUnregisteredAllows)
{
	USceneComponent* Registered = GetParam().Component(*Actor);
	USceneComponent* Loose = NewObject<USceneComponent>(GetTransientPackage(), Registered->GetClass());
	Loose->Mobility = EComponentMobility::Static;
	ASSERT_FALSE(Loose->IsRegistered());
	GetParam().Set(Loose);
	EXPECT_TRUE(GetParam().Applied(Loose));
}

INSTANTIATE_TEST_SUITE_P(HostRendering, GuardedSetter, ::testing::ValuesIn(GuardedSetters()), CaseName);

// Fog setters and the directional shadow distances never consult mobility, unlike the light setters.
TEST_P(UnguardedSetter, StaticRegisteredStillApplies)
{
	USceneComponent* Component = GetParam().Component(*Actor);
	Component->SetMobility(EComponentMobility::Static);
	const int32 Before = Component->GetRenderStateDirtyCount();
	GetParam().Set(Component);
	EXPECT_TRUE(GetParam().Applied(Component));
	EXPECT_EQ(Component->GetRenderStateDirtyCount(), Before + 1);
	GetParam().Set(Component);
	EXPECT_EQ(Component->GetRenderStateDirtyCount(), Before + 1);
}

INSTANTIATE_TEST_SUITE_P(HostRendering, UnguardedSetter, ::testing::ValuesIn(UnguardedSetters()), CaseName);

// ---------------------------------------------------------------------------------------------
// Lights

// The stored light colour is an FColor: linear input is sRGB-encoded by default, plainly rounded otherwise.
TEST_F(RenderingWorld, LightColorIsQuantisedThroughSRGB)
{
	Actor->Sun->SetLightColor(FLinearColor(0.18f, 0.5f, 1.f));
	EXPECT_EQ(Actor->Sun->LightColor, FColor(118, 188, 255));
	EXPECT_EQ(Actor->Sun->GetLightColor(), FLinearColor(FColor(118, 188, 255))) << "read back through the sRGB table";

	Actor->Sun->SetLightColor(FLinearColor(0.18f, 0.5f, 1.f), /*bSRGB*/ false);
	EXPECT_EQ(Actor->Sun->LightColor, FColor(46, 128, 255));

	Actor->SkyLight->SetLightColor(FLinearColor(0.18f, 0.5f, 1.f));
	EXPECT_EQ(Actor->SkyLight->LightColor, FColor(118, 188, 255)) << "the sky light always encodes sRGB";
}

// Colours that quantise to the stored bytes are no change, so per-frame colour pushes do not dirty the light.
TEST_F(RenderingWorld, LightColorComparesAfterQuantising)
{
	Actor->Sun->SetLightColor(FLinearColor(0.3f, 0.6f, 0.9f));
	const int32 Before = Actor->Sun->GetRenderStateDirtyCount();
	Actor->Sun->SetLightColor(Actor->Sun->GetLightColor());
	EXPECT_EQ(Actor->Sun->GetRenderStateDirtyCount(), Before);
	Actor->SkyLight->SetLightColor(FLinearColor(0.3f, 0.6f, 0.9f));
	const int32 SkyBefore = Actor->SkyLight->GetRenderStateDirtyCount();
	Actor->SkyLight->SetLightColor(Actor->SkyLight->GetLightColor());
	EXPECT_EQ(Actor->SkyLight->GetRenderStateDirtyCount(), SkyBefore);
}

// Engine defaults the plug-in relies on: a directional light is the atmosphere's sun at 10 lux, the sky light is Stationary.
TEST_F(RenderingWorld, LightDefaultsMatchTheEngine)
{
	EXPECT_EQ(Actor->Sun->Intensity, 10.f);
	EXPECT_TRUE(Actor->Sun->bAtmosphereSunLight);
	EXPECT_EQ(Actor->Sun->AtmosphereSunLightIndex, 0);
	EXPECT_FLOAT_EQ(Actor->Sun->LightSourceAngle, 0.5357f);
	EXPECT_EQ(Actor->Sun->LightColor, FColor::White);
	EXPECT_EQ(Actor->SkyLight->Mobility, EComponentMobility::Stationary);
	EXPECT_EQ(Actor->SkyLight->Intensity, 1.f);
	EXPECT_EQ(Actor->SkyLight->SourceType, SLS_CapturedScene);
}

// Sun index and forward priority are floored at 0, but the change test uses the value as given.
TEST_F(RenderingWorld, DirectionalIndexSettersFloorAtZero)
{
	Actor->Sun->SetAtmosphereSunLightIndex(-3);
	EXPECT_EQ(Actor->Sun->AtmosphereSunLightIndex, 0);
	const int32 Before = Actor->Sun->GetRenderStateDirtyCount();
	Actor->Sun->SetAtmosphereSunLightIndex(-3);
	EXPECT_EQ(Actor->Sun->GetRenderStateDirtyCount(), Before + 1) << "-3 differs from the stored 0, so it dirties again";
	Actor->Sun->SetForwardShadingPriority(-1);
	EXPECT_EQ(Actor->Sun->ForwardShadingPriority, 0);
	Actor->Sun->SetAtmosphereSunLightIndex(5);
	EXPECT_EQ(Actor->Sun->AtmosphereSunLightIndex, 5) << "no upper clamp outside the editor";
}

// Stationary sky lights still take intensity changes; a new cube map or capture mode queues a recapture only when visible.
TEST_F(RenderingWorld, SkyLightQueuesRecaptures)
{
	USkyLightComponent* SkyLight = Actor->SkyLight;
	SkyLight->SetIntensity(3.f);
	EXPECT_EQ(SkyLight->Intensity, 3.f) << "Stationary is not Static";
	const int32 Before = SkyLight->GetRecaptureRequestCount();
	SkyLight->SetCubemap(NewObject<UTextureCube>());
	SkyLight->SetRealTimeCapture(true);
	SkyLight->RecaptureSky();
	EXPECT_EQ(SkyLight->GetRecaptureRequestCount(), Before + 3);
	EXPECT_TRUE(SkyLight->IsRealTimeCaptureEnabled());

	SkyLight->SetVisibility(false);
	SkyLight->RecaptureSky();
	EXPECT_EQ(SkyLight->GetRecaptureRequestCount(), Before + 3) << "hidden sky lights are not captured";
	SkyLight->Mobility = EComponentMobility::Static;
	EXPECT_FALSE(SkyLight->IsRealTimeCaptureEnabled());
}

// ---------------------------------------------------------------------------------------------
// Sky atmosphere

// Overriding the atmosphere's light direction needs a registered component with render state, and repeats are free.
TEST_F(RenderingWorld, AtmosphereLightOverrideNeedsRenderState)
{
	USkyAtmosphereComponent* Loose = NewObject<USkyAtmosphereComponent>();
	Loose->OverrideAtmosphereLightDirection(0, FVector(0.0, 0.0, 1.0));
	EXPECT_FALSE(Loose->IsAtmosphereLightDirectionOverriden(0)) << "no render state, no override";
	EXPECT_EQ(Loose->GetOverridenAtmosphereLightDirection(0), FVector::ZeroVector);

	USkyAtmosphereComponent* Atmosphere = Actor->Atmosphere;
	ASSERT_TRUE(Atmosphere->IsRenderStateCreated());
	const int32 Before = Atmosphere->GetRenderStateDirtyCount();
	Atmosphere->OverrideAtmosphereLightDirection(1, FVector(1.0, 0.0, 0.0));
	EXPECT_TRUE(Atmosphere->IsAtmosphereLightDirectionOverriden(1));
	EXPECT_FALSE(Atmosphere->IsAtmosphereLightDirectionOverriden(0)) << "the two lights are independent";
	EXPECT_EQ(Atmosphere->GetOverridenAtmosphereLightDirection(1), FVector(1.0, 0.0, 0.0));
	Atmosphere->OverrideAtmosphereLightDirection(1, FVector(1.0, 0.0, 0.0));
	EXPECT_EQ(Atmosphere->GetRenderStateDirtyCount(), Before + 1);
	Atmosphere->OverrideAtmosphereLightDirection(1, FVector(0.0, 1.0, 0.0));
	EXPECT_EQ(Atmosphere->GetRenderStateDirtyCount(), Before + 2);

	Atmosphere->ResetAtmosphereLightDirectionOverride(1);
	EXPECT_FALSE(Atmosphere->IsAtmosphereLightDirectionOverriden(1));
	EXPECT_EQ(Atmosphere->GetRenderStateDirtyCount(), Before + 3);

	Atmosphere->SetMobility(EComponentMobility::Static);
	Atmosphere->OverrideAtmosphereLightDirection(0, FVector(0.0, 0.0, -1.0));
	EXPECT_FALSE(Atmosphere->IsAtmosphereLightDirectionOverriden(0)) << "a registered Static atmosphere refuses";
}

// Scattering colours are stored clamped at 0, yet compared unclamped, so repeating a negative colour dirties again.
TEST_F(RenderingWorld, AtmosphereColoursClampAfterComparing)
{
	USkyAtmosphereComponent* Atmosphere = Actor->Atmosphere;
	Atmosphere->SetMieScattering(FLinearColor(-1.f, 2.f, 3.f, 1.f));
	EXPECT_EQ(Atmosphere->MieScattering, FLinearColor(0.f, 2.f, 3.f, 1.f));
	const int32 Before = Atmosphere->GetRenderStateDirtyCount();
	Atmosphere->SetMieScattering(FLinearColor(-1.f, 2.f, 3.f, 1.f));
	EXPECT_EQ(Atmosphere->GetRenderStateDirtyCount(), Before + 1);
	EXPECT_NEAR(Atmosphere->RayleighScattering.R, 0.17529f, 1e-5f) << "engine default, normalised by its blue channel";
	EXPECT_NEAR(Atmosphere->RayleighScattering.G, 0.40961f, 1e-5f);
	EXPECT_EQ(Atmosphere->GroundAlbedo, FColor(170, 170, 170));
}

// ---------------------------------------------------------------------------------------------
// Height fog

// The fog is drawn only with some density (either layer) and some opacity; the second layer starts without density.
TEST_F(RenderingWorld, FogRenderedOnlyWithDensityAndOpacity)
{
	UExponentialHeightFogComponent* Fog = Actor->Fog;
	EXPECT_EQ(Fog->SecondFogData.FogDensity, 0.f);
	EXPECT_EQ(Fog->FogInscatteringLuminance, FLinearColor::Black);
	EXPECT_TRUE(Fog->IsFogRendered());
	Fog->SetFogDensity(0.f);
	EXPECT_FALSE(Fog->IsFogRendered());
	Fog->SetSecondFogDensity(0.001f);
	EXPECT_TRUE(Fog->IsFogRendered());
	Fog->SetFogMaxOpacity(0.f);
	EXPECT_FALSE(Fog->IsFogRendered());
}

// ---------------------------------------------------------------------------------------------
// Mesh materials

namespace
{
	class MeshMaterials : public RenderingWorld
	{
	protected:
		void SetUp() override
		{
			RenderingWorld::SetUp();
			MeshAsset = NewObject<UStaticMesh>();
			Base = NewObject<UMaterial>(GetTransientPackage(), FName(TEXT("M_Water")));
			AddScalarParameter(Base, TEXT("Depth"), 1.f);
			MeshAsset->AddMaterial(Base);
			MeshAsset->AddMaterial(Base);
		}
		UStaticMesh* MeshAsset = nullptr;
		UMaterial* Base = nullptr;
	};
}

// A slot shows its non-null override, else the mesh's material; negative indices are ignored and arrays grow with nulls.
TEST_F(MeshMaterials, OverridesFallBackToMeshMaterials)
{
	UStaticMeshComponent* Mesh = Actor->Mesh;
	EXPECT_TRUE(Mesh->CastShadow) << "mesh components cast shadows by default";
	EXPECT_EQ(Mesh->GetMaterial(0), nullptr);
	ASSERT_TRUE(Mesh->SetStaticMesh(MeshAsset));
	EXPECT_FALSE(Mesh->SetStaticMesh(MeshAsset)) << "same mesh is no change";
	EXPECT_EQ(Mesh->GetMaterial(1), Base);

	UMaterial* Other = NewObject<UMaterial>();
	Mesh->SetMaterial(-1, Other);
	EXPECT_EQ(Mesh->OverrideMaterials.Num(), 0);
	Mesh->SetMaterial(1, Other);
	ASSERT_EQ(Mesh->OverrideMaterials.Num(), 2);
	EXPECT_EQ(Mesh->OverrideMaterials[0], nullptr);
	EXPECT_EQ(Mesh->GetMaterial(0), Base) << "a null override falls back to the mesh";
	EXPECT_EQ(Mesh->GetMaterial(1), Other);
	EXPECT_EQ(Mesh->GetMaterial(2), nullptr);
}

// A dynamic instance is made once per slot, named after its parent (or as asked), owned by the component, then reused.
TEST_F(MeshMaterials, CreateDynamicMaterialInstanceReusesAndNames)
{
	UStaticMeshComponent* Mesh = Actor->Mesh;
	Mesh->SetStaticMesh(MeshAsset);
	UMaterialInstanceDynamic* First = Mesh->CreateDynamicMaterialInstance(0);
	ASSERT_NE(First, nullptr);
	EXPECT_EQ(First->Parent, Base);
	EXPECT_EQ(First->GetOuter(), Mesh);
	EXPECT_EQ(Utf8(First->GetName()).rfind("MID_M_Water", 0), 0u) << Utf8(First->GetName());
	EXPECT_EQ(Mesh->GetMaterial(0), First);
	EXPECT_EQ(Mesh->CreateDynamicMaterialInstance(0), First) << "an existing dynamic instance is reused";

	UMaterialInstanceDynamic* Named = Mesh->CreateDynamicMaterialInstance(1, nullptr, FName(TEXT("Glow")));
	ASSERT_NE(Named, nullptr);
	EXPECT_EQ(Named->GetFName(), FName(TEXT("Glow")));

	UMaterial* Source = NewObject<UMaterial>();
	UMaterialInstanceDynamic* FromSource = Mesh->CreateDynamicMaterialInstance(0, Source);
	ASSERT_NE(FromSource, nullptr);
	EXPECT_NE(FromSource, First) << "a source material replaces the slot first";
	EXPECT_EQ(FromSource->Parent, Source);
}

// An empty slot yields null and the engine's warning, naming the component and the index.
TEST_F(MeshMaterials, CreateDynamicMaterialInstanceWarnsOnEmptySlot)
{
	FWarningCapture Warnings(TEXT("LogPrimitiveComponent"));
	EXPECT_EQ(Actor->Mesh->CreateDynamicMaterialInstance(3), nullptr);
	ASSERT_EQ(Warnings.Messages.size(), 1u);
	const std::string Expected = "CreateDynamicMaterialInstance on " + Utf8(Actor->Mesh->GetPathName()) + ": Material index 3 is invalid.";
	EXPECT_EQ(Warnings.Messages[0], Expected);
}

// A registered Static mesh component keeps its mesh once play has begun; before play it may still change.
TEST_F(MeshMaterials, SetStaticMeshRefusedOnStaticAfterBeginPlay)
{
	UStaticMeshComponent* Mesh = Actor->Mesh;
	Mesh->SetMobility(EComponentMobility::Static);
	EXPECT_TRUE(Mesh->SetStaticMesh(MeshAsset)) << "play has not begun";
	World->BeginPlay();
	EXPECT_FALSE(Mesh->SetStaticMesh(nullptr));
	EXPECT_EQ(Mesh->GetStaticMesh(), MeshAsset);
	Mesh->SetMobility(EComponentMobility::Movable);
	EXPECT_TRUE(Mesh->SetStaticMesh(nullptr));
}

// ---------------------------------------------------------------------------------------------
// Scalability

namespace
{
	/** Scalability is process-wide: each test restores what it found. */
	class ScalabilityLevels : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			Saved = Scalability::GetQualityLevels();
			Handle = Scalability::OnScalabilitySettingsChanged.AddLambda([this](const Scalability::FQualityLevels& Levels) { Received.push_back(Levels); });
		}
		void TearDown() override
		{
			Scalability::OnScalabilitySettingsChanged.Remove(Handle);
			Scalability::SetQualityLevels(Saved);
		}
		Scalability::FQualityLevels Saved;
		FDelegateHandle Handle;
		std::vector<Scalability::FQualityLevels> Received;
	};
}

// Default levels are Epic in every group, so a fresh state compares equal to a default-constructed one.
TEST_F(ScalabilityLevels, DefaultsAreEpic)
{
	const Scalability::FQualityLevels Defaults;
	EXPECT_EQ(Defaults.GlobalIlluminationQuality, 3);
	EXPECT_EQ(Defaults.ShadowQuality, 3);
	EXPECT_EQ(Defaults.ResolutionQuality, 0.f);
	EXPECT_EQ(Defaults.GetSingleQualityLevel(), 3);
	Scalability::FQualityLevels Raw(false);
	Raw.SetGlobalIlluminationQuality(9);
	EXPECT_EQ(Raw.GlobalIlluminationQuality, 4);
	Raw.SetGlobalIlluminationQuality(-2);
	EXPECT_EQ(Raw.GlobalIlluminationQuality, 0);
}

// Listeners hear clamped levels only when something changed, or when forced.
TEST_F(ScalabilityLevels, BroadcastsOnlyOnChangeOrForce)
{
	Scalability::FQualityLevels Wanted = Scalability::GetQualityLevels();
	Wanted.GlobalIlluminationQuality = Wanted.GlobalIlluminationQuality == 1 ? 2 : 1;
	Scalability::SetQualityLevels(Wanted);
	ASSERT_EQ(Received.size(), 1u);
	EXPECT_EQ(Received[0].GlobalIlluminationQuality, Wanted.GlobalIlluminationQuality);
	EXPECT_EQ(Scalability::GetQualityLevels().GlobalIlluminationQuality, Wanted.GlobalIlluminationQuality);

	Scalability::SetQualityLevels(Wanted);
	EXPECT_EQ(Received.size(), 1u) << "unchanged levels are not announced";
	Scalability::SetQualityLevels(Wanted, /*bForce*/ true);
	EXPECT_EQ(Received.size(), 2u);

	Wanted.GlobalIlluminationQuality = 17;
	Wanted.ShadowQuality = -4;
	Scalability::SetQualityLevels(Wanted);
	ASSERT_EQ(Received.size(), 3u);
	EXPECT_EQ(Received[2].GlobalIlluminationQuality, 4);
	EXPECT_EQ(Received[2].ShadowQuality, 0);
	EXPECT_EQ(Scalability::GetQualityLevels(), Received[2]);

	Wanted.GlobalIlluminationQuality = 4;
	Wanted.ShadowQuality = 0;
	Scalability::SetQualityLevels(Wanted);
	EXPECT_EQ(Received.size(), 3u) << "compared after clamping";
}
