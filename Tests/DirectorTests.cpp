// The lighting director placed in editor and play worlds: its components, the events that redraw, and the frame pass.
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
#include "Engine/World.h"
#include "HostSupport/EditorSimulation.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"
#include "CoreGlobals.h"
#include "Scalability.h"
#include "ZN_TimeOfDaySubsystem.h"
#include "ZN_TimeOfDaySubsystemActor.h"
#include <gtest/gtest.h>
#include <string>

using namespace DirectorTesting;

namespace
{
	/** A director in a world of the given type, with handles on the components the tests look at. */
	class DirectorTest : public ::testing::Test
	{
	protected:
		void TearDown() override
		{
			for (UWorld* World : Worlds)
			{
				World->DestroyWorld(false);
			}
		}

		UWorld* MakeWorld(EWorldType::Type Type, bool bSkipInitWorld = false)
		{
			UWorld* World = UWorld::CreateWorld(Type, false, NAME_None, nullptr, true, ERHIFeatureLevel::Num, nullptr, bSkipInitWorld);
			Worlds.Add(World);
			return World;
		}

		AZN_Lumarch* Place(UWorld* World)
		{
			AZN_Lumarch* Director = World->SpawnActor<AZN_Lumarch>();
			EXPECT_NE(Director, nullptr);
			Sun = FindObject<ULM_DirectionalLightComponent>(Director, TEXT("Sun"));
			Moon = FindObject<ULM_DirectionalLightComponent>(Director, TEXT("Moon"));
			Celestial = Director->FindComponentByClass<ULM_CelestialRotationComponent>();
			Atmosphere = Director->FindComponentByClass<USkyAtmosphereComponent>();
			SkyLight = Director->FindComponentByClass<USkyLightComponent>();
			return Director;
		}

		/** A play world with a running clock set to the given time, and a director in it. */
		AZN_Lumarch* PlaceInPlayWorldWithClock(ULM_Preset* Preset, int32 Day, double DayFraction)
		{
			UWorld* World = MakeWorld(EWorldType::Game);
			Clock = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
			Clock->bPaused = true;
			Clock->SetGameTimeOfDay(Day, DayFraction);
			AZN_Lumarch* Director = Place(World);
			// Chosen while the level is set up, before play begins.
			HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset);
			World->BeginPlay();
			return Director;
		}

		static void Tick(AZN_Lumarch* Director) { Director->GetWorld()->Tick(LEVELTICK_All, 1.f / 60.f); }

		/** What the celestial component computes at normalised time T with the preset's settings. */
		static ULM_CelestialRotationComponent* Reference(const ULM_Preset* Preset, float T)
		{
			ULM_CelestialRotationComponent* Component = NewObject<ULM_CelestialRotationComponent>();
			Component->ApplySettings(Preset->CelestialRotationSettings, Preset->WorldSettings.DayLightFraction);
			Component->Update(T);
			return Component;
		}

		TArray<UWorld*> Worlds;
		AZN_TimeOfDaySubsystemActor* Clock = nullptr;
		ULM_DirectionalLightComponent* Sun = nullptr;
		ULM_DirectionalLightComponent* Moon = nullptr;
		ULM_CelestialRotationComponent* Celestial = nullptr;
		USkyAtmosphereComponent* Atmosphere = nullptr;
		USkyLightComponent* SkyLight = nullptr;
	};

	struct FComponentRow
	{
		const char* Name;
		UClass* (*Class)();
		bool bAttachedToRoot;
	};

	void PrintTo(const FComponentRow& Row, std::ostream* Out) { *Out << Row.Name; }

	class DirectorComposition : public DirectorTest, public ::testing::WithParamInterface<FComponentRow>
	{
	};

	/** Records the ensure reports GLog delivers while it exists. */
	class FEnsureCapture : public FOutputDevice
	{
	public:
		FEnsureCapture() { GLog->AddOutputDevice(this); }
		~FEnsureCapture() override { GLog->RemoveOutputDevice(this); }
		void Serialize(const TCHAR* V, ELogVerbosity::Type, const FName&) override
		{
			const std::string Line = TCHAR_TO_UTF8(V);
			if (Line.find("Ensure condition failed") != std::string::npos)
			{
				Reports.push_back(Line);
			}
		}
		std::vector<std::string> Reports;
	};
}

// Every component exists under its subobject name, of its class, in the hierarchy the level relies on.
TEST_P(DirectorComposition, ComponentIsCreatedAndAttached)
{
	const FComponentRow& Row = GetParam();
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	UActorComponent* Component = FindObject<UActorComponent>(Director, UTF8_TO_TCHAR(Row.Name));
	ASSERT_NE(Component, nullptr) << "no component named " << Row.Name;
	// Spelled as created even where a property of another case ("SkyLight") named it first.
	EXPECT_TRUE(Component->GetName().Equals(UTF8_TO_TCHAR(Row.Name), ESearchCase::CaseSensitive)) << TCHAR_TO_UTF8(*Component->GetName());
	TArray<UActorComponent*> Owned;
	Director->GetComponents(Owned);
	EXPECT_TRUE(Owned.Contains(Component)) << "the actor lists it among its components";
	EXPECT_EQ(Component->GetClass(), Row.Class());
	EXPECT_TRUE(Component->IsRegistered());

	USceneComponent* Scene = Cast<USceneComponent>(Component);
	if (Row.bAttachedToRoot)
	{
		ASSERT_NE(Scene, nullptr);
		EXPECT_EQ(Scene->GetAttachParent(), Director->GetRootComponent());
	}
	else if (Scene)
	{
		EXPECT_EQ(Scene, Director->GetRootComponent()) << "only the root is a scene component without a parent";
	}
}

INSTANTIATE_TEST_SUITE_P(Director, DirectorComposition, ::testing::Values(
	FComponentRow{"Root", &USceneComponent::StaticClass, false},
	FComponentRow{"Sun", &ULM_DirectionalLightComponent::StaticClass, true},
	FComponentRow{"Moon", &ULM_DirectionalLightComponent::StaticClass, true},
	FComponentRow{"SkyAtmosphere", &USkyAtmosphereComponent::StaticClass, true},
	FComponentRow{"CelestialRotation", &ULM_CelestialRotationComponent::StaticClass, false},
	FComponentRow{"SkySphere", &ULM_SkySphereComponent::StaticClass, true},
	FComponentRow{"PostProcess", &ULM_TrackingPostProcessComponent::StaticClass, true},
	FComponentRow{"Skylight", &USkyLightComponent::StaticClass, true},
	FComponentRow{"ExponentialHeightFog", &ULM_GroundFollowerFogComponent::StaticClass, true}),
	[](const ::testing::TestParamInfo<FComponentRow>& Info) { return std::string(Info.param.Name); });

// The constructor's engine settings are what a fresh director shows before any preset.
TEST_F(DirectorTest, ConstructorSettingsAndDefaults)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	EXPECT_TRUE(Sun->bAtmosphereSunLight);
	EXPECT_EQ(Sun->AtmosphereSunLightIndex, 0);
	EXPECT_EQ(Sun->ForwardShadingPriority, 0);
	EXPECT_EQ(Moon->AtmosphereSunLightIndex, 1);
	EXPECT_EQ(Moon->ForwardShadingPriority, 1);
	EXPECT_EQ(SkyLight->Mobility, EComponentMobility::Movable);
	EXPECT_TRUE(SkyLight->bRealTimeCapture);
	ULM_GroundFollowerFogComponent* Fog = Director->FindComponentByClass<ULM_GroundFollowerFogComponent>();
	EXPECT_EQ(Fog->Mobility, EComponentMobility::Movable);
	EXPECT_TRUE(Fog->bEnableVolumetricFog);
	EXPECT_FLOAT_EQ(TotalTime(Director), 1200.f);
	EXPECT_TRUE(Director->PrimaryActorTick.bCanEverTick);
	EXPECT_EQ(Director->Preset, nullptr);
}

// Only Preset and TotalTime are editable; the debug values are shown but the panel keeps them read-only.
TEST_F(DirectorTest, EditorSeesPresetAndTimeButNotTheDisplayValues)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	EXPECT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 600.0).IsApplied());
	const HostEditor::FEditResult Clamped = HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 3000.0);
	EXPECT_TRUE(Clamped.bClamped);
	EXPECT_FLOAT_EQ(TotalTime(Director), 2400.f) << "one day is the editor's range";
	for (const TCHAR* Name : {TEXT("ClosestPreset"), TEXT("DebugSunPitch"), TEXT("DebugMoonPitch"), TEXT("DebugSunAlpha"), TEXT("DebugMoonAlpha"), TEXT("DebugIsDay")})
	{
		EXPECT_EQ(HostEditor::SetPropertyByPath(Director, Name, TEXT("1")).Status, HostEditor::EEditStatus::DisabledByEditCondition) << TCHAR_TO_UTF8(Name);
	}
	EXPECT_EQ(FindFProperty<FProperty>(AZN_Lumarch::StaticClass(), TEXT("DebugIsDay"))->GetMetaData(TEXT("ToolTip")), TEXT("Used as in editor debug display"));
	EXPECT_EQ(HostEditor::SetPropertyByPath(Director, TEXT("Sun"), TEXT("None")).Status, HostEditor::EEditStatus::NotEditable);
	EXPECT_EQ(FindFProperty<FProperty>(AZN_Lumarch::StaticClass(), TEXT("Sun"))->GetMetaData(TEXT("Category")), TEXT("Compopnents"));
	EXPECT_TRUE(FindFProperty<FProperty>(AZN_Lumarch::StaticClass(), TEXT("CachedTimeOfDaySubsystem"))->HasAnyPropertyFlags(CPF_Transient));
}

// Without a preset nothing is drawn: the lights keep the constructor's rotation and the debug values stay at zero.
TEST_F(DirectorTest, WithoutPresetNothingMoves)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 300.0).IsApplied());
	EXPECT_EQ(Sun->GetRelativeRotation(), FRotator::ZeroRotator);
	EXPECT_EQ(Moon->GetRelativeRotation(), FRotator::ZeroRotator);
	EXPECT_FALSE(Atmosphere->IsAtmosphereLightDirectionOverriden(0));
	EXPECT_EQ(Member<float>(Director, TEXT("DebugSunAlpha")), 0.f);
}

// Choosing a preset in the editor applies and draws it at once; dragging TotalTime redraws without play.
TEST_F(DirectorTest, EditingPresetAndTimeRedrawsInTheEditor)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	Preset->SunLightSettings.Intensity = 8.f;
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset).IsApplied());

	const ULM_CelestialRotationComponent* Noon = Reference(Preset, 0.5f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Noon->GetSunRotationForLights());
	EXPECT_EQ(Moon->GetRelativeRotation(), Noon->GetMoonRotationForLights());
	EXPECT_FLOAT_EQ(Sun->Intensity, Noon->GetSunAlpha() * 8.f);
	EXPECT_FLOAT_EQ(Member<float>(Director, TEXT("DebugSunPitch")), static_cast<float>(-Noon->GetSunRotationRaw().Pitch));
	EXPECT_TRUE(Member<bool>(Director, TEXT("DebugIsDay")));

	ASSERT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 100.0).IsApplied());
	const ULM_CelestialRotationComponent* Night = Reference(Preset, 100.f * 0.00041666668f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Night->GetSunRotationForLights());
	EXPECT_EQ(Moon->GetRelativeRotation(), Night->GetMoonRotationForLights());
	EXPECT_FLOAT_EQ(Member<float>(Director, TEXT("DebugMoonPitch")), static_cast<float>(-Night->GetMoonRotationRaw().Pitch));
	EXPECT_FLOAT_EQ(Member<float>(Director, TEXT("DebugSunAlpha")), Night->GetSunAlpha());
	EXPECT_FLOAT_EQ(Member<float>(Director, TEXT("DebugMoonAlpha")), Night->GetMoonAlpha());
	EXPECT_FALSE(Member<bool>(Director, TEXT("DebugIsDay")));

	const FRotator Drawn = Sun->GetRelativeRotation();
	Director->GetWorld()->Tick(LEVELTICK_All, 1.f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Drawn) << "editor worlds run no frame pass";
}

// The atmosphere is lit from the bodies' raw directions, and only by the lights the preset lets drive it.
TEST_F(DirectorTest, AtmosphereLightDirectionsFollowTheRawRotations)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	Preset->MoonLightSettings.AtmosphereSunLight = false;
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 2000.0).IsApplied());
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset).IsApplied());

	const ULM_CelestialRotationComponent* Expected = Reference(Preset, 2000.f * 0.00041666668f);
	ASSERT_TRUE(Atmosphere->IsAtmosphereLightDirectionOverriden(0));
	EXPECT_EQ(Atmosphere->GetOverridenAtmosphereLightDirection(0), -Expected->GetSunRotationRaw().Vector());
	EXPECT_FALSE(Atmosphere->IsAtmosphereLightDirectionOverriden(1)) << "the moon does not drive the atmosphere";

	Preset->MoonLightSettings.AtmosphereSunLight = true;
	Preset->OnUpdated.Broadcast();
	ASSERT_TRUE(Atmosphere->IsAtmosphereLightDirectionOverriden(1));
	EXPECT_EQ(Atmosphere->GetOverridenAtmosphereLightDirection(1), -Expected->GetMoonRotationRaw().Vector());
}

// The sun below the horizon still gets its alpha and unclamped raw rotation, so its own rule can hide it.
TEST_F(DirectorTest, SunBelowHorizonIsStillDriven)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 0.0).IsApplied());
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset).IsApplied());

	ASSERT_FALSE(ULM_CelestialRotationComponent::IsAboveHorizon(Celestial->GetSunRotationRaw())) << "midnight";
	EXPECT_EQ(Sun->GetRelativeRotation(), Celestial->GetSunRotationRaw());
	EXPECT_FALSE(Sun->IsVisible());
	EXPECT_LT(Member<float>(Director, TEXT("DebugSunPitch")), 0.f);
}

// A horizontal sun is not day: only a light pointing downwards counts.
TEST_F(DirectorTest, HorizontalSunIsNotDay)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	// No daylight window at all pins the sun to the horizon.
	Preset->WorldSettings.DayLightFraction = 0.f;
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset).IsApplied());
	ASSERT_EQ(Celestial->GetSunRotationRaw().Vector().Z, 0.0);
	EXPECT_FALSE(Member<bool>(Director, TEXT("DebugIsDay")));
}

// Switching presets moves the change binding: the old preset's notifications reach nothing, the new one's run once.
TEST_F(DirectorTest, SwitchingPresetsMovesTheBinding)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* A = MakePreset();
	ULM_Preset* B = MakePreset();
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), A).IsApplied());
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), B).IsApplied());

	A->SunLightSettings.Intensity = 99.f;
	const int32 DirtyBefore = SkyLight->GetRenderStateDirtyCount();
	A->OnUpdated.Broadcast();
	EXPECT_EQ(SkyLight->GetRenderStateDirtyCount(), DirtyBefore) << "A's notification must neither re-apply nor redraw";
	EXPECT_NE(Sun->Intensity, 99.f * Celestial->GetSunAlpha());

	B->SunLightSettings.Intensity = 4.f;
	B->OnUpdated.Broadcast();
	EXPECT_FLOAT_EQ(Sun->Intensity, 4.f * Celestial->GetSunAlpha());

	EXPECT_EQ(A->OnUpdated.RemoveAll(Director), 0);
	EXPECT_EQ(B->OnUpdated.RemoveAll(Director), 1) << "one binding, so one application per notification";
}

// An edit of the preset's dynamic preset reaches the director through the preset's forwarding.
TEST_F(DirectorTest, DynamicPresetEditsRedraw)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset).IsApplied());
	UPostProcessComponent* Internal = Director->FindComponentByClass<ULM_TrackingPostProcessComponent>()->PostProcessInternal;

	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset->DynamicOverrides, TEXT("PostProcessSettings.bOverride_BloomIntensity"), true).IsApplied());
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Preset->DynamicOverrides, TEXT("PostProcessSettings.BloomIntensity"), 3.0).IsApplied());
	EXPECT_FLOAT_EQ(Internal->Settings.BloomIntensity, 3.f);
}

// Clearing the preset removes its binding, and no scene value changes any more.
TEST_F(DirectorTest, ClearingPresetUnbinds)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), Preset).IsApplied());
	ASSERT_TRUE(HostEditor::SetObjectPropertyByPath(Director, TEXT("Preset"), nullptr).IsApplied());
	const FRotator Drawn = Sun->GetRelativeRotation();
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 300.0).IsApplied());
	EXPECT_EQ(Sun->GetRelativeRotation(), Drawn);
	EXPECT_EQ(Preset->OnUpdated.RemoveAll(Director), 0);
}

// However often the components are registered, the director holds one scalability and one preset binding.
TEST_F(DirectorTest, RepeatedRegistrationKeepsOneBindingOfEach)
{
	AZN_Lumarch* Director = Place(MakeWorld(EWorldType::Editor));
	ULM_Preset* Preset = MakePreset();
	Director->Preset = Preset;
	Director->RegisterAllComponents();
	Director->RegisterAllComponents();
	Director->UnregisterAllComponents();
	Director->RegisterAllComponents();
	EXPECT_EQ(Preset->OnUpdated.RemoveAll(Director), 1);
	EXPECT_EQ(Scalability::OnScalabilitySettingsChanged.RemoveAll(Director), 1);
}

// In play the clock is read every frame before the pass: the lights follow the game's time, day count included.
TEST_F(DirectorTest, PlayReadsTheClockEveryFrame)
{
	ULM_Preset* Preset = MakePreset();
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(Preset, 3, 0.25);
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 7800.f);
	const ULM_CelestialRotationComponent* Expected = Reference(Preset, 7800.f * 0.00041666668f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Expected->GetSunRotationForLights());
	EXPECT_EQ(Moon->GetRelativeRotation(), Expected->GetMoonRotationForLights()) << "the moon cycle counts the days";

	Clock->SetGameTimeOfDay(4, 0.0);
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 9600.f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Reference(Preset, 9600.f * 0.00041666668f)->GetSunRotationForLights());
}

// An edit of TotalTime during play shows once; the next frame belongs to the clock again.
TEST_F(DirectorTest, EditedTimeInPlayLastsOneFrame)
{
	ULM_Preset* Preset = MakePreset();
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(Preset, 0, 0.5);
	Tick(Director);
	ASSERT_TRUE(HostEditor::SetPropertyByPath(Director, TEXT("TotalTime"), 300.0).IsApplied());
	EXPECT_EQ(Sun->GetRelativeRotation(), Reference(Preset, 300.f * 0.00041666668f)->GetSunRotationForLights());
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 1200.f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Reference(Preset, 0.5f)->GetSunRotationForLights());
}

// A preset cleared by script in play: the time still follows the clock, but the scene stays as last drawn.
TEST_F(DirectorTest, PresetClearedInPlayFreezesTheScene)
{
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(MakePreset(), 0, 0.5);
	Tick(Director);
	const FRotator Drawn = Sun->GetRelativeRotation();
	const float DrawnPitch = Member<float>(Director, TEXT("DebugSunPitch"));
	Director->Preset = nullptr;
	Clock->SetGameTimeOfDay(0, 0.1);
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 240.f);
	EXPECT_EQ(Sun->GetRelativeRotation(), Drawn);
	EXPECT_EQ(Member<float>(Director, TEXT("DebugSunPitch")), DrawnPitch);
}

// A preset set by script in play is drawn from the next frame, but neither applied nor bound.
TEST_F(DirectorTest, PresetSetByScriptInPlayIsDrawnButNotApplied)
{
	ULM_Preset* First = MakePreset();
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(First, 0, 0.5);
	ULM_Preset* Second = MakePreset();
	Second->SunLightSettings.Intensity = 1.f;
	Director->Preset = Second;
	Tick(Director);
	EXPECT_FLOAT_EQ(Sun->Intensity, First->SunLightSettings.Intensity * Celestial->GetSunAlpha()) << "static settings are from the bound preset";
	EXPECT_EQ(Second->OnUpdated.RemoveAll(Director), 0);
	EXPECT_EQ(First->OnUpdated.RemoveAll(Director), 1);
}

// The clock is used only when it is a live time-of-day actor; any other actor is skipped silently.
TEST_F(DirectorTest, OnlyALiveClockActorIsRead)
{
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(MakePreset(), 1, 0.0);
	UWorld* World = Director->GetWorld();
	UZN_TimeOfDaySubsystem* Subsystem = World->GetSubsystem<UZN_TimeOfDaySubsystem>();

	Subsystem->TimeOfDayActor = World->SpawnActor<AActor>();
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 1200.f) << "an actor of another class is not a clock";

	Subsystem->TimeOfDayActor = Clock;
	Clock->MarkAsGarbage();
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 1200.f) << "a clock pending destruction is not read";

	AZN_TimeOfDaySubsystemActor* Replacement = World->SpawnActor<AZN_TimeOfDaySubsystemActor>();
	Replacement->bPaused = true;
	Replacement->SetGameTimeOfDay(1, 0.5);
	Subsystem->TimeOfDayActor = Replacement;
	Tick(Director);
	EXPECT_FLOAT_EQ(TotalTime(Director), 3600.f) << "the read is retried every frame";
}

// A world without the time-of-day service is reported once per run; play goes on from the edited time.
TEST_F(DirectorTest, MissingTimeOfDaySubsystemIsReportedOnceAndPlayGoesOn)
{
	FEnsureCapture Capture;
	for (int32 Run = 0; Run < 2; ++Run)
	{
		UWorld* World = MakeWorld(EWorldType::Game, /*bSkipInitWorld*/ true);
		ASSERT_EQ(World->GetSubsystem<UZN_TimeOfDaySubsystem>(), nullptr);
		AZN_Lumarch* Director = Place(World);
		ULM_Preset* Preset = MakePreset();
		Director->Preset = Preset;
		Member<float>(Director, TEXT("TotalTime")) = 600.f;
		World->BeginPlay();
		Tick(Director);
		EXPECT_FLOAT_EQ(TotalTime(Director), 600.f);
		EXPECT_EQ(Sun->GetRelativeRotation(), Reference(Preset, 600.f * 0.00041666668f)->GetSunRotationForLights()) << "drawn every frame from TotalTime";
	}
	ASSERT_EQ(Capture.Reports.size(), 1u);
	EXPECT_NE(Capture.Reports[0].find("CachedTimeOfDaySubsystem.IsValid()"), std::string::npos) << Capture.Reports[0];
	EXPECT_NE(Capture.Reports[0].find("Lumarch: TimeOfDaySubsystem is missing."), std::string::npos) << Capture.Reports[0];
}

// Ending play removes the scalability binding, so an ended director is no longer told of changes.
TEST_F(DirectorTest, EndPlayUnbindsScalability)
{
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(MakePreset(), 0, 0.5);
	ASSERT_TRUE(Director->Destroy()) << "destruction ends play first";
	EXPECT_EQ(Scalability::OnScalabilitySettingsChanged.RemoveAll(Director), 0);
}

// A destroyed director is never called by the preset it stayed bound to.
TEST_F(DirectorTest, DestroyedDirectorIsSkippedByItsPreset)
{
	ULM_Preset* Preset = MakePreset();
	AZN_Lumarch* Director = PlaceInPlayWorldWithClock(Preset, 0, 0.5);
	ASSERT_TRUE(Director->Destroy());
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	Preset->OnUpdated.Broadcast();
	EXPECT_FALSE(Preset->OnUpdated.IsBound()) << "the stale binding is skipped, not called (the sanitizers watch the call)";
}
